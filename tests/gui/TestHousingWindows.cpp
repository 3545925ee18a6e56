// SPDX-License-Identifier: GPL-3.0-or-later
// The 家計設定 tab 住宅 and the window 返済予定表: what the user types reaches the plan, bad values are
// refused naming the field, and the window shows, saves and tries what the core computes.
#include "core/io/SaveFile.h"
#include "core/money/Housing.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/SampleFamily.h"
#include "core/table/TableBuilder.h"
#include "gui/common/FileDialog.h"
#include "gui/common/MessageBox.h"
#include "gui/common/ProcessState.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/money/LoanScheduleWindow.h"
#include "gui/money/MoneySettingsDialog.h"
#include "support/GuiTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace harukaze;

namespace {

TableContext context()
{
    TableContext context;
    context.y0 = 2026;
    context.appDir = globalState().APP_DIR;
    return context;
}

void setCell(QWidget* dialog, const char* list, int row, int column, const QString& text)
{
    child<QTableWidget*>(dialog, list)->item(row, column)->setText(text);
}

// 3,000万円 at 3% over 35 years, paid out in April 2026.
FamilyPlan planWithLoan()
{
    FamilyPlan plan;
    writeSampleFamily(plan);
    HomeSettings& home = plan.money->home;
    home.loanYear = 2026;
    home.loanMonth = 4;
    home.loanAmount = 30000;
    home.loanRate = 3000;
    return plan;
}

} // namespace

class TestHousingWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTest::setUpProgramEnvironment(2026); }
    void init() { MessageBox::clearLast(); }

    void testTabStoresTheLoanAndItsLists()
    {
        FamilyPlan plan;
        writeSampleFamily(plan);
        whenModal<MoneySettingsDialog>([](MoneySettingsDialog* dialog) {
            child<QLineEdit*>(dialog, "loanYearBox")->setText(QStringLiteral("2026"));
            child<QLineEdit*>(dialog, "loanMonthBox")->setText(QStringLiteral("4"));
            child<QLineEdit*>(dialog, "loanAmountBox")->setText(QStringLiteral("3000"));
            child<QLineEdit*>(dialog, "loanRateBox")->setText(QStringLiteral("0.375"));
            child<QComboBox*>(dialog, "loanRateTypeCombo")->setCurrentText(QStringLiteral("変動"));
            click(dialog, "rateChangeAddButton");
            setCell(dialog, "rateChangeList", 0, 0, QStringLiteral("2031"));
            setCell(dialog, "rateChangeList", 0, 1, QStringLiteral("4"));
            setCell(dialog, "rateChangeList", 0, 2, QStringLiteral("1.5"));
            click(dialog, "prepaymentAddButton");
            setCell(dialog, "prepaymentList", 0, 0, QStringLiteral("2030"));
            setCell(dialog, "prepaymentList", 0, 1, QStringLiteral("12"));
            setCell(dialog, "prepaymentList", 0, 2, QStringLiteral("100"));
            click(dialog, "okButton");
        });
        QVERIFY(MoneySettingsDialog::edit(plan, nullptr));
        QCOMPARE(MessageBox::count(), 0);
        HomeSettings expected;
        expected.loanYear = 2026;
        expected.loanMonth = 4;
        expected.loanAmount = 30000;
        expected.loanRate = 375;
        expected.loanRateType = LoanRateType::Variable;
        expected.rateChanges[0] = LoanRateChange { 2031, 4, 1500 };
        expected.prepayments[0] = Prepayment { 2030, 12, 1000, PrepaymentKind::ShortenTerm };
        QVERIFY(plan.money->home == expected);
    }

    void testOutOfRangeIsRefusedNamingTheField_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("rate") << "loanRateBox"
                              << "20.5"
                              << "当初金利（％）\n0.000から20.000までの数値を入力してください。";
        QTest::newRow("years") << "loanYearsBox"
                               << "51"
                               << "返済期間（年）\n0から50までの数値を入力してください。";
        QTest::newRow("month") << "moveMonthBox"
                               << "13"
                               << "入居月\n1から12までの数値を入力してください。";
    }

    void testOutOfRangeIsRefusedNamingTheField()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, text);
        QFETCH(QString, message);
        FamilyPlan plan = planWithLoan();
        const FamilyPlan before = plan;
        whenModal<MoneySettingsDialog>([&](MoneySettingsDialog* dialog) {
            child<QLineEdit*>(dialog, boxName.toLatin1().constData())->setText(text);
            MessageBox::setNextAnswer(QMessageBox::Ok);
            click(dialog, "okButton");
            QVERIFY(dialog->isVisible());
            click(dialog, "cancelButton");
        });
        QVERIFY(!MoneySettingsDialog::edit(plan, nullptr));
        QCOMPARE(MessageBox::lastText(), message);
        QVERIFY(plan == before);
    }

    void testEntryBeforeThePayOutAsks()
    {
        FamilyPlan plan = planWithLoan();
        MessageBox::setNextAnswer(QMessageBox::Cancel);
        whenModal<MoneySettingsDialog>([](MoneySettingsDialog* dialog) {
            click(dialog, "rateChangeAddButton");
            setCell(dialog, "rateChangeList", 0, 0, QStringLiteral("2026"));
            setCell(dialog, "rateChangeList", 0, 1, QStringLiteral("3"));
            setCell(dialog, "rateChangeList", 0, 2, QStringLiteral("1.000"));
            click(dialog, "okButton");
            QVERIFY(dialog->isVisible());
            click(dialog, "cancelButton");
        });
        QVERIFY(!MoneySettingsDialog::edit(plan, nullptr));
        QVERIFY(MessageBox::lastText().startsWith(
            QStringLiteral("金利変更（2026年3月）が融資実行（2026年4月）より前です。")));
    }

    void testCashFlowWindowOffersTheScheduleWithALoan()
    {
        CashFlowWindow window;
        FamilyPlan plan;
        writeSampleFamily(plan);
        window.rebuild(plan, context());
        QVERIFY(!window.loanScheduleButton()->isEnabled());
        window.rebuild(planWithLoan(), context());
        QVERIFY(window.loanScheduleButton()->isEnabled());
    }

    void testScheduleWindowShowsSavesAndTries()
    {
        const FamilyPlan plan = planWithLoan();
        LoanScheduleWindow window;
        window.rebuild(plan, context());
        // 3,000万円 3% 420回: 115,455 a month from May 2026.
        QVERIFY(
            child<QLabel*>(&window, "loanSummary")->text().contains(QStringLiteral("毎月返済額（初回）：115,455円")));
        auto* grid = child<QTableWidget*>(&window, "loanGrid");
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("2026/05"));
        QCOMPARE(grid->item(0, 3)->text(), QStringLiteral("115,455"));
        QCOMPARE(grid->item(8, 0)->text(), QStringLiteral("2026年計"));
        QVERIFY(grid->item(8, 0)->font().bold());

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("schedule.csv"));
        FileDialog::setNextFileName(path);
        click(&window, "loanCsvButton");
        std::string bytes;
        QVERIFY(readWholeFile(path.toStdString(), bytes));
        QVERIFY(bytes == planLoanScheduleCsvBytes(plan, context()));

        child<QLineEdit*>(&window, "whatIfYearBox")->setText(QStringLiteral("2036"));
        child<QLineEdit*>(&window, "whatIfMonthBox")->setText(QStringLiteral("4"));
        child<QLineEdit*>(&window, "whatIfAmountBox")->setText(QStringLiteral("100"));
        click(&window, "whatIfButton");
        QVERIFY(child<QLabel*>(&window, "whatIfResult")->text().contains(QStringLiteral("ヶ月早まり")));
        child<QComboBox*>(&window, "whatIfKindCombo")->setCurrentIndex(1);
        click(&window, "whatIfButton");
        QVERIFY(
            child<QLabel*>(&window, "whatIfResult")->text().startsWith(QStringLiteral("毎月返済額が115,455円から")));
    }
};

QTEST_MAIN(TestHousingWindows)
#include "TestHousingWindows.moc"

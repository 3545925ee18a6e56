// SPDX-License-Identifier: GPL-3.0-or-later
// 額面 income in the 家計設定 dialog and the 手取りの内訳 dialog, driven through their widgets: the
// 手取り shown beside the pay as one types, what OK stores, the messages that refuse bad input, and
// the breakdown on screen and in a PDF.
#include "core/plan/FamilyPlan.h"
#include "core/table/TableBuilder.h"
#include "gui/common/FileDialog.h"
#include "gui/common/MessageBox.h"
#include "gui/common/ProcessState.h"
#include "gui/money/CashFlowGrid.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/money/MoneySettingsDialog.h"
#include "gui/money/TakeHomeDialog.h"
#include "support/ExportReader.h"
#include "support/GuiTestSupport.h"
#include "support/PlanBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace harukaze;

namespace {

// 東京都, husband 45 in 2026, wife 43 without pay, children 10 and 17.
FamilyPlan familyOfFour()
{
    FamilyPlan plan = testplan::PlanBuilder().husband(1981, 65).wife(1983, 60).child(2016, "長男").child(2009, "長女");
    plan.money = MoneySettings {};
    return plan;
}

// The amount of the first line of the breakdown labelled `label`.
QString amountOf(QWidget* dialog, const QString& label)
{
    auto* lines = child<QTableWidget*>(dialog, "takeHomeLines");
    for (int row = 0; row < lines->rowCount(); ++row) {
        if (lines->item(row, 0)->text().trimmed() == label)
            return lines->item(row, 1)->text();
    }
    return QStringLiteral("(no line %1)").arg(label);
}

} // namespace

class TestTakeHome : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTest::setUpProgramEnvironment(2026); }
    void init() { MessageBox::clearLast(); }

    void testGrossPayShowsThisYearsTakeHomeAsOneTypes()
    {
        FamilyPlan plan = familyOfFour();
        MoneySettingsDialog dialog(plan);
        dialog.show();
        auto* label = child<QLabel*>(&dialog, "husbandTakeHomeLabel");
        QVERIFY(!label->text().contains(QStringLiteral("円"))); // 手取り: nothing to compute
        QCOMPARE(child<QLabel*>(&dialog, "husbandIncomeLabel")->text(), QStringLiteral("手取り年収"));

        child<QRadioButton*>(&dialog, "incomeBasisGrossOption")->setChecked(true);
        QCOMPARE(child<QLabel*>(&dialog, "husbandIncomeLabel")->text(), QStringLiteral("額面年収"));
        // 30万 a month and 60万 × 2: 手取り 4,800,000 − 43,700 − 154,100 − 742,965 (as worked in the core tests).
        child<QLineEdit*>(&dialog, "husbandIncomeBox")->setText(QStringLiteral("480"));
        child<QLineEdit*>(&dialog, "husbandBonusMonthsBox")->setText(QStringLiteral("4"));
        QCOMPARE(label->text(),
            QStringLiteral(
                "今年（2026年）の手取り 3,859,235円\n所得税 43,700円・住民税 154,100円\n社会保険料 742,965円"));
        // Without social insurance the premiums go, and the taxes rise.
        child<QCheckBox*>(&dialog, "husbandSocialInsuranceCheck")->setChecked(false);
        QVERIFY(label->text().contains(QStringLiteral("社会保険料 0円")));

        click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const TaxSettings& tax = dialog.settings().tax;
        QVERIFY(tax.gross());
        QCOMPARE(tax.husbandBonusMonths, 40);
        QCOMPARE(tax.husbandSocialInsurance, 0);
        QCOMPARE(dialog.settings().husbandIncome, 4800);
    }

    void testBadTaxFieldsAreRefusedByName_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("bonus months") << "wifeBonusMonthsBox"
                                      << "12.5"
                                      << "妻の賞与（か月）\n0から12までの数値を入力してください。";
        QTest::newRow("service years") << "husbandServiceYearsBox"
                                       << ""
                                       << "夫の勤続年数（年）\n数値を入力してください。";
        QTest::newRow("pensioner's rate")
            << "pensionHealthRateBox"
            << "20.5"
            << "年金受給者の医療・介護保険料（％）\n0から20までの数値を入力してください。";
        QTest::newRow("gross pay caption") << "husbandIncomeBox"
                                           << ""
                                           << "夫の額面年収（万円）\n数値を入力してください。";
    }

    void testBadTaxFieldsAreRefusedByName()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, text);
        QFETCH(QString, message);
        FamilyPlan plan = familyOfFour();
        MoneySettingsDialog dialog(plan);
        dialog.show();
        child<QRadioButton*>(&dialog, "incomeBasisGrossOption")->setChecked(true);
        child<QTabWidget*>(&dialog, "tabs")->setCurrentIndex(4);
        QLineEdit* edit = child<QLineEdit*>(&dialog, boxName.toLatin1().constData());
        edit->setText(text);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        click(&dialog, "okButton");
        QCOMPARE(MessageBox::lastText(), message);
        QVERIFY(dialog.isVisible());
        auto* tabs = child<QTabWidget*>(&dialog, "tabs");
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("収入"));
        QCOMPARE(dialog.focusWidget(), edit);
    }

    void testBreakdownListsEveryStepAndFollowsTheChoice()
    {
        FamilyPlan plan = familyOfFour();
        plan.money->husbandIncome = 4800;
        plan.money->husbandIncomeRate = 0;
        plan.money->tax.incomeBasis = IncomeBasis::Gross;
        plan.money->tax.husbandBonusMonths = 40;
        TableContext context;
        context.y0 = 2026;
        TakeHomeDialog dialog(plan,
            *plan.money,
            buildLifeCycleTable(plan, context),
            0,
            Spouse::Husband,
            QStringLiteral("/plans/山田家.HRZ"));
        dialog.show();
        QCOMPARE(amountOf(&dialog, QStringLiteral("給与所得")), QStringLiteral("3,400,000"));
        QCOMPARE(amountOf(&dialog, QStringLiteral("配偶者控除・配偶者特別控除")), QStringLiteral("380,000"));
        QCOMPARE(amountOf(&dialog, QStringLiteral("課税所得金額")), QStringLiteral("857,000"));
        QCOMPARE(amountOf(&dialog, QStringLiteral("所得税（復興特別所得税を含む）")), QStringLiteral("43,700"));
        QCOMPARE(amountOf(&dialog, QStringLiteral("手取り")), QStringLiteral("3,859,235"));

        // In 2027 (n = 1) the elder child is 18, the younger 11: the same deductions; the wife has nothing.
        child<QComboBox*>(&dialog, "takeHomeSpouseCombo")->setCurrentText(QStringLiteral("妻"));
        QCOMPARE(amountOf(&dialog, QStringLiteral("手取り")), QStringLiteral("0"));
        child<QComboBox*>(&dialog, "takeHomeYearCombo")->setCurrentIndex(1);
        QCOMPARE(dialog.printable().title, QStringLiteral("手取りの内訳（2027年　妻）"));

        // PDF保存 writes the breakdown's page.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("内訳.pdf"));
        FileDialog::setNextFileName(path);
        click(&dialog, "takeHomePdfButton");
        QVERIFY(ExportReader::pdfPages(path).join(QLatin1Char('\n')).contains(QStringLiteral("手取りの内訳")));
        QCOMPARE(MessageBox::count(), 0);
    }

    void testCashFlowWindowOpensTheBreakdownAtTheCurrentYear()
    {
        FamilyPlan plan = familyOfFour();
        TableContext context;
        context.y0 = 2026;
        context.appDir = globalState().APP_DIR;
        CashFlowWindow window;
        window.rebuild(plan, context);
        auto* button = child<QPushButton*>(&window, "takeHomeButton");
        QVERIFY(!button->isVisibleTo(&window)); // 手取り income: nothing to break down

        plan.money->tax.incomeBasis = IncomeBasis::Gross;
        plan.money->husbandIncome = 4800;
        window.rebuild(plan, context);
        QVERIFY(button->isVisibleTo(&window));
        // The four tax rows follow 収入合計 in the grid.
        const int total = window.grid()->gridRow(window.table().rowIndex(MoneyRow::IncomeTotal));
        QCOMPARE(window.grid()->text(total + 1, 0), QStringLiteral("可処分所得"));
        QCOMPARE(window.grid()->text(total + 4, 0), QStringLiteral("社会保険料"));
        QCOMPARE(window.grid()->text(total + 2, 2), QStringLiteral("4")); // 所得税 43,700 yen in 2026
        window.grid()->setCurrentIndex(window.grid()->model()->index(5, CashFlowGrid::TABLE_FIXED_COLS + 3));
        QString title;
        whenModal<TakeHomeDialog>([&title](TakeHomeDialog* dialog) {
            title = dialog->printable().title;
            dialog->reject();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("手取りの内訳（2029年　夫）"));
    }
};

QTEST_MAIN(TestTakeHome)
#include "TestTakeHome.moc"

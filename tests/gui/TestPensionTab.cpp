// SPDX-License-Identifier: GPL-3.0-or-later
// The 年金 tab of 家計設定 and the start-age comparison, driven through their widgets: the estimate
// shown while typing, the messages that refuse bad input, what OK stores, the comparison's cells.
#include "core/plan/FamilyPlan.h"
#include "core/table/TableBuilder.h"
#include "gui/common/MessageBox.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/money/MoneySettingsDialog.h"
#include "gui/money/PensionComparisonDialog.h"
#include "gui/money/PensionTab.h"
#include "support/GuiTestSupport.h"
#include "support/PlanBuilder.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace harukaze;

namespace {

QLineEdit* box(QWidget* dialog, const char* name)
{
    return child<QLineEdit*>(dialog, name);
}

// The husband of the worked example: 加入記録, re-employed until 65 at 30.0万.
void typeHusbandRecord(QWidget* dialog)
{
    child<QComboBox*>(dialog, "husbandPensionModeCombo")->setCurrentIndex(2);
    child<QSpinBox*>(dialog, "husbandBirthMonthBox")->setValue(7);
    child<QSpinBox*>(dialog, "husbandBirthDayBox")->setValue(15);
    box(dialog, "husbandKisoMonthsBox")->setText(QStringLiteral("456"));
    box(dialog, "husbandKoseiMonthsOldBox")->setText(QStringLiteral("156"));
    box(dialog, "husbandKoseiPayOldBox")->setText(QStringLiteral("32"));
    box(dialog, "husbandKoseiMonthsNewBox")->setText(QStringLiteral("276"));
    box(dialog, "husbandKoseiPayNewBox")->setText(QStringLiteral("48.5"));
    box(dialog, "husbandReemployPayBox")->setText(QStringLiteral("30"));
}

} // namespace

class TestPensionTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTest::setUpProgramEnvironment(2026); }
    void init()
    {
        MessageBox::clearLast();
        m_plan = testplan::PlanBuilder().husband(1966, 60).wife(1968);
    }

    void testEstimateFollowsTheBoxes()
    {
        MoneySettingsDialog dialog(m_plan);
        auto* tabs = child<QTabWidget*>(&dialog, "tabs");
        QCOMPARE(tabs->tabText(1), QStringLiteral("年金"));
        auto* estimate = child<QLabel*>(&dialog, "husbandPensionEstimateLabel");
        QCOMPARE(estimate->text(), QStringLiteral("見込み：「収入」タブの金額を使います。"));

        typeHusbandRecord(&dialog);
        QVERIFY(!box(&dialog, "husbandPensionBox")->isEnabled());
        QVERIFY(estimate->text().contains(QStringLiteral("年額 207.8万円（65歳から、2031年8月から受給）")));
        QVERIFY(estimate->text().contains(QStringLiteral("老齢基礎年金 80.5万円")));

        // Her 定期便 with 60 months: he gets 加給年金 243,800 + 179,900.
        child<QComboBox*>(&dialog, "wifePensionModeCombo")->setCurrentIndex(1);
        box(&dialog, "wifeKiso65Box")->setText(QStringLiteral("78"));
        box(&dialog, "wifeKoseiMonthsBox")->setText(QStringLiteral("60"));
        QVERIFY(estimate->text().contains(QStringLiteral("加給年金 42.4万円（妻が65歳になるまで）")));

        // A later start on the 収入 tab: +0.7% a month.
        box(&dialog, "husbandPensionAgeBox")->setText(QStringLiteral("70"));
        QVERIFY(estimate->text().contains(QStringLiteral("（70歳から、2036年8月から受給）")));
    }

    void testBadInputIsRefusedNamingTheField_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("kiso") << "husbandKiso65Box"
                              << "150.1"
                              << "夫の老齢基礎年金（定期便）\n0から150までの数値を入力してください。";
        QTest::newRow("months") << "husbandKoseiMonthsBox"
                                << "601"
                                << "夫の厚生年金保険の加入期間（定期便）\n0から600までの数値を入力してください。";
        QTest::newRow("empty") << "husbandFuturePayBox"
                               << ""
                               << "夫の今後の標準報酬\n数値を入力してください。";
    }

    void testBadInputIsRefusedNamingTheField()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, text);
        QFETCH(QString, message);
        MoneySettingsDialog dialog(m_plan);
        dialog.show();
        child<QComboBox*>(&dialog, "husbandPensionModeCombo")->setCurrentIndex(1);
        QLineEdit* edit = box(&dialog, boxName.toLatin1().constData());
        edit->setText(text);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        click(&dialog, "okButton");
        QCOMPARE(MessageBox::lastText(), message);
        QVERIFY(dialog.isVisible());
        auto* tabs = child<QTabWidget*>(&dialog, "tabs");
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("年金"));
        QCOMPARE(dialog.focusWidget(), edit);
    }

    void testAMissingDayIsRefused()
    {
        MoneySettingsDialog dialog(m_plan);
        dialog.show();
        child<QSpinBox*>(&dialog, "wifeBirthMonthBox")->setValue(2);
        child<QSpinBox*>(&dialog, "wifeBirthDayBox")->setValue(30);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        click(&dialog, "okButton");
        QCOMPARE(MessageBox::lastText(),
            QStringLiteral("妻の誕生月日\n2月30日はありません。正しい日付を入力してください。"));
        QVERIFY(dialog.isVisible());
    }

    void testOkStoresAndAmountForgets()
    {
        MoneySettingsDialog dialog(m_plan);
        typeHusbandRecord(&dialog);
        click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const PensionSettings stored = dialog.settings().husbandPensionEstimate;
        QCOMPARE(stored.mode, PensionMode::Record);
        QCOMPARE(stored.birthMonthDay, 715);
        QCOMPARE(stored.koseiPayNew, 485);

        m_plan.money = dialog.settings();
        MoneySettingsDialog again(m_plan);
        QCOMPARE(box(&again, "husbandKoseiPayNewBox")->text(), QStringLiteral("48.5"));
        child<QComboBox*>(&again, "husbandPensionModeCombo")->setCurrentIndex(0);
        click(&again, "okButton");
        QCOMPARE(again.settings().husbandPensionEstimate.mode, PensionMode::Amount);
        QCOMPARE(again.settings().husbandPensionEstimate.koseiPayNew, 0);
        QCOMPARE(again.settings().husbandPensionEstimate.birthMonthDay, 715);
    }

    void testComparisonFromTheTabCopiesWhatItShows()
    {
        MoneySettingsDialog dialog(m_plan);
        typeHusbandRecord(&dialog);
        QString copied;
        QString row70;
        whenModal<PensionComparisonDialog>([&copied, &row70](PensionComparisonDialog* comparison) {
            auto* table = child<QTableWidget*>(comparison, "comparisonTable");
            for (int c = 0; c < 4; ++c)
                row70 += table->item(10, c)->text() + QLatin1Char('|');
            click(comparison, "copyButton");
            copied = QApplication::clipboard()->text();
            comparison->accept();
        });
        click(&dialog, "husbandCompareButton");
        // 70: +42%; 2,078,070 → K_adj raised only for the months without the 在職 cut.
        QVERIFY2(row70.startsWith(QStringLiteral("70歳|+42.0%|")), qPrintable(row70));
        QVERIFY(row70.endsWith(QStringLiteral("|2036年8月|")));
        QVERIFY(copied.startsWith(QStringLiteral("開始年齢\t増減率\t年額（万円）\t受給開始\t")));
        QCOMPARE(copied.count(QLatin1Char('\n')), 17);
    }

    void testCashFlowWindowExplainsWhenThereIsNothingToCompare()
    {
        CashFlowWindow window;
        TableContext context;
        context.y0 = 2026;
        window.rebuild(m_plan, context);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        click(&window, "wifeCompareButton");
        QVERIFY(MessageBox::lastText().startsWith(QStringLiteral("妻の受給開始年齢は比較できません。")));
    }

private:
    FamilyPlan m_plan;
};

QTEST_MAIN(TestPensionTab)
#include "TestPensionTab.moc"

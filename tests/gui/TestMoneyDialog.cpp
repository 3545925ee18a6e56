// SPDX-License-Identifier: GPL-3.0-or-later
// The 家計設定 dialog driven through its widgets: what it shows, what OK stores, what Cancel keeps,
// and the messages that refuse bad input; and the number boxes of every window fed by an input
// method in 全角 mode.
#include "core/plan/FamilyPlan.h"
#include "core/table/Clock.h"
#include "core/table/SampleFamily.h"
#include "gui/common/MessageBox.h"
#include "gui/help/Help.h"
#include "gui/help/HelpViewer.h"
#include "gui/money/MoneySettingsDialog.h"
#include "gui/wizard/Form18.h"
#include "gui/wizard/Form2.h"
#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace harukaze;

namespace {

QLineEdit* box(QWidget* dialog, const char* name)
{
    return child<QLineEdit*>(dialog, name);
}

QComboBox* educationCombo(QWidget* dialog, int row, int stage)
{
    return qobject_cast<QComboBox*>(child<QTableWidget*>(dialog, "educationGrid")->cellWidget(row, 1 + 2 * stage));
}

QString listText(QWidget* dialog, int row, int column)
{
    QTableWidgetItem* item = child<QTableWidget*>(dialog, "entryList")->item(row, column);
    return item ? item->text() : QString();
}

void typeEntry(QWidget* dialog, const QString& year, const QString& label, const QString& amount, bool income)
{
    box(dialog, "entryYearBox")->setText(year);
    box(dialog, "entryLabelBox")->setText(label);
    box(dialog, "entryAmountBox")->setText(amount);
    child<QRadioButton*>(dialog, income ? "entryIncomeOption" : "entryExpenseOption")->setChecked(true);
}

} // namespace

class TestMoneyDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTest::setUpProgramEnvironment(2026); }
    void init()
    {
        MessageBox::clearLast();
        m_plan = FamilyPlan();
        writeSampleFamily(m_plan); // 長女 and 長男, the sample household's money
    }

    void testShowsThePlansSettings()
    {
        m_plan.money->wifeIncome = 125;
        m_plan.money->investRate = -5;
        m_plan.money->children[1].university = UniversityChoice::JuniorCollege;
        MoneySettingsDialog dialog(m_plan);
        QCOMPARE(box(&dialog, "wifeIncomeBox")->text(), QStringLiteral("12.5"));
        QCOMPARE(box(&dialog, "investRateBox")->text(), QStringLiteral("-0.5"));
        QCOMPARE(child<QLabel*>(&dialog, "husbandRetireLabel")->text(), QStringLiteral("定年退職：60歳（家族の設定）"));

        // One row per child column, labelled as the table labels it, with each choice's cost.
        auto* grid = child<QTableWidget*>(&dialog, "educationGrid");
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("長女"));
        QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("長男"));
        QCOMPARE(educationCombo(&dialog, 0, 4)->currentText(), QStringLiteral("私立文系"));
        QCOMPARE(educationCombo(&dialog, 1, 4)->currentText(), QStringLiteral("短大"));
        QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("18.5万円※1")); // 184,646 yen
        QCOMPARE(grid->item(1, 10)->text(), QStringLiteral("89.3万円（+23.7万円）※4"));
        educationCombo(&dialog, 0, 4)->setCurrentText(QStringLiteral("私立医歯"));
        QCOMPARE(grid->item(0, 10)->text(), QStringLiteral("374.4万円（+107.7万円）※4"));
        educationCombo(&dialog, 0, 0)->setCurrentText(QStringLiteral("なし"));
        QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("―"));
        QVERIFY(child<QLabel*>(&dialog, "noChildrenLabel")->isHidden());

        QCOMPARE(listText(&dialog, 0, 0), QStringLiteral("2029"));
        QCOMPARE(listText(&dialog, 0, 1), QStringLiteral("車の買い替え"));
        QCOMPARE(listText(&dialog, 0, 2), QStringLiteral("250"));
        QCOMPARE(listText(&dialog, 0, 3), QStringLiteral("支出"));
    }

    void testSavingsBasisBesideTheBalance()
    {
        // A plan read from a first-version section keeps its start-of-year balance; a new one is 年末.
        m_plan.money->savingsBasis = SavingsBasis::YearStart;
        MoneySettingsDialog dialog(m_plan);
        QCOMPARE(child<QLabel*>(&dialog, "savingsStartLabel")->text(), QStringLiteral("現在の貯蓄残高"));
        QCOMPARE(child<QComboBox*>(&dialog, "savingsBasisCombo")->currentText(), QStringLiteral("今年の初め"));
        FamilyPlan fresh;
        MoneySettingsDialog freshDialog(fresh);
        QCOMPARE(child<QComboBox*>(&freshDialog, "savingsBasisCombo")->currentText(), QStringLiteral("今年末の見込み"));
    }

    void testPlanWithoutSettingsOrChildren()
    {
        FamilyPlan plan;
        plan.ST1_WIFE = 1;
        plan.ST2_WIFE_RETIRE_AGE = 0;
        MoneySettingsDialog dialog(plan);
        QCOMPARE(child<QLabel*>(&dialog, "wifeRetireLabel")->text(), QStringLiteral("定年退職：なし（家族の設定）"));
        QVERIFY(child<QLabel*>(&dialog, "husbandRetireLabel")
                    ->text()
                    .contains(QStringLiteral("夫の収入と年金は計算されません")));
        QVERIFY(!child<QLabel*>(&dialog, "noChildrenLabel")->isHidden());
        QVERIFY(child<QTableWidget*>(&dialog, "educationGrid")->isHidden());
        QVERIFY(child<QTableWidget*>(&dialog, "entryList")->rowCount() == 0);
    }

    void testOkStoresTheSettings()
    {
        FamilyPlan before = m_plan;
        bool ran = false;
        whenModal<MoneySettingsDialog>(
            [](MoneySettingsDialog* dialog) {
                box(dialog, "husbandIncomeBox")->setText(QStringLiteral("500.5"));
                box(dialog, "pensionRateBox")->setText(QStringLiteral("-0.3"));
                box(dialog, "savingsStartBox")->setText(QStringLiteral("-12."));
                child<QComboBox*>(dialog, "savingsBasisCombo")->setCurrentText(QStringLiteral("今年の初め"));
                child<QCheckBox*>(dialog, "careWifeCheck")->setChecked(true);
                educationCombo(dialog, 1, 1)->setCurrentText(QStringLiteral("私立"));
                educationCombo(dialog, 1, 4)->setCurrentText(QStringLiteral("私立医歯"));
                typeEntry(
                    dialog, QStringLiteral("2031"), QStringLiteral("相続, 祖父から"), QStringLiteral("300"), true);
                click(dialog, "entryAddButton");
                click(dialog, "okButton");
            },
            &ran);
        QVERIFY(MoneySettingsDialog::edit(m_plan, nullptr));
        QVERIFY(ran);
        QCOMPARE(MessageBox::count(), 0);
        QVERIFY(m_plan.money.has_value());
        const MoneySettings& money = *m_plan.money;
        // What was typed is stored; everything the dialog was not told to change stays as it was.
        MoneySettings expected = *before.money;
        expected.husbandIncome = 5005;
        expected.pensionRate = -3;
        expected.savingsStart = -120;
        expected.savingsBasis = SavingsBasis::YearStart;
        expected.careWifeParents = 1;
        expected.children[1].elementary = SchoolChoice::Private;
        expected.children[1].university = UniversityChoice::PrivateMedical;
        expected.incomes[0] = MoneyEntry { 2031, 3000, "相続, 祖父から" };
        QVERIFY(money == expected);
        m_plan.money.reset();
        before.money.reset();
        QVERIFY(m_plan == before);
    }

    void testCancelChangesNothing()
    {
        const FamilyPlan before = m_plan;
        whenModal<MoneySettingsDialog>([](MoneySettingsDialog* dialog) {
            box(dialog, "livingBox")->setText(QStringLiteral("999"));
            educationCombo(dialog, 0, 4)->setCurrentText(QStringLiteral("なし"));
            child<QTableWidget*>(dialog, "entryList")->selectRow(0);
            click(dialog, "entryDeleteButton");
            click(dialog, "cancelButton");
        });
        QVERIFY(!MoneySettingsDialog::edit(m_plan, nullptr));
        QVERIFY(m_plan == before);

        // A plan without settings stays without them.
        FamilyPlan empty;
        whenModal<MoneySettingsDialog>([](MoneySettingsDialog* dialog) { click(dialog, "cancelButton"); });
        QVERIFY(!MoneySettingsDialog::edit(empty, nullptr));
        QVERIFY(!empty.money);
    }

    void testBadInputIsRefusedNamingTheField_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("tab");
        QTest::newRow("empty amount") << "husbandIncomeBox"
                                      << ""
                                      << "夫の手取り年収（万円）\n数値を入力してください。"
                                      << "収入";
        QTest::newRow("amount too large") << "livingBox"
                                          << "100000"
                                          << "基本生活費（万円）\n0から99999.9までの数値を入力してください。"
                                          << "支出";
        QTest::newRow("rate too large") << "educationRateBox"
                                        << "10.1"
                                        << "教育費の変化率（％）\n-10から10までの数値を入力してください。"
                                        << "教育費";
        QTest::newRow("pension age") << "wifePensionAgeBox"
                                     << "59"
                                     << "妻の年金の受給開始年齢（歳）\n60から75までの数値を入力してください。"
                                     << "収入";
        QTest::newRow("savings") << "savingsStartBox"
                                 << "-100000"
                                 << "現在の貯蓄残高（万円）\n-99999.9から99999.9までの数値を入力してください。"
                                 << "貯蓄";
    }

    void testBadInputIsRefusedNamingTheField()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, tab);
        MoneySettingsDialog dialog(m_plan);
        dialog.show();
        child<QTabWidget*>(&dialog, "tabs")->setCurrentIndex(4);
        QLineEdit* edit = box(&dialog, boxName.toLatin1().constData());
        edit->setText(text);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        click(&dialog, "okButton");
        QCOMPARE(MessageBox::lastText(), message);
        QCOMPARE(MessageBox::lastIcon(), QMessageBox::Information);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        auto* tabs = child<QTabWidget*>(&dialog, "tabs");
        QCOMPARE(tabs->tabText(tabs->currentIndex()), tab);
        QCOMPARE(dialog.focusWidget(), edit);
    }

    void testEndYearBeforeThisYearAsks()
    {
        MoneySettingsDialog dialog(m_plan);
        dialog.show();
        box(&dialog, "insuranceEndYearBox")->setText(QStringLiteral("2025"));
        MessageBox::setNextAnswer(QMessageBox::Cancel);
        click(&dialog, "okButton");
        QCOMPARE(MessageBox::lastText(),
            QStringLiteral("保険料の最終支払年（2025年）が今年（2026年）より前です。\n保険料は計算されません。"
                           "このまま設定しますか？"));
        QCOMPARE(MessageBox::lastIcon(), QMessageBox::Warning);
        QCOMPARE(MessageBox::lastDefaultButton(), QMessageBox::Cancel);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), box(&dialog, "insuranceEndYearBox"));

        MessageBox::setNextAnswer(QMessageBox::Ok);
        click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.settings().insuranceEndYear, 2025);

        // This year itself and 0 (every year) pass without a question.
        MessageBox::clearLast();
        MoneySettingsDialog again(m_plan);
        box(&again, "housingEndYearBox")->setText(QStringLiteral("2026"));
        box(&again, "insuranceEndYearBox")->setText(QStringLiteral("0"));
        click(&again, "okButton");
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QCOMPARE(MessageBox::count(), 0);
    }

    void testEntriesAddChangeDelete()
    {
        MoneySettingsDialog dialog(m_plan);
        dialog.show();
        auto* list = child<QTableWidget*>(&dialog, "entryList");
        QVERIFY(!child<QPushButton*>(&dialog, "entryChangeButton")->isEnabled());

        typeEntry(&dialog, QStringLiteral("2027"), QStringLiteral("家族旅行"), QStringLiteral("45.5"), false);
        click(&dialog, "entryAddButton");
        QCOMPARE(list->rowCount(), 2);
        // The boxes are empty for the next entry.
        for (const char* name : { "entryYearBox", "entryLabelBox", "entryAmountBox" })
            QVERIFY2(box(&dialog, name)->text().isEmpty(), name);
        QCOMPARE(listText(&dialog, 0, 1), QStringLiteral("家族旅行")); // sorted by year
        QCOMPARE(listText(&dialog, 0, 2), QStringLiteral("45.5"));

        // Selecting a row fills the boxes; 変更 replaces it, 収入 moves it to the incomes.
        list->selectRow(1);
        QCOMPARE(box(&dialog, "entryLabelBox")->text(), QStringLiteral("車の買い替え"));
        box(&dialog, "entryAmountBox")->setText(QStringLiteral("300"));
        child<QRadioButton*>(&dialog, "entryIncomeOption")->setChecked(true);
        click(&dialog, "entryChangeButton");
        QCOMPARE(listText(&dialog, 1, 2), QStringLiteral("300"));
        QCOMPARE(listText(&dialog, 1, 3), QStringLiteral("収入"));

        // A bad year is refused by name and adds nothing.
        typeEntry(&dialog, QStringLiteral("0"), QStringLiteral("x"), QStringLiteral("1"), false);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        click(&dialog, "entryAddButton");
        QCOMPARE(MessageBox::lastText(), QStringLiteral("年（西暦）\n1から9999までの数値を入力してください。"));
        QCOMPARE(list->rowCount(), 2);

        list->selectRow(0);
        click(&dialog, "entryDeleteButton");
        QCOMPARE(list->rowCount(), 1);
        click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.settings().incomes[0] == (MoneyEntry { 2029, 3000, "車の買い替え" }));
        QVERIFY(!dialog.settings().expenses[0]);
    }

    void testEntryOutsideTheTableAsks_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("answer"); ///< the answer to the question; 0 when none is due
        QTest::addColumn<int>("rows"); ///< the list's rows afterwards
        // The table runs from this year (2026) for 51 years, to 2076.
        QTest::newRow("first year") << "2026" << 0 << 2;
        QTest::newRow("last year") << "2076" << 0 << 2;
        QTest::newRow("before, kept") << "2025" << int(QMessageBox::Ok) << 2;
        QTest::newRow("after, cancelled") << "2077" << int(QMessageBox::Cancel) << 1;
    }

    void testEntryOutsideTheTableAsks()
    {
        QFETCH(QString, year);
        QFETCH(int, answer);
        QFETCH(int, rows);
        MoneySettingsDialog dialog(m_plan);
        dialog.show();
        typeEntry(&dialog, year, QStringLiteral("祝い金"), QStringLiteral("10"), true);
        if (answer != 0)
            MessageBox::setNextAnswer(static_cast<QMessageBox::StandardButton>(answer));
        click(&dialog, "entryAddButton");
        QCOMPARE(child<QTableWidget*>(&dialog, "entryList")->rowCount(), rows);
        if (answer == 0) {
            QCOMPARE(MessageBox::count(), 0);
            return;
        }
        QCOMPARE(MessageBox::lastText(),
            QStringLiteral("%1年はキャッシュフロー表の期間（2026年〜2076年）の外です。\n"
                           "この収支は計算されません。このまま登録しますか？")
                .arg(year));
        QCOMPARE(MessageBox::lastIcon(), QMessageBox::Warning);
        // Cancelled, the year stays in its box to be corrected.
        if (answer == int(QMessageBox::Cancel)) {
            QCOMPARE(box(&dialog, "entryYearBox")->text(), year);
            QCOMPARE(dialog.focusWidget(), box(&dialog, "entryYearBox"));
        }
    }

    void testOkWithoutAChangeLeavesThePlan_data()
    {
        QTest::addColumn<bool>("withSettings");
        QTest::newRow("plan with settings") << true;
        QTest::newRow("plan without settings") << false;
    }

    void testOkWithoutAChangeLeavesThePlan()
    {
        QFETCH(bool, withSettings);
        if (!withSettings)
            m_plan.money.reset();
        else // stored out of year order, as a hand-edited file may hold them
            m_plan.money->expenses[3] = MoneyEntry { 2027, 15, "旅行" };
        const FamilyPlan before = m_plan;
        whenModal<MoneySettingsDialog>([](MoneySettingsDialog* dialog) { click(dialog, "okButton"); });
        QVERIFY(!MoneySettingsDialog::edit(m_plan, nullptr));
        QVERIFY(m_plan == before);
    }

    void testFullWidthInputIsTakenHalfWidth_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("wizard, children") << "wizard"
                                          << "Text1"
                                          << "３"
                                          << "3";
        QTest::newRow("editor, birth year") << "editor"
                                            << "Text1"
                                            << "１９５２"
                                            << "1952";
        QTest::newRow("money, amount") << "money"
                                       << "husbandIncomeBox"
                                       << "４５０"
                                       << "450";
        QTest::newRow("money, decimal") << "money"
                                        << "livingBox"
                                        << "３２０．５"
                                        << "320.5";
        QTest::newRow("money, negative savings") << "money"
                                                 << "savingsStartBox"
                                                 << "－１２．５"
                                                 << "-12.5";
        QTest::newRow("money, rate") << "money"
                                     << "investRateBox"
                                     << "－０．３"
                                     << "-0.3";
        QTest::newRow("money, entry year") << "money"
                                           << "entryYearBox"
                                           << "２０３０"
                                           << "2030";
        QTest::newRow("money, letters still refused") << "money"
                                                      << "husbandIncomeBox"
                                                      << "４５ａ"
                                                      << "";
    }

    void testFullWidthInputIsTakenHalfWidth()
    {
        QFETCH(QString, window);
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        FamilyPlan wizardPlan;
        std::unique_ptr<QWidget> shownWindow;
        if (window == QLatin1String("wizard"))
            shownWindow = std::make_unique<Form18>(wizardPlan);
        else if (window == QLatin1String("editor"))
            shownWindow = std::make_unique<Form2>();
        else
            shownWindow = std::make_unique<MoneySettingsDialog>(m_plan);
        shownWindow->show();
        QLineEdit* edit = box(shownWindow.get(), boxName.toLatin1().constData());
        edit->clear();
        edit->setFocus();
        // What an input method commits once the user confirms the 全角 text.
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QApplication::sendEvent(edit, &commit);
        QCOMPARE(edit->text(), shown);
    }

    void testFiftyEntriesOfAKind()
    {
        for (int i = 0; i < MAX_MONEY_ENTRIES; ++i)
            m_plan.money->incomes[static_cast<size_t>(i)] = MoneyEntry { 2030 + i, 10, "収入" };
        MoneySettingsDialog dialog(m_plan);
        dialog.show();
        typeEntry(&dialog, QStringLiteral("2040"), QStringLiteral("もう一件"), QStringLiteral("1"), true);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        click(&dialog, "entryAddButton");
        QCOMPARE(MessageBox::lastText(), QStringLiteral("一時的な収入は５０件まで登録できます。"));
        QCOMPARE(child<QTableWidget*>(&dialog, "entryList")->rowCount(), 51);
        // An expense still fits.
        child<QRadioButton*>(&dialog, "entryExpenseOption")->setChecked(true);
        click(&dialog, "entryAddButton");
        QCOMPARE(child<QTableWidget*>(&dialog, "entryList")->rowCount(), 52);
        click(&dialog, "okButton");
        QCOMPARE(presentEntries(dialog.settings().incomes).size(), size_t(50));
        QCOMPARE(presentEntries(dialog.settings().expenses).size(), size_t(2));
    }

    void testHelpShowsTheMoneyTopic()
    {
        Help::setHelpFile(QStringLiteral(HARUKAZE_BIN_DIR "/HARUKAZE.HLP"));
        MoneySettingsDialog dialog(m_plan);
        dialog.show();
        click(&dialog, "helpButton");
        HelpViewer* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* viewer = qobject_cast<HelpViewer*>(w); viewer && viewer->isVisible())
                shown = viewer;
        }
        QVERIFY(shown);
        QCOMPARE(shown->currentAnchor(), QStringLiteral("topic-13"));
        Help::close();
        Help::setHelpFile(QString());
    }

private:
    FamilyPlan m_plan;
};

QTEST_MAIN(TestMoneyDialog)
#include "TestMoneyDialog.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/FamilyPlan.h"
#include "gui/common/MessageBox.h"
#include "gui/common/ProcessState.h"
#include "gui/help/Help.h"
#include "gui/help/HelpViewer.h"
#include "gui/wizard/ChildrenGrid.h"
#include "gui/wizard/Form2.h"
#include "gui/wizard/Form222.h"
#include "gui/wizard/Form23.h"
#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace harukaze;

namespace {

// Control names of one couple tab, in the order of the couple slots they show.
struct CoupleNames
{
    int section;
    const char* tab;
    const char* frame;
    const char*
        texts[7]; ///< slots 2..8: man birth, man retire, woman birth, woman retire, marriage, man life, woman life
    const char* checks[7]; ///< slots 9..15
    const char* options[4]; ///< slots 16..19: man stat, man custom, woman custom, woman stat
    const char* lifeLabels[2];
    const char* eraButtons[3]; ///< for man birth, woman birth, marriage
};

const CoupleNames COUPLE_TABS[] = {
    { 2,
        "coupleTab",
        "Frame1",
        { "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7" },
        { "Check1", "Check2", "Check3", "Check4", "Check6", "Check5", "Check7" },
        { "Option1", "Option2", "Option3", "Option4" },
        { "Label11", "Label12" },
        { "Command5", "Command6", "Command7" } },
    { 4,
        "husbandParentsTab",
        "Frame9",
        { "Text14", "Text13", "Text11", "Text10", "Text8", "Text12", "Text9" },
        { "Check10", "Check9", "Check8", "Check14", "Check13", "Check12", "Check11" },
        { "Option8", "Option7", "Option6", "Option5" },
        { "Label20", "Label15" },
        { "Command8", "Command4", "Command3" } },
    { 5,
        "wifeParentsTab",
        "Frame17",
        { "Text21", "Text20", "Text18", "Text17", "Text15", "Text19", "Text16" },
        { "Check17", "Check16", "Check15", "Check21", "Check20", "Check19", "Check18" },
        { "Option12", "Option11", "Option10", "Option9" },
        { "Label32", "Label27" },
        { "Command11", "Command10", "Command9" } },
};

const CoupleNames& namesOf(int section)
{
    return section == 2 ? COUPLE_TABS[0] : section == 4 ? COUPLE_TABS[1] : COUPLE_TABS[2];
}

void setCouple(FamilyPlan& plan, int section, std::initializer_list<int> values)
{
    int slot = COUPLE_RECORDED;
    for (int value : values)
        plan.couple(CoupleSection { section }, slot++) = static_cast<int16_t>(value);
}

void setChild(FamilyPlan& plan, int child, const char* label, const char* early, std::initializer_list<int> mtx1)
{
    plan.mtx2(child, MTX2_ZOKUGARA) = label;
    plan.mtx2(child, MTX2_HAYAUMARE) = early;
    int column = MTX1_BIRTH_YEAR;
    for (int value : mtx1)
        plan.mtx1(child, column++) = static_cast<int16_t>(value);
}

// A plan as a file would bring it: couple and husband's parents recorded with mixed settings, the
// wife's parents never entered (all 0, not in the family), three children of whom one is planned.
// Statistic lifespans hold 78 / 84, as the recorders leave them.
FamilyPlan samplePlan()
{
    FamilyPlan plan;
    plan.ST1_RECORDED = 1;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST1_CHILDREN = 1;
    plan.ST1_HUSBAND_PARENTS = 1;
    plan.ST1_WIFE_PARENTS = 0;
    plan.ST1_CHILDREN_NOW = 2;
    plan.ST1_CHILDREN_FUTURE = 1;
    plan.ST1_HUSBAND_FATHER = 1;
    plan.ST1_HUSBAND_MOTHER = 0;
    //                 rec  mB    mR  wB    wR  mar   mL  wL  gold silv bron mYak mRet wYak wRet mS mC wC wS
    setCouple(plan, 2, { 1, 1970, 65, 1972, 62, 1998, 78, 90, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0 });
    setCouple(plan, 4, { 1, 1941, 70, 1944, 55, 1966, 81, 84, 0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1 });
    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = 3;
    setChild(plan, 1, "長女", "普通", { 2000, 4, 6, 12, 15, 18, 20, 22, 26, 28, 31, 32, 60 });
    setChild(plan, 2, "長男", "早生", { 2003, 3, 5, 11, 14, 17, 19, 21, 28, 30, 33, 41, 65 });
    setChild(plan, 3, "次男", "普通", { 2027, 4, 6, 12, 15, 0, 20, 18, 29, 31, 34, 41, 60 });
    return plan;
}

// What "更新" must make of `plan` when nothing was edited: every family member and section flag
// set, and the children counted by the grid.
FamilyPlan storedUnchanged(FamilyPlan plan)
{
    for (int slot : { 1, 2, 3, 4, 5, 6, 9, 10, 11, 12 })
        plan.st1(slot) = 1;
    for (int section : { 2, 4, 5 }) {
        plan.couple(CoupleSection { section }, COUPLE_RECORDED) = 1;
        // A person not on "統計値" is shown, and so stored, with "任意" selected.
        const bool manStat = plan.couple(CoupleSection { section }, COUPLE_MAN_LIFE_STAT) == 1;
        plan.couple(CoupleSection { section }, COUPLE_MAN_LIFE_CUSTOM) = manStat ? 0 : 1;
        const bool womanStat = plan.couple(CoupleSection { section }, COUPLE_WOMAN_LIFE_STAT) == 1;
        plan.couple(CoupleSection { section }, COUPLE_WOMAN_LIFE_CUSTOM) = womanStat ? 0 : 1;
    }
    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = static_cast<int16_t>(plan.plannedChildren());
    return plan;
}

QStringList gridColumn(ChildrenGrid* grid, int column)
{
    QStringList values { grid->text(0, column) };
    values += grid->columnValues(column);
    return values;
}

} // namespace

class TestSettingsEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void testOpensOnFirstTab();
    void testTabsShowRecord();
    void testGridShowsRecord();
    void testUpdateWithoutEdits();
    void testUpdateStoresMappedField_data();
    void testUpdateStoresMappedField();
    void testCancelStoresNothing_data();
    void testCancelStoresNothing();
    void testLifespanOptions();
    void testRejectsBoxWithoutNumber();
    void testEveryStoredValueShownAndKeptWhole();
    void testEraButtons_data();
    void testEraButtons();
    void testAddThenCancel();
    void testAddThenUpdate();
    void testAddAtTenRefused();
    void testDeleteFirstOfThree();
    void testDeleteAnsweredNo();
    void testDoubleClickEditAndCancel();
    void testHelpShowsTopic();

private:
    std::unique_ptr<Form2> openEditor();
};

void TestSettingsEditor::init()
{
    globalPlan() = samplePlan();
    GuiTest::currentDocument().setSaved(true);
    MessageBox::clearLast();
}

void TestSettingsEditor::cleanup()
{
    Help::close();
}

std::unique_ptr<Form2> TestSettingsEditor::openEditor()
{
    auto editor = std::make_unique<Form2>();
    editor->show();
    return editor;
}

void TestSettingsEditor::testOpensOnFirstTab()
{
    auto editor = openEditor();
    QCOMPARE(editor->windowTitle(), QStringLiteral("家族設定内容の変更"));
    QCOMPARE(editor->pos(), QPoint(0, 0));
    auto* tabs = child<QTabWidget*>(editor.get(), "SSTab1");
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->currentIndex(), 0);
    const QStringList captions
        = { QStringLiteral("夫妻"), QStringLiteral("子供"), QStringLiteral("夫側両親"), QStringLiteral("妻側両親") };
    for (int i = 0; i < 4; ++i)
        QCOMPARE(tabs->tabText(i), captions.at(i));
    QCOMPARE(child<QGroupBox*>(editor.get(), "Frame1")->title(), QStringLiteral("夫妻の設定"));
    QCOMPARE(child<QGroupBox*>(editor.get(), "Frame25")->title(), QStringLiteral("子供"));
    QCOMPARE(child<QGroupBox*>(editor.get(), "Frame9")->title(), QStringLiteral("夫側両親の設定"));
    QCOMPARE(child<QGroupBox*>(editor.get(), "Frame17")->title(), QStringLiteral("妻側両親の設定"));
    QCOMPARE(child<QLabel*>(editor.get(), "Label37")->text(),
        QStringLiteral("設定内容を変更するには、該当子供のセルを選択しダブルクリックしてください。"));
    const std::pair<const char*, const char*> buttons[] = { { "Command1", "更新" },
        { "Command2", "ｷｬﾝｾﾙ" },
        { "Command14", "ヘルプ" },
        { "Command12", "追加" },
        { "Command13", "削除" } };
    for (const auto& [name, text] : buttons)
        QCOMPARE(child<QPushButton*>(editor.get(), name)->text(), QString::fromUtf8(text));
    // Every named control of the parents tabs exists once and lives on its own tab.
    for (const CoupleNames& names : COUPLE_TABS) {
        QWidget* tab = child<QWidget*>(editor.get(), names.tab);
        for (const char* name : names.texts) {
            QCOMPARE(editor->findChildren<QLineEdit*>(QLatin1String(name)).size(), 1);
            QVERIFY2(tab->isAncestorOf(child<QWidget*>(editor.get(), name)), name);
        }
        for (const char* name : names.checks)
            QVERIFY2(tab->isAncestorOf(child<QWidget*>(editor.get(), name)), name);
        for (const char* name : names.options)
            QVERIFY2(tab->isAncestorOf(child<QWidget*>(editor.get(), name)), name);
        for (const char* name : names.eraButtons)
            QCOMPARE(child<QPushButton*>(editor.get(), name)->text(), QStringLiteral("和暦入力"));
    }
}

void TestSettingsEditor::testTabsShowRecord()
{
    const FamilyPlan plan = globalPlan();
    auto editor = openEditor();
    for (const CoupleNames& names : COUPLE_TABS) {
        const int s = names.section;
        for (int i = 0; i < 5; ++i)
            QCOMPARE(child<QLineEdit*>(editor.get(), names.texts[i])->text(),
                QString::number(plan.couple(CoupleSection { s }, 2 + i)));
        for (int i = 0; i < 7; ++i)
            QVERIFY2(child<QCheckBox*>(editor.get(), names.checks[i])->isChecked()
                    == (plan.couple(CoupleSection { s }, 9 + i) == 1),
                names.checks[i]);
        const bool manStat = plan.couple(CoupleSection { s }, COUPLE_MAN_LIFE_STAT) == 1;
        const bool womanStat = plan.couple(CoupleSection { s }, COUPLE_WOMAN_LIFE_STAT) == 1;
        QCOMPARE(child<QRadioButton*>(editor.get(), names.options[0])->isChecked(), manStat);
        QCOMPARE(child<QRadioButton*>(editor.get(), names.options[1])->isChecked(), !manStat);
        QCOMPARE(child<QRadioButton*>(editor.get(), names.options[2])->isChecked(), !womanStat);
        QCOMPARE(child<QRadioButton*>(editor.get(), names.options[3])->isChecked(), womanStat);
        // The lifespan box and its label show only for "任意", holding the stored lifespan.
        child<QTabWidget*>(editor.get(), "SSTab1")->setCurrentWidget(child<QWidget*>(editor.get(), names.tab));
        QCOMPARE(child<QLineEdit*>(editor.get(), names.texts[5])->isVisible(), !manStat);
        QCOMPARE(child<QLabel*>(editor.get(), names.lifeLabels[0])->isVisible(), !manStat);
        QCOMPARE(child<QLineEdit*>(editor.get(), names.texts[6])->isVisible(), !womanStat);
        QCOMPARE(child<QLabel*>(editor.get(), names.lifeLabels[1])->isVisible(), !womanStat);
        if (!manStat)
            QCOMPARE(child<QLineEdit*>(editor.get(), names.texts[5])->text(),
                QString::number(plan.couple(CoupleSection { s }, 7)));
        if (!womanStat)
            QCOMPARE(child<QLineEdit*>(editor.get(), names.texts[6])->text(),
                QString::number(plan.couple(CoupleSection { s }, 8)));
        // No frame is hidden for members outside the family (the husband's mother, the wife's parents).
        QVERIFY(child<QGroupBox*>(editor.get(), names.frame)->isVisible());
        for (QGroupBox* frame : child<QGroupBox*>(editor.get(), names.frame)->findChildren<QGroupBox*>())
            QVERIFY2(frame->isVisible(), qPrintable(frame->objectName()));
    }
}

void TestSettingsEditor::testGridShowsRecord()
{
    auto editor = openEditor();
    auto* grid = child<ChildrenGrid*>(editor.get(), "MSFlexGrid1");
    QCOMPARE(grid->childCount(), 3);
    QCOMPARE(gridColumn(grid, 1).join(QLatin1Char(',')),
        QStringLiteral("第1子,長女,2000,普通,4,6,12,15,18,20,22,26,28,31,32,60"));
    QCOMPARE(gridColumn(grid, 2).join(QLatin1Char(',')),
        QStringLiteral("第2子,長男,2003,早生,3,5,11,14,17,19,21,28,30,33,41,65"));
    QCOMPARE(gridColumn(grid, 3).join(QLatin1Char(',')),
        QStringLiteral("第3子,次男,2027,普通,4,6,12,15,0,20,18,29,31,34,41,60"));

    // Not recorded still loads the record; counts beyond ST3_COUNT get the defaults of their code.
    globalPlan().ST3_RECORDED = 0;
    globalPlan().ST3_COUNT = 2;
    auto second = openEditor();
    grid = child<ChildrenGrid*>(second.get(), "MSFlexGrid1");
    QCOMPARE(grid->childCount(), 3);
    QCOMPARE(grid->text(1, 2), QStringLiteral("長男"));
    QCOMPARE(grid->text(1, 3), QStringLiteral("次女"));
}

void TestSettingsEditor::testUpdateWithoutEdits()
{
    const FamilyPlan before = globalPlan();
    auto editor = openEditor();
    QSignalSpy finished(editor.get(), &QDialog::finished);
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command1"), Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(editor->result(), int(QDialog::Accepted));
    QVERIFY(!editor->isVisible());
    QCOMPARE(GuiTest::currentDocument().isSaved(), false);
    const FamilyPlan& after = globalPlan();
    QVERIFY(after == storedUnchanged(before));
    // The wife's parents were never entered: their stored numbers are kept and they join the family.
    QCOMPARE(after.ST5_RECORDED, int16_t { 1 });
    QCOMPARE(after.ST1_WIFE_PARENTS, int16_t { 1 });
    QCOMPARE(after.ST5_FATHER_BIRTH_YEAR, int16_t { 0 });
    QCOMPARE(after.ST1_CHILDREN_NOW, int16_t { 2 });
    QCOMPARE(after.ST1_CHILDREN_FUTURE, int16_t { 1 });
}

void TestSettingsEditor::testUpdateStoresMappedField_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text"); ///< new text of a box; empty to click the control
    QTest::addColumn<int>("section");
    QTest::addColumn<QVector<int>>("fields");
    QTest::addColumn<QVector<int>>("values");

    // Every text box of every couple tab, one row each.
    const int newValues[] = { 1950, 61, 1953, 59, 1977, 91, 95 };
    for (const CoupleNames& names : COUPLE_TABS) {
        for (int i = 0; i < 7; ++i) {
            // Lifespan boxes exist for "任意" only; the rows below cover them for the custom persons.
            const int slot = 2 + i;
            const bool statistic
                = (slot == COUPLE_MAN_LIFESPAN
                      && samplePlan().couple(CoupleSection { names.section }, COUPLE_MAN_LIFE_STAT) == 1)
                || (slot == COUPLE_WOMAN_LIFESPAN
                    && samplePlan().couple(CoupleSection { names.section }, COUPLE_WOMAN_LIFE_STAT) == 1);
            if (statistic)
                continue;
            QTest::addRow("%s", names.texts[i])
                << QString::fromLatin1(names.texts[i]) << QString::number(newValues[i] + names.section) << names.section
                << QVector<int> { slot } << QVector<int> { newValues[i] + names.section };
        }
        for (int i = 0; i < 7; ++i) {
            const int slot = 9 + i;
            QTest::addRow("%s", names.checks[i])
                << QString::fromLatin1(names.checks[i]) << QString() << names.section << QVector<int> { slot }
                << QVector<int> { samplePlan().couple(CoupleSection { names.section }, slot) == 1 ? 0 : 1 };
        }
    }
    // Options: "任意" stores the preset 78 / 84 and flips the pair of flags; "統計値" stores 78 / 84.
    QTest::newRow("Option2 husband custom")
        << QStringLiteral("Option2") << QString() << 2 << QVector<int> { 7, 16, 17 } << QVector<int> { 78, 0, 1 };
    QTest::newRow("Option4 wife statistic")
        << QStringLiteral("Option4") << QString() << 2 << QVector<int> { 8, 18, 19 } << QVector<int> { 84, 0, 1 };
    QTest::newRow("Option8 father statistic")
        << QStringLiteral("Option8") << QString() << 4 << QVector<int> { 7, 16, 17 } << QVector<int> { 78, 1, 0 };
    QTest::newRow("Option6 mother custom")
        << QStringLiteral("Option6") << QString() << 4 << QVector<int> { 8, 18, 19 } << QVector<int> { 84, 1, 0 };
    QTest::newRow("Option12 father statistic")
        << QStringLiteral("Option12") << QString() << 5 << QVector<int> { 7, 16, 17 } << QVector<int> { 78, 1, 0 };
    QTest::newRow("Option9 mother statistic")
        << QStringLiteral("Option9") << QString() << 5 << QVector<int> { 8, 18, 19 } << QVector<int> { 84, 0, 1 };
}

void TestSettingsEditor::testUpdateStoresMappedField()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(int, section);
    QFETCH(QVector<int>, fields);
    QFETCH(QVector<int>, values);

    FamilyPlan expected = storedUnchanged(globalPlan());
    for (int i = 0; i < fields.size(); ++i)
        expected.couple(CoupleSection { section }, fields.at(i)) = static_cast<int16_t>(values.at(i));

    auto editor = openEditor();
    auto* tabs = child<QTabWidget*>(editor.get(), "SSTab1");
    QWidget* widget = child<QWidget*>(editor.get(), qPrintable(control));
    QVERIFY(widget);
    tabs->setCurrentWidget(child<QWidget*>(editor.get(), namesOf(section).tab));
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        QVERIFY(box->isVisible());
        box->selectAll();
        QTest::keyClicks(box, text);
        QCOMPARE(box->text(), text);
        // Return in a box means 更新, as on the wizard pages.
        QTest::keyClick(box, Qt::Key_Return);
    } else {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
        QTest::mouseClick(child<QPushButton*>(editor.get(), "Command1"), Qt::LeftButton);
    }
    QVERIFY(!editor->isVisible());
    QCOMPARE(editor->result(), int(QDialog::Accepted));
    QCOMPARE(MessageBox::count(), 0);
    for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot) {
        for (int s : { 2, 4, 5 })
            QVERIFY2(globalPlan().couple(CoupleSection { s }, slot) == expected.couple(CoupleSection { s }, slot),
                qPrintable(QStringLiteral("ST%1 slot %2: %3, expected %4")
                               .arg(s)
                               .arg(slot)
                               .arg(globalPlan().couple(CoupleSection { s }, slot))
                               .arg(expected.couple(CoupleSection { s }, slot))));
    }
    QVERIFY(globalPlan() == expected);
}

void TestSettingsEditor::testCancelStoresNothing_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("ｷｬﾝｾﾙ") << 0;
    QTest::newRow("window frame") << 1;
    QTest::newRow("Escape") << 2;
}

void TestSettingsEditor::testCancelStoresNothing()
{
    QFETCH(int, how);
    const FamilyPlan before = globalPlan();
    auto editor = openEditor();
    QSignalSpy finished(editor.get(), &QDialog::finished);
    child<QLineEdit*>(editor.get(), "Text1")->setText(QStringLiteral("1999"));
    child<QCheckBox*>(editor.get(), "Check17")->click();
    auto* grid = child<ChildrenGrid*>(editor.get(), "MSFlexGrid1");
    grid->setCurrentCell(1, 2);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command13"), Qt::LeftButton);
    QCOMPARE(grid->childCount(), 2);

    if (how == 0)
        QTest::mouseClick(child<QPushButton*>(editor.get(), "Command2"), Qt::LeftButton);
    else if (how == 1)
        editor->close();
    else
        QTest::keyClick(editor.get(), Qt::Key_Escape);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(editor->result(), int(QDialog::Rejected));
    QVERIFY(globalPlan() == before);
    QCOMPARE(GuiTest::currentDocument().isSaved(), true);
}

void TestSettingsEditor::testLifespanOptions()
{
    auto editor = openEditor();
    child<QTabWidget*>(editor.get(), "SSTab1")->setCurrentIndex(2);
    // The husband's father is "任意" with 81 stored.
    auto* box = child<QLineEdit*>(editor.get(), "Text12");
    QVERIFY(box->isVisible());
    QCOMPARE(box->text(), QStringLiteral("81"));
    child<QRadioButton*>(editor.get(), "Option8")->click();
    QVERIFY(!box->isVisible());
    QVERIFY(!child<QLabel*>(editor.get(), "Label20")->isVisible());
    child<QRadioButton*>(editor.get(), "Option7")->click();
    QVERIFY(box->isVisible());
    QVERIFY(child<QLabel*>(editor.get(), "Label20")->isVisible());
    QCOMPARE(box->text(), QStringLiteral("78"));
    // The husband's mother is loaded with "統計値"; switched to "任意" she gets 84 to edit.
    auto* motherBox = child<QLineEdit*>(editor.get(), "Text9");
    QVERIFY(!motherBox->isVisible());
    child<QRadioButton*>(editor.get(), "Option6")->click();
    QVERIFY(motherBox->isVisible());
    QCOMPARE(motherBox->text(), QStringLiteral("84"));
}

void TestSettingsEditor::testRejectsBoxWithoutNumber()
{
    const FamilyPlan before = globalPlan();
    auto editor = openEditor();
    auto* box = child<QLineEdit*>(editor.get(), "Text13");
    box->clear();
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command1"), Qt::LeftButton);
    QCOMPARE(MessageBox::count(), 1);
    QVERIFY2(MessageBox::lastText().endsWith(QStringLiteral("数値を入力してください。")),
        qPrintable(MessageBox::lastText()));
    QVERIFY(editor->isVisible());
    QCOMPARE(
        child<QTabWidget*>(editor.get(), "SSTab1")->currentWidget()->objectName(), QStringLiteral("husbandParentsTab"));
    QVERIFY(globalPlan() == before);
    QCOMPARE(GuiTest::currentDocument().isSaved(), true);
    // The boxes take digits only, at most their length.
    QTest::keyClicks(box, QStringLiteral("a-1234"));
    QCOMPARE(box->text(), QStringLiteral("12"));
}

void TestSettingsEditor::testEveryStoredValueShownAndKeptWhole()
{
    // Values a plan file can hold but no box is typed to: longer than the box's typed length, or
    // negative. A retirement age of 100 must not come back as 10.
    FamilyPlan plan = globalPlan();
    plan.ST2_HUSBAND_RETIRE_AGE = 100;
    plan.ST2_WIFE_BIRTH_YEAR = -32768;
    plan.ST2_MARRIAGE_YEAR = 32767;
    plan.ST4_FATHER_LIFESPAN = 1000; // on "任意"
    plan.ST4_FATHER_RETIRE_AGE = -1;
    plan.mtx1(1, MTX1_RETIRE) = 100;
    globalPlan() = plan;
    auto editor = openEditor();
    const std::pair<const char*, const char*> shown[] = {
        { "Text2", "100" },
        { "Text3", "-32768" },
        { "Text5", "32767" },
        { "Text12", "1000" },
        { "Text13", "-1" },
    };
    for (const auto& [name, text] : shown)
        QCOMPARE(child<QLineEdit*>(editor.get(), name)->text(), QString::fromLatin1(text));
    // Every box of every tab is wide enough for the widest value.
    for (const QLineEdit* box : editor->findChildren<QLineEdit*>())
        QVERIFY2(GuiTest::fitsLineEdit(box, QStringLiteral("-32768")), qPrintable(box->objectName()));

    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command1"), Qt::LeftButton);
    QCOMPARE(editor->result(), int(QDialog::Accepted));
    QVERIFY(globalPlan() == storedUnchanged(plan));
}

void TestSettingsEditor::testEraButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("insert");
    for (const CoupleNames& names : COUPLE_TABS) {
        const int boxes[] = { 0, 2, 4 };
        for (int i = 0; i < 3; ++i) {
            QTest::addRow("%s insert", names.eraButtons[i])
                << QString::fromLatin1(names.eraButtons[i]) << QString::fromLatin1(names.texts[boxes[i]]) << true;
        }
    }
    QTest::newRow("Command8 cancel") << QStringLiteral("Command8") << QStringLiteral("Text14") << false;
}

void TestSettingsEditor::testEraButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, box);
    QFETCH(bool, insert);
    auto editor = openEditor();
    auto* target = child<QLineEdit*>(editor.get(), qPrintable(box));
    const QString before = target->text();
    int inserted = 0;
    bool ran = false;
    whenModal<Form23>(
        [&](Form23* dialog) {
            inserted = dialog->shownYear();
            child<QPushButton*>(dialog, insert ? "Command2" : "Command1")->click();
        },
        &ran);
    child<QPushButton*>(editor.get(), qPrintable(button))->click();
    QTRY_VERIFY(ran);
    QCOMPARE(target->text(), insert ? QString::number(inserted) : before);
    // Only the button's own box changes.
    const Form2 fresh;
    for (const CoupleNames& names : COUPLE_TABS) {
        for (const char* name : names.texts) {
            if (QLatin1String(name) != box)
                QCOMPARE(child<QLineEdit*>(editor.get(), name)->text(), child<QLineEdit*>(&fresh, name)->text());
        }
    }
}

void TestSettingsEditor::testAddThenCancel()
{
    auto editor = openEditor();
    auto* grid = child<ChildrenGrid*>(editor.get(), "MSFlexGrid1");
    const QStringList third = gridColumn(grid, 3);
    bool ran = false;
    QStringList shown;
    whenModal<Form222>(
        [&](Form222* dialog) {
            QCOMPARE(grid->childCount(), 4); // the new column exists while the dialog is up
            QCOMPARE(child<QLabel*>(dialog, "Label23")->text(), QStringLiteral("第4子の設定内容"));
            QCOMPARE(child<QComboBox*>(dialog, "Combo1")->currentIndex(), -1);
            QCOMPARE(child<QComboBox*>(dialog, "Combo2")->currentIndex(), -1);
            QVERIFY(!child<QCheckBox*>(dialog, "Check1")->isChecked());
            for (const char* name : { "Text11",
                     "Text1",
                     "Text2",
                     "Text3",
                     "Text6",
                     "Text12",
                     "Text4",
                     "Text13",
                     "Text7",
                     "Text8",
                     "Text9",
                     "Text5",
                     "Text10" })
                shown.append(child<QLineEdit*>(dialog, name)->text());
            QCOMPARE(dialog->column(), 4);
            child<QPushButton*>(dialog, "Command1")->click();
        },
        &ran);
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command12"), Qt::LeftButton);
    QTRY_VERIFY(ran);
    QCOMPARE(shown.join(QLatin1Char(',')), QStringLiteral("1995,4,6,12,15,18,20,22,28,30,33,41,60"));
    QCOMPARE(grid->childCount(), 3);
    QCOMPARE(gridColumn(grid, 3), third);
}

void TestSettingsEditor::testAddThenUpdate()
{
    auto editor = openEditor();
    auto* grid = child<ChildrenGrid*>(editor.get(), "MSFlexGrid1");
    bool ran = false;
    whenModal<Form222>(
        [&](Form222* dialog) {
            child<QComboBox*>(dialog, "Combo1")->setCurrentIndex(1); // 女性: 長女 and her statistic ages
            child<QComboBox*>(dialog, "Combo2")->setCurrentIndex(12); // 三女
            child<QLineEdit*>(dialog, "Text11")->setText(QStringLiteral("2030"));
            child<QPushButton*>(dialog, "Command3")->click();
        },
        &ran);
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command12"), Qt::LeftButton);
    QTRY_VERIFY(ran);
    QCOMPARE(gridColumn(grid, 4).join(QLatin1Char(',')),
        QStringLiteral("第4子,三女,2030,普通,4,6,12,15,18,20,22,26,28,31,32,60"));

    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command1"), Qt::LeftButton);
    const FamilyPlan& plan = globalPlan();
    QCOMPARE(plan.ST3_COUNT, int16_t { 4 });
    QCOMPARE(plan.ST1_CHILDREN_NOW, int16_t { 2 });
    QCOMPARE(plan.ST1_CHILDREN_FUTURE, int16_t { 2 });
    QCOMPARE(plan.mtx2(4, MTX2_ZOKUGARA), std::string("三女"));
    QCOMPARE(plan.mtx1(4, MTX1_BIRTH_YEAR), int16_t { 2030 });
    QCOMPARE(plan.mtx1(4, MTX1_MARRIAGE), int16_t { 26 });
    QCOMPARE(plan.mtx1(3, MTX1_BIRTH_YEAR), int16_t { 2027 });
}

void TestSettingsEditor::testAddAtTenRefused()
{
    FamilyPlan& plan = globalPlan();
    plan.ST1_CHILDREN_NOW = 7;
    plan.ST1_CHILDREN_FUTURE = 3;
    auto editor = openEditor();
    auto* grid = child<ChildrenGrid*>(editor.get(), "MSFlexGrid1");
    QCOMPARE(grid->childCount(), 10);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command12"), Qt::LeftButton);
    QCOMPARE(MessageBox::count(), 1);
    QCOMPARE(MessageBox::lastText(), QStringLiteral("子供の数は、１０人まで設定できます。"));
    QCOMPARE(grid->childCount(), 10);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestSettingsEditor::testDeleteFirstOfThree()
{
    auto editor = openEditor();
    auto* grid = child<ChildrenGrid*>(editor.get(), "MSFlexGrid1");
    const QStringList second = gridColumn(grid, 2).mid(1);
    const QStringList third = gridColumn(grid, 3).mid(1);
    grid->setCurrentCell(5, 1);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command13"), Qt::LeftButton);
    QCOMPARE(MessageBox::lastText(), QStringLiteral("【第1子】を削除しますか？"));
    QCOMPARE(grid->childCount(), 2);
    QCOMPARE(gridColumn(grid, 1), QStringList { QStringLiteral("第1子") } + second);
    QCOMPARE(gridColumn(grid, 2), QStringList { QStringLiteral("第2子") } + third);
    QCOMPARE(grid->text(1, 1), QStringLiteral("長男")); // labels move with their children

    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command1"), Qt::LeftButton);
    const FamilyPlan& plan = globalPlan();
    QCOMPARE(plan.ST3_COUNT, int16_t { 2 });
    QCOMPARE(plan.ST1_CHILDREN_NOW, int16_t { 2 });
    QCOMPARE(plan.ST1_CHILDREN_FUTURE, int16_t { 0 });
    QCOMPARE(plan.mtx2(1, MTX2_ZOKUGARA), std::string("長男"));
    QCOMPARE(plan.mtx2(1, MTX2_HAYAUMARE), std::string("早生"));
    QCOMPARE(plan.mtx1(2, MTX1_BIRTH_YEAR), int16_t { 2027 });
}

void TestSettingsEditor::testDeleteAnsweredNo()
{
    auto editor = openEditor();
    auto* grid = child<ChildrenGrid*>(editor.get(), "MSFlexGrid1");
    QStringList before;
    for (int c = 0; c <= 3; ++c)
        before += gridColumn(grid, c);
    grid->setCurrentCell(2, 3);
    MessageBox::setNextAnswer(QMessageBox::No);
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command13"), Qt::LeftButton);
    QCOMPARE(MessageBox::lastText(), QStringLiteral("【第3子】を削除しますか？"));
    QStringList after;
    for (int c = 0; c <= grid->childCount(); ++c)
        after += gridColumn(grid, c);
    QCOMPARE(after, before);

    // Deleting the last child needs no move; with no children left nothing is asked.
    MessageBox::setNextAnswer(QMessageBox::Yes);
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command13"), Qt::LeftButton);
    QCOMPARE(grid->childCount(), 2);
    for (int k = 0; k < 2; ++k) {
        grid->setCurrentCell(1, 1);
        MessageBox::setNextAnswer(QMessageBox::Yes);
        QTest::mouseClick(child<QPushButton*>(editor.get(), "Command13"), Qt::LeftButton);
    }
    QCOMPARE(grid->childCount(), 0);
    MessageBox::clearLast();
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command13"), Qt::LeftButton);
    QCOMPARE(MessageBox::count(), 0);
    QCOMPARE(grid->columnCount(), 1);
}

void TestSettingsEditor::testDoubleClickEditAndCancel()
{
    auto editor = openEditor();
    QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    child<QTabWidget*>(editor.get(), "SSTab1")->setCurrentIndex(1);
    auto* grid = child<ChildrenGrid*>(editor.get(), "MSFlexGrid1");
    const QStringList before = gridColumn(grid, 2);
    const QRect cell = grid->visualItemRect(grid->item(4, 2));
    QVERIFY(cell.isValid());

    bool ran = false;
    whenModal<Form222>(
        [&](Form222* dialog) {
            QCOMPARE(child<QLabel*>(dialog, "Label23")->text(), QStringLiteral("第2子の設定内容"));
            QCOMPARE(child<QComboBox*>(dialog, "Combo2")->currentText(), QStringLiteral("長男"));
            child<QLineEdit*>(dialog, "Text11")->setText(QStringLiteral("1990"));
            child<QPushButton*>(dialog, "Command1")->click();
        },
        &ran);
    // The view takes a double click only on the cell the press went to.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_VERIFY(ran);
    QCOMPARE(grid->childCount(), 3);
    QCOMPARE(gridColumn(grid, 2), before);

    ran = false;
    whenModal<Form222>(
        [&](Form222* dialog) {
            child<QLineEdit*>(dialog, "Text11")->setText(QStringLiteral("1990"));
            child<QPushButton*>(dialog, "Command3")->click();
        },
        &ran);
    // The view takes a double click only on the cell the press went to.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_VERIFY(ran);
    QCOMPARE(grid->childCount(), 3);
    QCOMPARE(grid->text(2, 2), QStringLiteral("1990"));
}

void TestSettingsEditor::testHelpShowsTopic()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("HARUKAZE.HLP"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><body><a name=\"contents\"></a><h1>目次</h1>"
               "<a name=\"topic-70\"></a><h2>子供</h2><p>x</p>"
               "<a name=\"topic-62\"></a><h2>家族設定内容の変更</h2><p>y</p></body></html>");
    file.close();
    Help::setHelpFile(path);
    auto editor = openEditor();
    QTest::mouseClick(child<QPushButton*>(editor.get(), "Command14"), Qt::LeftButton);
    HelpViewer* viewer = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* candidate = qobject_cast<HelpViewer*>(widget); candidate && candidate->isVisible())
            viewer = candidate;
    }
    QVERIFY(viewer);
    QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-62"));
    QVERIFY(editor->isVisible());
}

QTEST_MAIN(TestSettingsEditor)
#include "TestSettingsEditor.moc"

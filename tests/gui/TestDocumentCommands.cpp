// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/CsvWriter.h"
#include "core/money/CashFlow.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"
#include "core/table/Clock.h"
#include "core/table/TableBuilder.h"
#include "core/table/TableCsv.h"
#include "gui/common/BusyPointer.h"
#include "gui/common/FileDialog.h"
#include "gui/common/FileMessages.h"
#include "gui/common/MessageBox.h"
#include "gui/common/PlanSession.h"
#include "gui/common/ProcessState.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/money/MoneySettingsDialog.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmMain.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/table/TableWindow.h"
#include "gui/wizard/SetupWizard.h"
#include "support/ExportReader.h"
#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <unistd.h>

using namespace harukaze;

using Command = frmMain::Command;
using TableKind = frmMain::TableKind;

namespace {

const Command kDocumentCommands[] = {
    Command::New, Command::Open, Command::Close, Command::Csv, Command::Save, Command::ChangeSettings, Command::Font
};

QString commandStates(const frmMain& main)
{
    QString states;
    for (Command command : kDocumentCommands) {
        const bool item = main.isCommandEnabled(command);
        const bool button = main.toolbarAction(command)->isEnabled();
        // A menu item out of step with its button shows as "x".
        states += item != button ? QLatin1Char('x') : item ? QLatin1Char('1') : QLatin1Char('0');
    }
    return states;
}

void setAllCommands(frmMain& main, bool enabled)
{
    for (Command command : kDocumentCommands) {
        main.action(command)->setEnabled(enabled);
        main.toolbarAction(command)->setEnabled(enabled);
    }
}

/** Husband, wife and two children with their events, both sets of parents left out. */
void writeFamily(FamilyPlan& plan)
{
    REC_CLEAR(plan);
    plan.ST1_RECORDED = 1;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST1_CHILDREN = 1;
    plan.ST1_CHILDREN_NOW = 1;
    plan.ST1_CHILDREN_FUTURE = 1;
    plan.ST2_RECORDED = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1985;
    plan.ST2_WIFE_BIRTH_YEAR = 1988;
    plan.ST2_MARRIAGE_YEAR = 2012;
    plan.ST2_HUSBAND_RETIRE_AGE = 65;
    plan.ST2_WIFE_RETIRE_AGE = 60;
    plan.ST2_HUSBAND_LIFESPAN = 80;
    plan.ST2_WIFE_LIFESPAN = 90;
    plan.ST2_HUSBAND_LIFE_CUSTOM = 1;
    plan.ST2_WIFE_LIFE_CUSTOM = 1;
    plan.ST2_BRONZE_WEDDING = 1;
    plan.ST2_SILVER_WEDDING = 1;
    plan.ST2_HUSBAND_RETIRE = 1;
    plan.ST2_WIFE_YAKUTOSHI = 1;
    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = 2;
    const char* labels[] = { "長女", "次女" };
    for (int child = 1; child <= 2; ++child) {
        plan.mtx2(child, MTX2_ZOKUGARA) = labels[child - 1];
        plan.mtx2(child, MTX2_HAYAUMARE) = child == 1 ? "普通" : "早生";
        plan.mtx1(child, MTX1_BIRTH_YEAR) = static_cast<int16_t>(2014 + 3 * child);
        plan.mtx1(child, MTX1_KINDERGARTEN) = 4;
        plan.mtx1(child, MTX1_ELEMENTARY) = 6;
        plan.mtx1(child, MTX1_JUNIOR_HIGH) = 12;
        plan.mtx1(child, MTX1_HIGH_SCHOOL) = 15;
        plan.mtx1(child, MTX1_UNIVERSITY) = 18;
        plan.mtx1(child, MTX1_COMING_OF_AGE) = 20;
        plan.mtx1(child, MTX1_EMPLOYMENT) = 22;
        plan.mtx1(child, MTX1_MARRIAGE) = 27;
        plan.mtx1(child, MTX1_YAKUTOSHI) = 32;
        plan.mtx1(child, MTX1_RETIRE) = 60;
    }
    plan.ST4_FATHER_BIRTH_YEAR = -1; // a negative number survives the file
}

/** The plan as a file gives it back: children above ST3_COUNT are placeholders, which are ignored. */
FamilyPlan withoutUnusedChildren(FamilyPlan plan)
{
    for (int child = plan.childCount() + 1; child <= MAX_CHILDREN; ++child) {
        plan.ST3_MTX1[static_cast<size_t>(child - 1)].fill(0);
        plan.ST3_MTX2[static_cast<size_t>(child - 1)].fill(std::string());
    }
    return plan;
}

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testAvailability_data();
    void testAvailability();
    void testOpenShowsTableAndClosesWithoutQuestion();
    void testOpenCancelledChangesNothing();
    void testOpenMissingFile();
    void testCloseUnsavedAsks_data();
    void testCloseUnsavedAsks();
    void testSaveRetitlesForm100();
    void testSaveRetitlesForm200();
    void testSaveThenOpenRestoresPlan();
    void testSaveFailureLosesNothing();
    void testCutMoneySectionWarnsAndSavingAsks();
    void testCsvEqualsExporter_data();
    void testCsvEqualsExporter();
    void testCsvWithNoTableIsEmpty();
    void testCsvFailureLosesNothing();
    void testCancelledSaveDialogsDoNothing_data();
    void testCancelledSaveDialogsDoNothing();
    void testExitWithUnsavedPlanAsks();
    void testExitStoresPlacementAndEnds();
    void testExitWhileEditorHoldsUnsavedPlanAsks_data();
    void testExitWhileEditorHoldsUnsavedPlanAsks();
    void testFrameCloseWithUnsavedPlanAsks();
    void testNewCommandAndWizardCancel();
    void testWizardFinishOpensForm100AndCloseAsks();
    void testChangeSettingsRebuildsForm200_data();
    void testChangeSettingsRebuildsForm200();
    void testChangeSettingsWithForm100Open();
    void testOpenPlanFileOverAnUnsavedTable();
    void testBusyPointerNests();
    void testPrintAndExportServeTheShownTable();
    void testWriteProtectedPlanIsNotReplaced();
    void testCashFlowFollowsThePlan();

private:
    std::unique_ptr<frmMain> startMain(bool demo = false);
    QString path(const QString& name) const { return m_files.path() + QLatin1Char('/') + name; }

    GuiTest::TemporarySettings m_settings;
    QTemporaryDir m_files;
};

void TestDocumentCommands::initTestCase()
{
    GuiTest::setUpProgramEnvironment(2026);
    QVERIFY(m_files.isValid());
}

void TestDocumentCommands::init()
{
    m_settings.clear();
    GuiTest::resetProcessState();
    MessageBox::clearLast();
    setCurrentYearOverride(2026);
}

void TestDocumentCommands::cleanup()
{
    GuiTest::resetProcessState();
}

std::unique_ptr<frmMain> TestDocumentCommands::startMain(bool demo)
{
    return GuiTest::startMainWindow(m_settings, demo);
}

void TestDocumentCommands::testAvailability_data()
{
    // Expected states in the order New, Open, Close, CSV, Save, Change settings, Font;
    // "-" = left as it was (checked from an all-on and from an all-off start).
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Form100 finishes loading") << "form100"
                                              << "--11101";
    QTest::newRow("Form200 finishes loading") << "form200"
                                              << "0011111";
    QTest::newRow("close of the demo") << "closeDemo"
                                       << "110---0";
    QTest::newRow("close of Form100") << "closeForm100"
                                      << "110---0";
    QTest::newRow("close of Form200") << "closeForm200"
                                      << "11000-0";
}

void TestDocumentCommands::testAvailability()
{
    QFETCH(QString, event);
    QFETCH(QString, expected);
    for (bool before : { true, false }) {
        auto main = startMain(event == QLatin1String("closeDemo"));
        writeFamily(globalPlan());
        if (event == QLatin1String("closeForm100"))
            main->openTableWindow(TableKind::Form100);
        if (event == QLatin1String("closeForm200"))
            main->openTableWindow(TableKind::Form200);
        PlanSessionTestAccess::state().SAVED = 1;
        setAllCommands(*main, before);

        if (event == QLatin1String("form100"))
            main->openTableWindow(TableKind::Form100);
        else if (event == QLatin1String("form200"))
            main->openTableWindow(TableKind::Form200);
        else
            QVERIFY(main->closeCommand());

        QString wanted = expected;
        for (QChar& state : wanted) {
            if (state == QLatin1Char('-'))
                state = before ? QLatin1Char('1') : QLatin1Char('0');
        }
        QCOMPARE(commandStates(*main), wanted);
        QVERIFY(main->isCommandEnabled(Command::Exit));
        QCOMPARE(MessageBox::count(), 0);
    }
}

void TestDocumentCommands::testOpenShowsTableAndClosesWithoutQuestion()
{
    FamilyPlan plan;
    writeFamily(plan);
    const QString file = path(QStringLiteral("open-me.HRZ"));
    QVERIFY(FILE_OUT_D(file.toStdString(), plan));

    auto main = startMain();
    FileDialog::setNextFileName(file);
    main->action(Command::Open)->trigger();
    QCOMPARE(FileDialog::lastTitle(), QStringLiteral("ファイル名を開く"));
    QVERIFY(FileDialog::lastFilter().startsWith(QStringLiteral("HARUKAZE (*.HRZ")));
    QVERIFY(FileDialog::lastFilter().contains(QStringLiteral("*.hrz")));

    TableWindow* window = main->tableWindow();
    QVERIFY(window);
    QCOMPARE(window->objectName(), QStringLiteral("Form200"));
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - ") + file);
    QCOMPARE(QString::fromStdString(globalState().PLAN_FILE_NAME), file);
    QCOMPARE(globalState().SAVED, int16_t(1));
    QCOMPARE(globalState().FORM200_OPEN, int16_t(1));
    QCOMPARE(window->grid()->cols(), 6);
    QCOMPARE(window->grid()->text(0, 5), QStringLiteral("次女"));
    QVERIFY(!QApplication::overrideCursor());

    // Just opened, so nothing to save: closing asks nothing.
    QPointer<TableWindow> watched = window;
    main->toolbarAction(Command::Close)->trigger();
    QCOMPARE(MessageBox::count(), 0);
    QTRY_VERIFY(!watched);
    QCOMPARE(globalState().FORM200_OPEN, int16_t(0));
    QCOMPARE(commandStates(*main), QStringLiteral("1100010"));
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
}

void TestDocumentCommands::testOpenCancelledChangesNothing()
{
    auto main = startMain();
    writeFamily(globalPlan());
    const FamilyPlan before = globalPlan();
    PlanSessionTestAccess::state().PLAN_FILE_NAME = "/somewhere/old.HRZ";
    FileDialog::setNextFileName(QString());
    main->action(Command::Open)->trigger();
    QCOMPARE(globalPlan(), before);
    QCOMPARE(globalState().PLAN_FILE_NAME, std::string("/somewhere/old.HRZ"));
    QVERIFY(!main->tableWindow());
    QCOMPARE(MessageBox::count(), 0);
    QCOMPARE(commandStates(*main), QStringLiteral("1100001"));
}

void TestDocumentCommands::testOpenMissingFile()
{
    auto main = startMain();
    writeFamily(globalPlan());
    const QString missing = path(QStringLiteral("no-such-plan.HRZ"));
    for (const QString& target : { missing, m_files.path() }) {
        MessageBox::clearLast();
        MessageBox::setNextAnswer(QMessageBox::Ok);
        FileDialog::setNextFileName(target);
        main->action(Command::Open)->trigger();
        QCOMPARE(MessageBox::count(), 1);
        // The mended text and the path, then the system's reason on a line of its own.
        QVERIFY2(MessageBox::lastText().startsWith(
                     QStringLiteral("ファイルを開けませんでした。\n") + target + QLatin1Char('\n')),
            qPrintable(MessageBox::lastText()));
        QCOMPARE(MessageBox::lastButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(!main->tableWindow());
        QCOMPARE(main->mdiArea()->subWindowList().size(), 0);
        QCOMPARE(globalPlan(), FamilyPlan());
        QCOMPARE(globalState().PLAN_FILE_NAME, std::string());
        QCOMPARE(globalState().FORM200_OPEN, int16_t(0));
        QCOMPARE(commandStates(*main), QStringLiteral("1100001"));
        QVERIFY(!QApplication::overrideCursor());
    }
}

void TestDocumentCommands::testCloseUnsavedAsks_data()
{
    QTest::addColumn<bool>("form100");
    QTest::newRow("Form100 from the wizard") << true;
    QTest::newRow("Form200 after the settings editor") << false;
}

void TestDocumentCommands::testCloseUnsavedAsks()
{
    QFETCH(bool, form100);
    auto main = startMain();
    writeFamily(globalPlan());
    QPointer<TableWindow> window = main->openTableWindow(form100 ? TableKind::Form100 : TableKind::Form200);
    QCOMPARE(globalState().SAVED, int16_t(0));
    main->setWindowTitle(QStringLiteral("ハルカゼ - [新規作成]"));
    const QString states = commandStates(*main);

    MessageBox::setNextAnswer(QMessageBox::Cancel);
    main->action(Command::Close)->trigger();
    QCOMPARE(MessageBox::count(), 1);
    QCOMPARE(MessageBox::lastText(), QStringLiteral("「データ保存」されていません。"));
    QCOMPARE(MessageBox::lastIcon(), QMessageBox::Warning);
    QCOMPARE(MessageBox::lastButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(MessageBox::lastDefaultButton(), QMessageBox::Cancel);
    QCOMPARE(MessageBox::lastTitle(), QStringLiteral("HARUKAZE"));
    QTest::qWait(10);
    QVERIFY(window);
    QCOMPARE(main->tableWindow(), window.data());
    QCOMPARE(commandStates(*main), states);
    QCOMPARE(form100 ? globalState().FORM100_OPEN : globalState().FORM200_OPEN, int16_t(1));
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ - [新規作成]"));

    MessageBox::setNextAnswer(QMessageBox::Ok);
    main->action(Command::Close)->trigger();
    QCOMPARE(MessageBox::count(), 2);
    QTRY_VERIFY(!window);
    QCOMPARE(globalState().FORM100_OPEN, int16_t(0));
    QCOMPARE(globalState().FORM200_OPEN, int16_t(0));
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
    QCOMPARE(commandStates(*main), form100 ? QStringLiteral("1101100") : QStringLiteral("1100010"));
    // Closing leaves the plan as it was.
    FamilyPlan expected;
    writeFamily(expected);
    QCOMPARE(globalPlan(), expected);
}

void TestDocumentCommands::testSaveRetitlesForm100()
{
    auto main = startMain();
    writeFamily(globalPlan());
    main->setWindowTitle(QStringLiteral("ハルカゼ - [新規作成]"));
    TableWindow* window = main->openTableWindow(TableKind::Form100);
    PlanSessionTestAccess::state().PLAN_FILE_NAME = "";

    const QString chosen = path(QStringLiteral("new-plan"));
    const QString saved = chosen + QStringLiteral(".HRZ");
    FileDialog::setNextFileName(chosen);
    main->toolbarAction(Command::Save)->trigger();
    QCOMPARE(FileDialog::lastTitle(), QStringLiteral("ファイル名を付けて保存"));
    QVERIFY(FileDialog::lastFilter().startsWith(QStringLiteral("HARUKAZE (*.HRZ")));
    QVERIFY(QFile::exists(saved));
    QCOMPARE(GuiTest::readFile(saved), QByteArray::fromStdString(planFileBytes(globalPlan())));
    QCOMPARE(globalState().SAVED, int16_t(1));
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - ") + saved);
    // The plan now belongs to the file it was saved to.
    QCOMPARE(globalState().PLAN_FILE_NAME, saved.toStdString());
    QCOMPARE(MessageBox::count(), 0);

    // Saved, so closing asks nothing; saving over an existing file asks nothing either.
    globalPlan().ST2_WIFE_RETIRE_AGE = 63;
    FileDialog::setNextFileName(saved);
    main->action(Command::Save)->trigger();
    QCOMPARE(MessageBox::count(), 0);
    QCOMPARE(GuiTest::readFile(saved), QByteArray::fromStdString(planFileBytes(globalPlan())));
    main->closeCommand();
    QCOMPARE(MessageBox::count(), 0);
    QCOMPARE(globalState().FORM100_OPEN, int16_t(0));
}

void TestDocumentCommands::testSaveRetitlesForm200()
{
    auto main = startMain();
    writeFamily(globalPlan());
    PlanSessionTestAccess::state().PLAN_FILE_NAME = "/old/place.HRZ";
    TableWindow* window = main->openTableWindow(TableKind::Form200);
    main->setWindowTitle(QStringLiteral("ハルカゼ - [新規作成]"));
    const QString target = path(QStringLiteral("copy.hrz"));
    FileDialog::setNextFileName(target);
    main->action(Command::Save)->trigger();
    QVERIFY(QFile::exists(target));
    QCOMPARE(globalState().SAVED, int16_t(1));
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - ") + target);
    // Only a plan of Form100 gives the main window its plain caption back.
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ - [新規作成]"));
    // After "save as", the title and the next question name the file last saved.
    QCOMPARE(globalState().PLAN_FILE_NAME, target.toStdString());
}

void TestDocumentCommands::testSaveThenOpenRestoresPlan()
{
    auto main = startMain();
    writeFamily(globalPlan());
    const FamilyPlan original = globalPlan();
    main->openTableWindow(TableKind::Form100);
    const QString file = path(QStringLiteral("round-trip.HRZ"));
    FileDialog::setNextFileName(file);
    main->action(Command::Save)->trigger();
    main->closeCommand();
    QVERIFY(!main->tableWindow());

    FileDialog::setNextFileName(file);
    main->action(Command::Open)->trigger();
    QVERIFY(main->tableWindow());
    QCOMPARE(withoutUnusedChildren(globalPlan()), withoutUnusedChildren(original));
    QCOMPARE(globalPlan().ST4_FATHER_BIRTH_YEAR, int16_t(-1));
    QCOMPARE(globalPlan().mtx2(2, MTX2_HAYAUMARE), std::string("早生"));
}

void TestDocumentCommands::testCutMoneySectionWarnsAndSavingAsks()
{
    auto main = startMain();
    // A later version's section longer than this one reads: 4,200 lines after the header.
    FamilyPlan plan;
    writeFamily(plan);
    std::string bytes = planFileBytes(plan) + std::string(MONEY_SECTION_HEADER) + "\r\n";
    for (int i = 0; i < 4200; ++i)
        bytes += "LATER" + std::to_string(i) + "=1\r\n";
    bytes += std::string(MONEY_SECTION_END) + "\r\n";
    const QString file = path(QStringLiteral("long.HRZ"));
    QVERIFY(FILE_OUT_D(file.toStdString(), FamilyPlan()));
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    MessageBox::setNextAnswer(QMessageBox::Ok);
    FileDialog::setNextFileName(file);
    main->action(Command::Open)->trigger();
    QVERIFY(main->tableWindow());
    QCOMPARE(MessageBox::count(), 1);
    // Lines 4397 .. 4501 of the file (END_MONEY not counted) were never read; of the 4,095 read,
    // 4096 - (header, 31 settings, the eleven 額面 keys and the savings basis, 10 x 5 child lines,
    // END_MONEY) - 100 entries = 3,901 are kept, the last 194 make room for what the writer adds.
    const QString dropped = QStringLiteral("・ファイルの4397行目から後の105行\n"
                                           "・このバージョンで使わない行（新しい版の設定など）のうち後ろの194行");
    QVERIFY2(
        MessageBox::lastText().startsWith(moneySectionCutWarning(file, dropped)), qPrintable(MessageBox::lastText()));

    // Saving asks first; キャンセル leaves the file as it was.
    MessageBox::clearLast();
    MessageBox::setNextAnswer(QMessageBox::Cancel);
    FileDialog::setNextFileName(file);
    main->action(Command::Save)->trigger();
    QVERIFY(MessageBox::lastText().startsWith(
        QStringLiteral("このプランは、家計設定の一部を読み込まずに開いています。\n") + dropped));
    QCOMPARE(GuiTest::readFile(file), QByteArray::fromStdString(bytes));

    // OK saves what was read, which opens again without a word.
    MessageBox::clearLast();
    MessageBox::setNextAnswer(QMessageBox::Ok);
    FileDialog::setNextFileName(file);
    main->action(Command::Save)->trigger();
    QCOMPARE(MessageBox::count(), 1);
    QCOMPARE(globalState().SAVED, int16_t(1));
    QVERIFY(GuiTest::readFile(file) != QByteArray::fromStdString(bytes));
    QVERIFY(main->closeCommand());
    MessageBox::clearLast();
    FileDialog::setNextFileName(file);
    main->action(Command::Open)->trigger();
    QVERIFY(main->tableWindow());
    QCOMPARE(MessageBox::count(), 0);
    QVERIFY(PlanSession::instance().moneySectionCut().isEmpty());
}

void TestDocumentCommands::testSaveFailureLosesNothing()
{
    auto main = startMain();
    writeFamily(globalPlan());
    TableWindow* window = main->openTableWindow(TableKind::Form100);
    main->setWindowTitle(QStringLiteral("ハルカゼ - [新規作成]"));

    // A folder that does not exist, and a name taken by a folder.
    QVERIFY(QDir(m_files.path()).mkpath(QStringLiteral("taken.HRZ")));
    const QStringList targets { path(QStringLiteral("missing/folder/plan.HRZ")), path(QStringLiteral("taken.HRZ")) };
    for (const QString& target : targets) {
        MessageBox::clearLast();
        MessageBox::setNextAnswer(QMessageBox::Ok);
        FileDialog::setNextFileName(target);
        main->action(Command::Save)->trigger();
        QCOMPARE(MessageBox::count(), 1);
        // The mended text and the path, then the system's reason on a line of its own.
        QVERIFY2(MessageBox::lastText().startsWith(
                     QStringLiteral("ファイルを保存できませんでした。\n") + target + QLatin1Char('\n')),
            qPrintable(MessageBox::lastText()));
        QCOMPARE(globalState().SAVED, int16_t(0));
        QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ - [新規作成]"));
        QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
        QVERIFY(!QApplication::overrideCursor());
    }
    QVERIFY(QFileInfo(path(QStringLiteral("taken.HRZ"))).isDir());

    // A read-only folder keeps the plan file that is already in it (only meaningful when not root).
    if (geteuid() != 0) {
        const QString folder = path(QStringLiteral("read-only"));
        QVERIFY(QDir().mkpath(folder));
        const QString existing = folder + QStringLiteral("/kept.HRZ");
        FamilyPlan other;
        QVERIFY(FILE_OUT_D(existing.toStdString(), other));
        const QByteArray before = GuiTest::readFile(existing);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        MessageBox::setNextAnswer(QMessageBox::Ok);
        FileDialog::setNextFileName(existing);
        main->action(Command::Save)->trigger();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(MessageBox::lastText(), QStringLiteral("ファイルを保存できませんでした。\n") + existing);
        QCOMPARE(GuiTest::readFile(existing), before);
        QCOMPARE(globalState().SAVED, int16_t(0));
    }
}

void TestDocumentCommands::testCsvEqualsExporter_data()
{
    QTest::addColumn<bool>("form100");
    QTest::newRow("Form100") << true;
    QTest::newRow("Form200") << false;
}

void TestDocumentCommands::testCsvEqualsExporter()
{
    QFETCH(bool, form100);
    auto main = startMain();
    writeFamily(globalPlan());
    globalPlan().ST1_HUSBAND_FATHER = 1;
    globalPlan().ST4_FATHER_BIRTH_YEAR = 1955;
    globalPlan().ST4_FATHER_LIFE_STAT = 1;
    main->openTableWindow(form100 ? TableKind::Form100 : TableKind::Form200);

    const QString chosen = path(QStringLiteral("table"));
    FileDialog::setNextFileName(chosen);
    main->toolbarAction(Command::Csv)->trigger();
    QCOMPARE(FileDialog::lastTitle(), QStringLiteral("ファイル名を付けて保存"));
    QVERIFY(FileDialog::lastFilter().startsWith(QStringLiteral("CSV (ｶﾝﾏ 区切り) (*.CSV")));
    const QString file = chosen + QStringLiteral(".CSV");

    TextMatrix expectedTbl;
    TableContext context;
    context.y0 = 2026;
    context.appDir = globalState().APP_DIR;
    const TableModel table = buildLifeCycleTable(globalPlan(), context, &expectedTbl);
    const std::string expected = tableCsvBytes(expectedTbl, table.rowCount(), table.columnCount());
    QCOMPARE(GuiTest::readFile(file), QByteArray::fromStdString(expected));
    QCOMPARE(table.columnCount(), 7);
    QVERIFY(expected.size() > 1000);
    QCOMPARE(MessageBox::count(), 0);
}

void TestDocumentCommands::testCsvWithNoTableIsEmpty()
{
    auto main = startMain();
    writeFamily(globalPlan());
    main->openTableWindow(TableKind::Form100);
    PlanSessionTestAccess::state().SAVED = 1;
    main->closeCommand();
    // After Form100 is closed, CSV is still offered and writes an empty file, replacing an old one.
    QVERIFY(main->isCommandEnabled(Command::Csv));
    const QString file = path(QStringLiteral("empty.CSV"));
    {
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents\r\n");
    }
    FileDialog::setNextFileName(file);
    main->action(Command::Csv)->trigger();
    QVERIFY(QFile::exists(file));
    QCOMPARE(QFileInfo(file).size(), qint64(0));
    QCOMPARE(MessageBox::count(), 0);
}

void TestDocumentCommands::testCsvFailureLosesNothing()
{
    auto main = startMain();
    writeFamily(globalPlan());
    main->openTableWindow(TableKind::Form200);
    const QString target = path(QStringLiteral("nowhere/table.CSV"));
    MessageBox::setNextAnswer(QMessageBox::Ok);
    FileDialog::setNextFileName(target);
    main->action(Command::Csv)->trigger();
    // The mended text and the path, then the system's reason on a line of its own.
    QVERIFY2(MessageBox::lastText().startsWith(
                 QStringLiteral("ファイルを保存できませんでした。\n") + target + QLatin1Char('\n')),
        qPrintable(MessageBox::lastText()));
    QVERIFY(!QFile::exists(target));
    QVERIFY(main->tableWindow());
    QVERIFY(!QApplication::overrideCursor());
}

void TestDocumentCommands::testCancelledSaveDialogsDoNothing_data()
{
    QTest::addColumn<int>("command");
    QTest::newRow("save") << int(Command::Save);
    QTest::newRow("csv") << int(Command::Csv);
}

void TestDocumentCommands::testCancelledSaveDialogsDoNothing()
{
    QFETCH(int, command);
    auto main = startMain();
    writeFamily(globalPlan());
    TableWindow* window = main->openTableWindow(TableKind::Form100);
    const FamilyPlan before = globalPlan();
    const QStringList filesBefore = QDir(m_files.path()).entryList(QDir::Files);
    FileDialog::setNextFileName(QString());
    main->action(static_cast<Command>(command))->trigger();
    QCOMPARE(MessageBox::count(), 0);
    QCOMPARE(globalState().SAVED, int16_t(0));
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
    QCOMPARE(globalPlan(), before);
    QCOMPARE(QDir(m_files.path()).entryList(QDir::Files), filesBefore);
}

void TestDocumentCommands::testExitWithUnsavedPlanAsks()
{
    auto main = startMain();
    writeFamily(globalPlan());
    main->openTableWindow(TableKind::Form100);

    MessageBox::setNextAnswer(QMessageBox::Cancel);
    main->action(Command::Exit)->trigger();
    QCOMPARE(MessageBox::lastText(), QStringLiteral("「データ保存」されていません。"));
    QVERIFY(main->isVisible());
    QVERIFY(main->tableWindow());
    QCOMPARE(m_settings.read(QStringLiteral("Settings/MainLeft")), QString());

    MessageBox::setNextAnswer(QMessageBox::Ok);
    main->toolbarAction(Command::Exit)->trigger();
    QCOMPARE(MessageBox::count(), 2);
    QVERIFY(!main->isVisible());
    QVERIFY(!m_settings.read(QStringLiteral("Settings/MainLeft")).isEmpty());
}

void TestDocumentCommands::testExitStoresPlacementAndEnds()
{
    // With the demo or a saved table nothing is asked.
    for (bool demo : { true, false }) {
        m_settings.clear();
        auto main = startMain(demo);
        if (!demo) {
            writeFamily(globalPlan());
            main->openTableWindow(TableKind::Form200);
            PlanSessionTestAccess::state().SAVED = 1;
        }
        main->action(Command::Exit)->trigger();
        QCOMPARE(MessageBox::count(), 0);
        QVERIFY(!main->isVisible());
        QVERIFY(!m_settings.read(QStringLiteral("Settings/MainWidth")).isEmpty());
    }
}

void TestDocumentCommands::testExitWhileEditorHoldsUnsavedPlanAsks_data()
{
    QTest::addColumn<bool>("frame");
    QTest::newRow("exit command") << false;
    QTest::newRow("window frame") << true;
}

void TestDocumentCommands::testExitWhileEditorHoldsUnsavedPlanAsks()
{
    // The change command closes Form200 while the editor is up, but the unsaved plan is still
    // the one the user is working on: leaving the program must ask as it does with the table.
    QFETCH(bool, frame);
    auto main = startMain();
    writeFamily(globalPlan());
    main->openTableWindow(TableKind::Form200);
    QCOMPARE(globalState().SAVED, int16_t(0));
    main->action(Command::ChangeSettings)->trigger();
    QPointer<QDialog> editor = main->settingsEditor();
    QVERIFY(editor);
    QVERIFY(!main->tableWindow());
    const FamilyPlan before = globalPlan();

    MessageBox::setNextAnswer(QMessageBox::Cancel);
    if (frame)
        main->close();
    else
        main->action(Command::Exit)->trigger();
    QCOMPARE(MessageBox::count(), 1);
    QCOMPARE(MessageBox::lastText(), QStringLiteral("「データ保存」されていません。"));
    QCOMPARE(MessageBox::lastDefaultButton(), QMessageBox::Cancel);
    QVERIFY(main->isVisible());
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    QCOMPARE(globalPlan(), before);

    // A saved plan leaves without a question.
    PlanSessionTestAccess::state().SAVED = 1;
    if (frame)
        main->close();
    else
        main->action(Command::Exit)->trigger();
    QCOMPARE(MessageBox::count(), 1);
    QVERIFY(!main->isVisible());
    QTRY_VERIFY(!editor);
}

void TestDocumentCommands::testFrameCloseWithUnsavedPlanAsks()
{
    auto main = startMain();
    writeFamily(globalPlan());
    main->openTableWindow(TableKind::Form200);

    MessageBox::setNextAnswer(QMessageBox::Cancel);
    QVERIFY(!main->close());
    QCOMPARE(MessageBox::count(), 1);
    QCOMPARE(MessageBox::lastText(), QStringLiteral("「データ保存」されていません。"));
    QVERIFY(main->isVisible());

    MessageBox::setNextAnswer(QMessageBox::Ok);
    QVERIFY(main->close());
    QCOMPARE(MessageBox::count(), 2);
    QVERIFY(!main->isVisible());
    // Closing through the frame stores no placement.
    QCOMPARE(m_settings.read(QStringLiteral("Settings/MainLeft")), QString());
}

void TestDocumentCommands::testNewCommandAndWizardCancel()
{
    auto main = startMain();
    writeFamily(globalPlan());
    main->toolbarAction(Command::New)->trigger();
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ - [新規作成]"));
    QCOMPARE(globalPlan(), FamilyPlan());
    QCOMPARE(commandStates(*main), QStringLiteral("0000001"));
    SetupWizard* wizard = main->setupWizard();
    QVERIFY(wizard);
    QWidget* page = wizard->currentPage();
    QVERIFY(page);
    QCOMPARE(page->objectName(), QStringLiteral("Form18"));
    QVERIFY(page->isVisible());

    auto* cancel = child<QPushButton*>(page, "Command3");
    QVERIFY(cancel);
    cancel->click();
    QCOMPARE(commandStates(*main), QStringLiteral("1100001"));
    // No new plan any more: the caption says so.
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
    QVERIFY(!wizard->currentPage());
    QVERIFY(!main->tableWindow());
}

void TestDocumentCommands::testWizardFinishOpensForm100AndCloseAsks()
{
    auto main = startMain(true);
    main->closeCommand();
    main->action(Command::New)->trigger();
    SetupWizard* wizard = main->setupWizard();
    QVERIFY(wizard);
    // Every page left at its defaults, "次へ　>" up to "完了" on page 6/6.
    for (int step = 0; step < 10 && wizard->currentPage(); ++step) {
        auto* next = child<QPushButton*>(wizard->currentPage(), "Command1");
        QVERIFY(next);
        next->click();
        QApplication::processEvents();
    }
    QVERIFY(!wizard->currentPage());
    QPointer<TableWindow> window = main->tableWindow();
    QVERIFY(window);
    QCOMPARE(window->objectName(), QStringLiteral("Form100"));
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
    QCOMPARE(globalState().SAVED, int16_t(0));
    // New and Open stay off from the New command; Change settings stays as it was.
    QCOMPARE(commandStates(*main), QStringLiteral("0011101"));
    QVERIFY(window->grid()->cols() > 2);
    QCOMPARE(window->grid()->text(0, 2), QStringLiteral("夫"));

    MessageBox::setNextAnswer(QMessageBox::Cancel);
    main->action(Command::Close)->trigger();
    QVERIFY(window);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    main->action(Command::Close)->trigger();
    QCOMPARE(MessageBox::count(), 2);
    QTRY_VERIFY(!window);
    QCOMPARE(commandStates(*main), QStringLiteral("1101100"));
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
}

void TestDocumentCommands::testChangeSettingsRebuildsForm200_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("更新") << "Command1";
    QTest::newRow("ｷｬﾝｾﾙ") << "Command2";
}

void TestDocumentCommands::testChangeSettingsRebuildsForm200()
{
    QFETCH(QString, button);
    FamilyPlan plan;
    writeFamily(plan);
    const QString file = path(QStringLiteral("to-change.HRZ"));
    QVERIFY(FILE_OUT_D(file.toStdString(), plan));

    auto main = startMain();
    FileDialog::setNextFileName(file);
    main->action(Command::Open)->trigger();
    QPointer<TableWindow> before = main->tableWindow();
    QVERIFY(before);
    QCOMPARE(globalState().SAVED, int16_t(1));

    main->toolbarAction(Command::ChangeSettings)->trigger();
    QTRY_VERIFY(!before);
    QCOMPARE(globalState().FORM200_OPEN, int16_t(0));
    QPointer<QDialog> editor = main->settingsEditor();
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    // Asking again while the editor is open brings the same editor forward.
    main->action(Command::ChangeSettings)->trigger();
    QCOMPARE(main->settingsEditor(), editor.data());

    auto* push = child<QPushButton*>(editor.data(), qPrintable(button));
    QVERIFY(push);
    push->click();
    QTRY_VERIFY(!editor);
    TableWindow* after = main->tableWindow();
    QVERIFY(after);
    QCOMPARE(after->objectName(), QStringLiteral("Form200"));
    QCOMPARE(after->windowTitle(), QStringLiteral("ライフサイクル表 - ") + file);
    QCOMPARE(globalState().FORM200_OPEN, int16_t(1));
    QCOMPARE(globalState().SAVED, int16_t(0));
    QCOMPARE(commandStates(*main), QStringLiteral("0011111"));
    if (button == QLatin1String("Command1")) {
        // The editor stores every member as included, so the parents now have columns too.
        QCOMPARE(globalPlan().ST1_HUSBAND_FATHER, int16_t(1));
        QCOMPARE(after->grid()->cols(), 2 + memberCount(globalPlan()));
    } else {
        QCOMPARE(after->grid()->cols(), 6);
    }
    // The rebuilt table is unsaved, so closing asks.
    MessageBox::setNextAnswer(QMessageBox::Cancel);
    main->closeCommand();
    QCOMPARE(MessageBox::lastText(), QStringLiteral("「データ保存」されていません。"));
}

void TestDocumentCommands::testChangeSettingsWithForm100Open()
{
    // Change settings stays enabled after Form200 is closed, but a new plan's table is never shown
    // under the file the closed table came from.
    auto main = startMain();
    writeFamily(globalPlan());
    PlanSessionTestAccess::state().PLAN_FILE_NAME = "/plans/A.HRZ";
    main->openTableWindow(TableKind::Form200);
    PlanSessionTestAccess::state().SAVED = 1;
    main->closeCommand();
    QVERIFY(main->isCommandEnabled(Command::ChangeSettings));

    main->action(Command::New)->trigger();
    QVERIFY(!main->isCommandEnabled(Command::ChangeSettings));
    QVERIFY(!main->toolbarAction(Command::ChangeSettings)->isEnabled());
    QCOMPARE(globalState().PLAN_FILE_NAME, std::string());
    child<QPushButton*>(main->setupWizard()->currentPage(), "Command3")->click();
    // A cancelled wizard leaves the reset plan: still nothing to change.
    QVERIFY(!main->isCommandEnabled(Command::ChangeSettings));

    writeFamily(globalPlan());
    QPointer<TableWindow> form100 = main->openTableWindow(TableKind::Form100);
    QCOMPARE(form100->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
    QVERIFY(!main->isCommandEnabled(Command::ChangeSettings));
    QCOMPARE(globalState().FORM100_OPEN, int16_t(1));
}

void TestDocumentCommands::testOpenPlanFileOverAnUnsavedTable()
{
    // A file handed over from outside the Open dialog (command line, second launch, drop) while a
    // new plan's table is still unsaved.
    auto main = startMain();
    writeFamily(globalPlan());
    const FamilyPlan mine = globalPlan();
    const QString file = path(QStringLiteral("other.HRZ"));
    FamilyPlan other;
    writeFamily(other);
    other.ST2_HUSBAND_RETIRE_AGE = 70;
    QVERIFY(FILE_OUT_D(file.toStdString(), other));
    main->setWindowTitle(QStringLiteral("ハルカゼ - [新規作成]"));
    main->openTableWindow(TableKind::Form100);

    MessageBox::setNextAnswer(QMessageBox::Cancel);
    QVERIFY(!main->openPlanFile(file));
    QCOMPARE(MessageBox::lastText(), QStringLiteral("「データ保存」されていません。"));
    QCOMPARE(main->tableWindow()->objectName(), QStringLiteral("Form100"));
    QCOMPARE(globalPlan(), mine);

    MessageBox::setNextAnswer(QMessageBox::Ok);
    QVERIFY(main->openPlanFile(file));
    QCOMPARE(main->tableWindow()->objectName(), QStringLiteral("Form200"));
    QCOMPARE(main->tableWindow()->windowTitle(), QStringLiteral("ライフサイクル表 - ") + file);
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
    QCOMPARE(globalPlan().ST2_HUSBAND_RETIRE_AGE, int16_t(70));
    QCOMPARE(commandStates(*main), QStringLiteral("0011111"));
    QCOMPARE(main->mdiArea()->subWindowList().size(), 1);
}

void TestDocumentCommands::testBusyPointerNests()
{
    QVERIFY(!QApplication::overrideCursor());
    {
        BusyPointer outer;
        {
            BusyPointer inner;
        }
        // The inner step's end does not end the outer one's busy pointer.
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!QApplication::overrideCursor());
}

void TestDocumentCommands::testPrintAndExportServeTheShownTable()
{
    // Unlike CSV, the demo's sample can be printed and exported.
    auto main = startMain(true);
    QVERIFY(!main->isCommandEnabled(Command::Csv));
    for (Command command : { Command::Preview, Command::Print, Command::Pdf, Command::Xlsx })
        QVERIFY(main->isCommandEnabled(command));
    const QString pdf = path(QStringLiteral("demo"));
    FileDialog::setNextFileName(pdf);
    main->action(Command::Pdf)->trigger();
    QVERIFY(GuiTest::readFile(pdf + QStringLiteral(".pdf")).startsWith("%PDF-"));

    main->closeCommand();
    for (Command command : { Command::Preview, Command::Print, Command::Pdf, Command::Xlsx })
        QVERIFY(!main->isCommandEnabled(command));

    writeFamily(globalPlan());
    main->openTableWindow(TableKind::Form200);
    const QString xlsx = path(QStringLiteral("plan.xlsx"));
    FileDialog::setNextFileName(xlsx);
    main->action(Command::Xlsx)->trigger();
    QVERIFY(GuiTest::readFile(xlsx).startsWith("PK"));
    QCOMPARE(MessageBox::count(), 0);
}

void TestDocumentCommands::testWriteProtectedPlanIsNotReplaced()
{
    auto main = startMain();
    writeFamily(globalPlan());
    const QString target = path(QStringLiteral("protected.HRZ"));
    QVERIFY(FILE_OUT_D(target.toStdString(), FamilyPlan()));
    const QByteArray before = GuiTest::readFile(target);
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    TableWindow* window = main->openTableWindow(TableKind::Form100);

    FileDialog::setNextFileName(target);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    main->action(Command::Save)->trigger();
    QVERIFY2(MessageBox::lastText().startsWith(
                 QStringLiteral("ファイルを保存できませんでした。\n") + target + QLatin1Char('\n')),
        qPrintable(MessageBox::lastText()));
    QCOMPARE(GuiTest::readFile(target), before);
    QCOMPARE(globalState().SAVED, int16_t(0));
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}

void TestDocumentCommands::testCashFlowFollowsThePlan()
{
    // The demo shows its sample household's money; its settings are not for editing.
    auto main = startMain(true);
    QVERIFY(!main->isCommandEnabled(Command::MoneySettings));
    main->toolbarAction(Command::CashFlow)->trigger();
    QPointer<CashFlowWindow> window = main->cashFlowWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("キャッシュフロー表"));
    QVERIFY(window->notice()->isHidden());
    main->closeCommand();
    QTRY_VERIFY(!window);

    // A plan's table: 家計設定 OK marks it unsaved and the open window shows the new figures.
    writeFamily(globalPlan());
    main->openTableWindow(TableKind::Form200);
    PlanSession::instance().markSaved();
    main->action(Command::CashFlow)->trigger();
    window = main->cashFlowWindow();
    QVERIFY(window->notice()->isVisible());
    bool ran = false;
    whenModal<MoneySettingsDialog>(
        [](MoneySettingsDialog* dialog) {
            child<QLineEdit*>(dialog, "husbandIncomeBox")->setText(QStringLiteral("500"));
            child<QPushButton*>(dialog, "okButton")->click();
        },
        &ran);
    main->action(Command::MoneySettings)->trigger();
    QTRY_VERIFY(ran);
    QVERIFY(globalPlan().money);
    QCOMPARE(globalState().SAVED, int16_t(0));
    QVERIFY(window->notice()->isHidden());
    const CashFlowTable shown = window->table();
    QCOMPARE(cashFlowCsvBytes(shown),
        cashFlowCsvBytes(buildCashFlowTable(globalPlan(), PlanSession::instance().tableContext())));

    // Saving writes the money section after the 300 lines and clears the unsaved state.
    const QString file = path(QStringLiteral("money.HRZ"));
    FileDialog::setNextFileName(file);
    main->action(Command::Save)->trigger();
    QCOMPARE(globalState().SAVED, int16_t(1));
    const QByteArray bytes = GuiTest::readFile(file);
    QCOMPARE(bytes.count("\r\n") > 300, true);
    QVERIFY(bytes.contains("\r\nHARUKAZE_MONEY(1)\r\nSAVINGS_START="));

    // 家計設定 again and OK without a change: the plan stays saved.
    ran = false;
    whenModal<MoneySettingsDialog>(
        [](MoneySettingsDialog* dialog) { child<QPushButton*>(dialog, "okButton")->click(); }, &ran);
    main->action(Command::MoneySettings)->trigger();
    QTRY_VERIFY(ran);
    QCOMPARE(globalState().SAVED, int16_t(1));

    // With the cash-flow window in front, PDF makes its pages; the workbook holds both tables.
    const QString pdf = path(QStringLiteral("cashflow.pdf"));
    FileDialog::setNextFileName(pdf);
    main->action(Command::Pdf)->trigger();
    QVERIFY(ExportReader::pdfPages(pdf).value(0).contains(QStringLiteral("キャッシュフロー表")));
    const QString xlsx = path(QStringLiteral("both.xlsx"));
    FileDialog::setNextFileName(xlsx);
    main->action(Command::Xlsx)->trigger();
    QCOMPARE(ExportReader::XlsxReader(xlsx).sheetNames(),
        QStringList({ QStringLiteral("ライフサイクル表"), QStringLiteral("キャッシュフロー表") }));

    // The cash-flow CSV is the core's bytes; the window stays through 家族設定内容の変更.
    const QString csv = path(QStringLiteral("cashflow.CSV"));
    FileDialog::setNextFileName(csv);
    main->action(Command::CashFlowCsv)->trigger();
    QCOMPARE(GuiTest::readFile(csv), QByteArray::fromStdString(cashFlowCsvBytes(shown)));
    main->action(Command::ChangeSettings)->trigger();
    QPointer<QDialog> editor = main->settingsEditor();
    editor->reject();
    QTRY_VERIFY(!editor);
    QVERIFY(window);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    main->closeCommand();
    QTRY_VERIFY(!window);
}

QTEST_MAIN(TestDocumentCommands)
#include "TestDocumentCommands.moc"

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
#include "gui/money/LoanScheduleWindow.h"
#include "gui/money/MoneySettingsDialog.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmMain.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/table/TableWindow.h"
#include "gui/wizard/SetupWizard.h"
#include "support/DocumentTestSupport.h"
#include "support/ExportReader.h"
#include "support/GuiTestSupport.h"
#include "support/WizardDefaults.h"

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

using namespace DocumentTest;

class TestDocumentCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testOpenShowsTableAndClosesWithoutQuestion();
    void testOpenCancelledChangesNothing();
    void testOpenMissingFile();
    void testCloseUnsavedAsks_data();
    void testCloseUnsavedAsks();
    void testExitWithUnsavedPlanAsks();
    void testExitStoresPlacementAndEnds();
    void testExitWhileEditorHoldsUnsavedPlanAsks_data();
    void testExitWhileEditorHoldsUnsavedPlanAsks();
    void testFrameCloseWithUnsavedPlanAsks();
    void testNewCommandAndWizardCancel();
    void testWizardFinishOpensForm100AndCloseAsks();
    void testFinishShowsTheEnginesTableInForm100();
    void testChangeSettingsRebuildsForm200_data();
    void testChangeSettingsRebuildsForm200();
    void testChangeSettingsWithForm100Open();
    void testOpenPlanFileOverAnUnsavedTable();
    void testBusyPointerNests();
    void testPrintAndExportServeTheShownTable();
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
    QCOMPARE(GuiTest::currentDocument().fileName(), file);
    QCOMPARE(GuiTest::currentDocument().isSaved(), true);
    QCOMPARE(GuiTest::isWindowOpen("Form200"), true);
    QCOMPARE(window->grid()->cols(), 6);
    QCOMPARE(window->grid()->text(0, 5), QStringLiteral("次女"));
    QVERIFY(!QApplication::overrideCursor());

    // Just opened, so nothing to save: closing asks nothing.
    QPointer<TableWindow> watched = window;
    main->toolbarAction(Command::Close)->trigger();
    QCOMPARE(MessageBox::count(), 0);
    QTRY_VERIFY(!watched);
    QCOMPARE(GuiTest::isWindowOpen("Form200"), false);
    QCOMPARE(commandStates(*main), QStringLiteral("1100010"));
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
}

void TestDocumentCommands::testOpenCancelledChangesNothing()
{
    auto main = startMain();
    writeFamily(globalPlan());
    const FamilyPlan before = globalPlan();
    GuiTest::currentDocument().setFileName(QStringLiteral("/somewhere/old.HRZ"));
    FileDialog::setNextFileName(QString());
    main->action(Command::Open)->trigger();
    QCOMPARE(globalPlan(), before);
    QCOMPARE(GuiTest::currentDocument().fileName().toStdString(), std::string("/somewhere/old.HRZ"));
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
        QCOMPARE(GuiTest::currentDocument().fileName().toStdString(), std::string());
        QCOMPARE(GuiTest::isWindowOpen("Form200"), false);
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
    QCOMPARE(GuiTest::currentDocument().isSaved(), false);
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
    QVERIFY(GuiTest::isWindowOpen(form100 ? "Form100" : "Form200"));
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ - [新規作成]"));

    MessageBox::setNextAnswer(QMessageBox::Ok);
    main->action(Command::Close)->trigger();
    QCOMPARE(MessageBox::count(), 2);
    QTRY_VERIFY(!window);
    QCOMPARE(GuiTest::isWindowOpen("Form100"), false);
    QCOMPARE(GuiTest::isWindowOpen("Form200"), false);
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
    QCOMPARE(commandStates(*main), form100 ? QStringLiteral("1101100") : QStringLiteral("1100010"));
    // Closing leaves the plan as it was.
    FamilyPlan expected;
    writeFamily(expected);
    QCOMPARE(globalPlan(), expected);
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
            GuiTest::currentDocument().setSaved(true);
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
    QCOMPARE(GuiTest::currentDocument().isSaved(), false);
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
    GuiTest::currentDocument().setSaved(true);
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
    const FamilyPlan mine = globalPlan();
    main->toolbarAction(Command::New)->trigger();
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ - [新規作成]"));
    // The pages fill a reset plan of the wizard's own; the current one is not touched.
    QCOMPARE(main->setupWizard()->document().plan(), FamilyPlan());
    QCOMPARE(globalPlan(), mine);
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
    QCOMPARE(GuiTest::currentDocument().isSaved(), false);
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
    QCOMPARE(GuiTest::currentDocument().isSaved(), true);

    main->toolbarAction(Command::ChangeSettings)->trigger();
    QTRY_VERIFY(!before);
    QCOMPARE(GuiTest::isWindowOpen("Form200"), false);
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
    QCOMPARE(GuiTest::isWindowOpen("Form200"), true);
    QCOMPARE(GuiTest::currentDocument().isSaved(), false);
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
    GuiTest::currentDocument().setFileName(QStringLiteral("/plans/A.HRZ"));
    main->openTableWindow(TableKind::Form200);
    GuiTest::currentDocument().setSaved(true);
    main->closeCommand();
    QVERIFY(main->isCommandEnabled(Command::ChangeSettings));

    main->action(Command::New)->trigger();
    QVERIFY(!main->isCommandEnabled(Command::ChangeSettings));
    QVERIFY(!main->toolbarAction(Command::ChangeSettings)->isEnabled());
    QCOMPARE(GuiTest::currentDocument().fileName().toStdString(), std::string());
    child<QPushButton*>(main->setupWizard()->currentPage(), "Command3")->click();
    // A cancelled wizard leaves the reset plan: still nothing to change.
    QVERIFY(!main->isCommandEnabled(Command::ChangeSettings));

    writeFamily(globalPlan());
    QPointer<TableWindow> form100 = main->openTableWindow(TableKind::Form100);
    QCOMPARE(form100->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
    QVERIFY(!main->isCommandEnabled(Command::ChangeSettings));
    QCOMPARE(GuiTest::isWindowOpen("Form100"), true);
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
    QCOMPARE(MessageBox::lastText(), QStringLiteral("「データ保存」されていません。\n開くファイル: ") + file);
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

void TestDocumentCommands::testCashFlowFollowsThePlan()
{
    // The demo shows its sample household's money; its settings are not for editing.
    auto main = startMain(true);
    QVERIFY(!main->isCommandEnabled(Command::MoneySettings));
    main->toolbarAction(Command::CashFlow)->trigger();
    QPointer<CashFlowWindow> window = main->cashFlowWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("キャッシュフロー表 - ｵｰﾌﾟﾆﾝｸﾞ･ﾃﾞﾓ"));
    QVERIFY(window->notice()->isHidden());
    main->closeCommand();
    QTRY_VERIFY(!window);

    // A plan's table: 家計設定 OK marks it unsaved and the open window shows the new figures.
    writeFamily(globalPlan());
    main->openTableWindow(TableKind::Form200);
    GuiTest::currentDocument().setSaved(true);
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
    QCOMPARE(GuiTest::currentDocument().isSaved(), false);
    QVERIFY(window->notice()->isHidden());
    const CashFlowTable shown = window->table();
    QCOMPARE(cashFlowCsvBytes(shown),
        cashFlowCsvBytes(buildCashFlowTable(globalPlan(), PlanSession::instance().tableContext())));

    // Saving writes the money section after the 300 lines and clears the unsaved state.
    const QString file = path(QStringLiteral("money.HRZ"));
    FileDialog::setNextFileName(file);
    main->action(Command::Save)->trigger();
    QCOMPARE(GuiTest::currentDocument().isSaved(), true);
    const QByteArray bytes = GuiTest::readFile(file);
    QCOMPARE(bytes.count("\r\n") > 300, true);
    QVERIFY(bytes.contains("\r\nHARUKAZE_MONEY(1)\r\nSAVINGS_START="));

    // 家計設定 again and OK without a change: the plan stays saved.
    ran = false;
    whenModal<MoneySettingsDialog>(
        [](MoneySettingsDialog* dialog) { child<QPushButton*>(dialog, "okButton")->click(); }, &ran);
    main->action(Command::MoneySettings)->trigger();
    QTRY_VERIFY(ran);
    QCOMPARE(GuiTest::currentDocument().isSaved(), true);

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

    // A loan in 家計設定 offers 返済予定表; both windows' captions name the plan.
    ran = false;
    whenModal<MoneySettingsDialog>(
        [](MoneySettingsDialog* dialog) {
            child<QLineEdit*>(dialog, "loanYearBox")->setText(QStringLiteral("2026"));
            child<QLineEdit*>(dialog, "loanAmountBox")->setText(QStringLiteral("3000"));
            child<QPushButton*>(dialog, "okButton")->click();
        },
        &ran);
    main->action(Command::MoneySettings)->trigger();
    QTRY_VERIFY(ran);
    window->loanScheduleButton()->click();
    auto* schedule = main->findChild<LoanScheduleWindow*>();
    QVERIFY(schedule);
    QCOMPARE(schedule->windowTitle(), QStringLiteral("返済予定表 - money.HRZ"));
    QCOMPARE(window->windowTitle(), QStringLiteral("キャッシュフロー表 - money.HRZ"));
    main->action(Command::ChangeSettings)->trigger();
    QPointer<QDialog> editor = main->settingsEditor();
    editor->reject();
    QTRY_VERIFY(!editor);
    QVERIFY(window);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    main->closeCommand();
    QTRY_VERIFY(!window);
}

void TestDocumentCommands::testFinishShowsTheEnginesTableInForm100()
{
    // The New command as the main window runs it, from page 1/6 to the table window.
    auto main = startMain();
    main->action(frmMain::Command::New)->trigger();
    SetupWizard* wizard = main->setupWizard();
    QVERIFY(wizard);
    for (int step = 0; step < 6; ++step) {
        QVERIFY(wizard->currentPage());
        QTest::mouseClick(child<QPushButton*>(wizard->currentPage(), "Command1"), Qt::LeftButton);
    }
    QVERIFY(!wizard->currentPage());
    QVERIFY(globalPlan() == WizardTest::defaultRecord());
    QTRY_VERIFY(main->tableWindow());
    TableWindow* window = main->tableWindow();
    QCOMPARE(window->objectName(), QStringLiteral("Form100"));

    const TableModel expected
        = buildLifeCycleTable(WizardTest::defaultRecord(), PlanSession::instance().tableContext());
    QCOMPARE(window->grid()->rows(), expected.rowCount());
    QCOMPARE(window->grid()->cols(), expected.columnCount());
    QCOMPARE(window->grid()->text(0, 2), QStringLiteral("夫"));
    for (int row = 0; row < expected.rowCount(); ++row) {
        for (int column = 0; column < expected.columnCount(); ++column)
            QCOMPARE(window->grid()->text(row, column), QString::fromStdString(expected.text(row, column)));
    }
}

QTEST_MAIN(TestDocumentCommands)
#include "TestDocumentCommands.moc"

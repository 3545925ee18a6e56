// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/SampleFamily.h"
#include "gui/common/MessageBox.h"
#include "gui/common/ProcessState.h"
#include "gui/help/Help.h"
#include "gui/help/HelpViewer.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/shell/SingleInstance.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmAbout.h"
#include "gui/shell/frmMain.h"
#include "gui/shell/frmSplash.h"
#include "gui/table/Form1.h"
#include "gui/table/TableWindow.h"
#include "harukaze/Version.h"
#include "support/GuiTestSupport.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include <functional>
#include <memory>

using namespace harukaze;

using Command = frmMain::Command;
Q_DECLARE_METATYPE(frmMain::Command)

namespace {

const Command kDocumentCommands[] = {
    Command::New, Command::Open, Command::Close, Command::Csv, Command::Save, Command::ChangeSettings, Command::Font
};

/** Enabled state of every document command, in kDocumentCommands order, as "1"/"0" characters. */
QString commandStates(const frmMain& main)
{
    QString states;
    for (Command command : kDocumentCommands)
        states += main.isCommandEnabled(command) ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

/** The same for the toolbar buttons. */
QString buttonStates(const frmMain& main)
{
    QString states;
    for (Command command : kDocumentCommands)
        states += main.toolbarAction(command)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testMenuCaptions_data();
    void testMenuCaptions();
    void testMenuOrder();
    void testToolbarLayout();
    void testStartupStates_data();
    void testStartupStates();
    void testStartupClearsChildrenAndTbl();
    void testDemoViewToggle();
    void testCloseDemo_data();
    void testCloseDemo();
    void testUnknownToolbarKeyDoesNothing();
    void testCaptionAfterClosingMaximizedDemo();
    void testProgramFolder();
    void testSecondInstanceRefused();
    void testStaleLockIsTakenOver();
    void testSplash();
    void testHelpMenuAndHozonClosesViewer_data();
    void testHelpMenuAndHozonClosesViewer();
    void testAboutBoxIsModal();
    void testMenuKeysWithEachWindowInFront_data();
    void testMenuKeysWithEachWindowInFront();

private:
    std::unique_ptr<frmMain> startMain();

    GuiTest::TemporarySettings m_settings;
};

void TestMainWindow::initTestCase()
{
    GuiTest::setUpProgramEnvironment();
}

void TestMainWindow::init()
{
    m_settings.clear();
    GuiTest::resetProcessState();
}

void TestMainWindow::cleanup()
{
    GuiTest::resetProcessState();
}

std::unique_ptr<frmMain> TestMainWindow::startMain()
{
    return GuiTest::startMainWindow();
}

void TestMainWindow::testMenuCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("File_New_MN") << "File_New_MN"
                                 << "新規作成(&N)";
    QTest::newRow("File_Open") << "File_Open"
                               << "開く(&O)";
    QTest::newRow("File_Close") << "File_Close"
                                << "閉じる(&C)";
    QTest::newRow("File_CSV") << "File_CSV"
                              << "表のCSV形式保存(&E)";
    QTest::newRow("File_Data") << "File_Data"
                               << "データ保存(&S)";
    QTest::newRow("File_Exit") << "File_Exit"
                               << "終了(&X)";
    QTest::newRow("Chng_MN") << "Chng_MN"
                             << "家族設定内容の変更(&C)";
    QTest::newRow("Compare_MN") << "Compare_MN"
                                << "プランの比較(&B)...";
    QTest::newRow("Font_MN") << "Font_MN"
                             << "フォント(&F)";
    QTest::newRow("VEIW_DEMO_0") << "VEIW_DEMO_0"
                                 << "表示(&T)";
    QTest::newRow("VEIW_DEMO_1") << "VEIW_DEMO_1"
                                 << "非表示(&F)";
    QTest::newRow("mnuHelpContents") << "mnuHelpContents"
                                     << "ヘルプ目次(&C)";
    QTest::newRow("mnuHelpSearch") << "mnuHelpSearch"
                                   << "ヘルプトピックの検索(&S)";
    QTest::newRow("mnuHelpAbout") << "mnuHelpAbout"
                                  << "ﾊﾞｰｼﾞｮﾝ情報(&A)";
}

void TestMainWindow::testMenuCaptions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    frmMain main;
    QAction* action = GuiTest::findAction(&main, name);
    QVERIFY2(action, qPrintable(name));
    QCOMPARE(action->text(), caption);
}

void TestMainWindow::testMenuOrder()
{
    frmMain main;
    const auto menus = main.menuBar()->actions();
    QCOMPARE(menus.size(), 4);
    QCOMPARE(menus[0]->menu()->objectName(), QStringLiteral("File_MN"));
    QCOMPARE(menus[0]->text(), QStringLiteral("ファイル(&F)"));
    QCOMPARE(menus[1]->menu()->objectName(), QStringLiteral("Set_MN"));
    QCOMPARE(menus[1]->text(), QStringLiteral("設定(&S)"));
    QCOMPARE(menus[2]->menu()->objectName(), QStringLiteral("Window_MN"));
    QCOMPARE(menus[2]->text(), QStringLiteral("ウィンドウ(&W)"));
    QCOMPARE(menus[3]->menu()->objectName(), QStringLiteral("mnuHelp"));
    QCOMPARE(menus[3]->text(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));

    const auto describe = [](QMenu* menu) {
        QStringList items;
        for (QAction* action : menu->actions())
            items << (action->isSeparator() ? QStringLiteral("-")
                    : action->menu()        ? action->menu()->objectName()
                                            : action->objectName());
        return items;
    };
    QCOMPARE(describe(menus[0]->menu()),
        QStringList({ "File_New_MN",
            "File_Open",
            "File_Recent",
            "File_Close",
            "-",
            "File_CSV",
            "File_Data",
            "-",
            "File_PrintPreview",
            "File_Print",
            "File_PDF",
            "File_Excel",
            "File_CashFlowCSV",
            "-",
            "File_Exit" }));
    // No accelerator is used twice in a menu.
    for (const QAction* menu : menus) {
        QStringList keys;
        for (const QAction* item : menu->menu()->actions()) {
            const QString text = item->menu() ? item->menu()->title() : item->text();
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            if (amp >= 0 && amp + 1 < text.size()) {
                QVERIFY2(!keys.contains(text.at(amp + 1).toUpper()), qPrintable(text));
                keys << text.at(amp + 1).toUpper();
            }
        }
    }
    QCOMPARE(describe(menus[1]->menu()),
        QStringList({ "Chng_MN",
            "-",
            "Money_MN",
            "CashFlow_MN",
            "Compare_MN",
            "-",
            "Font_MN",
            "-",
            "Attention_Show_MN",
            "Attention_List_MN",
            "-",
            "DEMO_MN" }));
    QCOMPARE(describe(menus[2]->menu()), QStringList({ "Window_Cascade", "Window_Tile" }));
    QCOMPARE(describe(menus[3]->menu()), QStringList({ "mnuHelpContents", "mnuHelpSearch", "-", "mnuHelpAbout" }));

    auto* demoMenu = child<QMenu*>(&main, "DEMO_MN");
    QVERIFY(demoMenu);
    QCOMPARE(demoMenu->title(), QStringLiteral("ｵｰﾌﾟﾆﾝｸﾞ・ﾃﾞﾓ表示／非表示(&V)"));
    QCOMPARE(describe(demoMenu), QStringList({ "VEIW_DEMO_0", "VEIW_DEMO_1" }));
    auto* group = child<QActionGroup*>(&main, "VEIW_DEMO");
    QVERIFY(group);
    QVERIFY(group->isExclusive());

    // The shortcuts a Linux user expects.
    QCOMPARE(main.action(Command::New)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(main.action(Command::Open)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(main.action(Command::Close)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
    QCOMPARE(main.action(Command::Save)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(main.action(Command::Exit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void TestMainWindow::testToolbarLayout()
{
    frmMain main;
    QToolBar* toolbar = child<QToolBar*>(&main, "Toolbar1");
    QVERIFY(toolbar);
    const auto buttons = toolbar->actions();
    QCOMPARE(buttons.size(), 15);

    struct Position
    {
        int position;
        const char* key;
        const char* toolTip;
        Command command;
    };
    const Position keyed[] = {
        { 1, "exit", "終了", Command::Exit },
        { 3, "new", "新規作成", Command::New },
        { 5, "open", "開く", Command::Open },
        { 6, "close", "閉じる", Command::Close },
        { 8, "save", "データ保存", Command::Save },
        { 9, "csv_save", "ＣＳＶ保存", Command::Csv },
        { 10, "print", "印刷", Command::Print },
        { 11, "cashflow", "キャッシュフロー表", Command::CashFlow },
        { 14, "casta", "内容変更", Command::ChangeSettings },
        { 15, "font", "フォント", Command::Font },
    };
    for (int separator : { 2, 4, 7, 12, 13 })
        QVERIFY2(buttons[separator - 1]->isSeparator(), qPrintable(QString::number(separator)));
    for (const Position& p : keyed) {
        QAction* button = buttons[p.position - 1];
        QVERIFY(!button->isSeparator());
        QCOMPARE(button->data().toString(), QString::fromUtf8(p.key));
        QCOMPARE(button->toolTip(), QString::fromUtf8(p.toolTip));
        QVERIFY2(!button->icon().isNull(), p.key);
        QCOMPARE(main.toolbarAction(p.command), button);
    }
}

void TestMainWindow::testStartupStates_data()
{
    // States in the order New, Open, Close, CSV, Save, Change settings, Font.
    QTest::addColumn<QVariant>("view");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<QString>("states");
    QTest::newRow("clean store") << QVariant() << true << "0010001";
    QTest::newRow("VIEW=1") << QVariant(QStringLiteral("1")) << true << "0010001";
    QTest::newRow("VIEW=0") << QVariant(QStringLiteral("0")) << false << "1100001";
    QTest::newRow("VIEW=2 is not 1") << QVariant(QStringLiteral("2")) << false << "1100001";
    QTest::newRow("VIEW not a number") << QVariant(QStringLiteral("yes")) << true << "0010001";
}

void TestMainWindow::testStartupStates()
{
    QFETCH(QVariant, view);
    QFETCH(bool, demo);
    QFETCH(QString, states);
    if (view.isValid())
        m_settings.write(QStringLiteral("DEMO/VIEW"), view);

    auto main = startMain();
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
    QCOMPARE(commandStates(*main), states);
    QCOMPARE(buttonStates(*main), states);
    QVERIFY(main->isCommandEnabled(Command::Exit));
    QVERIFY(main->toolbarAction(Command::Exit)->isEnabled());
    for (const char* help : { "mnuHelpContents", "mnuHelpSearch", "mnuHelpAbout" })
        QVERIFY(GuiTest::findAction(main.get(), QString::fromLatin1(help))->isEnabled());

    QCOMPARE(GuiTest::findAction(main.get(), QStringLiteral("VEIW_DEMO_0"))->isChecked(), demo);
    QCOMPARE(GuiTest::findAction(main.get(), QStringLiteral("VEIW_DEMO_1"))->isChecked(), !demo);
    QCOMPARE(GuiTest::isWindowOpen("Form1"), (demo ? 1 : 0) == 1);
    QCOMPARE(main->demoWindow() != nullptr, demo);
    QCOMPARE(main->mdiArea()->subWindowList().size(), demo ? 1 : 0);
    QCOMPARE(GuiTest::isWindowOpen("Form100"), false);
    QCOMPARE(GuiTest::isWindowOpen("Form200"), false);
    if (demo) {
        QCOMPARE(main->demoWindow()->windowTitle(), QStringLiteral("ｵｰﾌﾟﾆﾝｸﾞ･ﾃﾞﾓ"));
        QCOMPARE(main->demoWindow()->objectName(), QStringLiteral("Form1"));
    }
}

void TestMainWindow::testStartupClearsChildrenAndTbl()
{
    m_settings.write(QStringLiteral("DEMO/VIEW"), QStringLiteral("0"));
    globalPlan().mtx1(3, MTX1_MARRIAGE) = 27;
    globalPlan().mtx2(10, MTX2_ZOKUGARA) = "三男";

    auto main = startMain();
    QCOMPARE(globalPlan().mtx1(3, MTX1_MARRIAGE), int16_t(0));
    QCOMPARE(globalPlan().mtx2(10, MTX2_ZOKUGARA), std::string());
    QCOMPARE(GuiTest::isWindowOpen("Form100"), false);
}

void TestMainWindow::testDemoViewToggle()
{
    auto main = startMain();
    QAction* show = GuiTest::findAction(main.get(), QStringLiteral("VEIW_DEMO_0"));
    QAction* hide = GuiTest::findAction(main.get(), QStringLiteral("VEIW_DEMO_1"));
    QVERIFY(show->isChecked());

    hide->trigger();
    QVERIFY(!show->isChecked());
    QVERIFY(hide->isChecked());
    QCOMPARE(globalState().DEMO_VIEW, int16_t(0));
    QCOMPARE(m_settings.read(QStringLiteral("DEMO/VIEW")), QStringLiteral("0"));
    // The choice is for the next start: the open demo stays.
    QVERIFY(main->demoWindow());
    QCOMPARE(GuiTest::isWindowOpen("Form1"), true);

    main->closeCommand();
    QVERIFY(!main->demoWindow());
    show->trigger();
    QVERIFY(show->isChecked());
    QVERIFY(!hide->isChecked());
    QCOMPARE(globalState().DEMO_VIEW, int16_t(1));
    QCOMPARE(m_settings.read(QStringLiteral("DEMO/VIEW")), QStringLiteral("1"));
    // ... and a closed one is not reopened.
    QTest::qWait(10);
    QVERIFY(!main->demoWindow());
    QCOMPARE(main->mdiArea()->subWindowList().size(), 0);
}

void TestMainWindow::testCloseDemo_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("menu") << "menu";
    QTest::newRow("toolbar") << "toolbar";
    QTest::newRow("window frame") << "frame";
}

void TestMainWindow::testCloseDemo()
{
    QFETCH(QString, how);
    auto main = startMain();
    QPointer<Form1> demo = main->demoWindow();
    QVERIFY(demo);
    main->setWindowTitle(QStringLiteral("ハルカゼ - [新規作成]"));
    if (how == QLatin1String("menu"))
        main->action(Command::Close)->trigger();
    else if (how == QLatin1String("toolbar"))
        main->toolbarAction(Command::Close)->trigger();
    else
        demo->close();
    QTRY_VERIFY(!demo);
    QCOMPARE(GuiTest::isWindowOpen("Form1"), false);
    // New and Open on, Close and Font off; CSV, Save and Change settings stay off.
    QCOMPARE(commandStates(*main), QStringLiteral("1100000"));
    QCOMPARE(buttonStates(*main), QStringLiteral("1100000"));
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
    // The demo's family was never the user's plan: nothing of it is left to save or change.
    QCOMPARE(globalPlan().ST2_HUSBAND_BIRTH_YEAR, int16_t(0));
}

void TestMainWindow::testCaptionAfterClosingMaximizedDemo()
{
    auto main = startMain();
    QPointer<Form1> demo = main->demoWindow();
    main->setWindowTitle(QStringLiteral("ハルカゼ - [新規作成]"));
    demo->showMaximized();
    QApplication::processEvents();
    main->closeCommand();
    QTRY_VERIFY(!demo);
    QApplication::processEvents();
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
}

void TestMainWindow::testUnknownToolbarKeyDoesNothing()
{
    auto main = startMain();
    const QString before = commandStates(*main);
    main->dispatchToolbarKey(QStringLiteral("Close"));
    main->dispatchToolbarKey(QStringLiteral("bogus"));
    main->dispatchToolbarKey(QString());
    QVERIFY(main->demoWindow());
    QVERIFY(main->isVisible());
    QCOMPARE(commandStates(*main), before);
}

void TestMainWindow::testProgramFolder()
{
    QCOMPARE(Startup::withTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
    QCOMPARE(Startup::withTrailingSeparator(QStringLiteral("/opt/harukaze")), QStringLiteral("/opt/harukaze/"));
    QCOMPARE(Startup::withTrailingSeparator(QStringLiteral("/opt/harukaze/")), QStringLiteral("/opt/harukaze/"));
    const QString appDir = QString::fromStdString(globalState().APP_DIR);
    QVERIFY(appDir.endsWith(QLatin1Char('/')));
    QVERIFY(!appDir.endsWith(QStringLiteral("//")));
    QCOMPARE(appDir, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QCOMPARE(Help::helpFile(), appDir + QStringLiteral("HARUKAZE.HLP"));
}

void TestMainWindow::testSecondInstanceRefused()
{
    QCOMPARE(SingleInstance::refusalMessage(), QStringLiteral("HARUKAZEは、既に起動しています。（二重起動防止）"));
    QVERIFY(SingleInstance::defaultLockPath().endsWith(QStringLiteral("/harukaze.lock")));

    const QString path = m_settings.folder() + QStringLiteral("/instance.lock");
    {
        SingleInstance first(path);
        QVERIFY(first.tryLock());
        SingleInstance second(path);
        QVERIFY(!second.tryLock());
        // The first copy is untouched by the refused one.
        QVERIFY(QFile::exists(path));
        QVERIFY(first.tryLock());
    }
    // Once the first copy has ended, the next start goes ahead.
    SingleInstance third(path);
    QVERIFY(third.tryLock());
}

void TestMainWindow::testStaleLockIsTakenOver()
{
    // A lock left behind by a crashed copy names a process that no longer runs.
    const QString path = m_settings.folder() + QStringLiteral("/stale.lock");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("2147483000\nharukaze\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    SingleInstance instance(path);
    QVERIFY(instance.tryLock());

    // A lock file that cannot be read back at all does not block a start for ever either.
    const QString garbage = m_settings.folder() + QStringLiteral("/garbage.lock");
    {
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a lock");
        file.close();
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    }
    SingleInstance second(garbage);
    QVERIFY(second.tryLock());
}

void TestMainWindow::testSplash()
{
    frmSplash splash;
    QCOMPARE(child<QLabel*>(&splash, "lblProductName")->text(), QStringLiteral("HARUKAZE"));
    QCOMPARE(child<QLabel*>(&splash, "lblVersion")->text(), QStringLiteral("Ver." HARUKAZE_VERSION));
    QVERIFY(!child<QLabel*>(&splash, "lblPlatform")->text().isEmpty());
    auto* logo = child<QLabel*>(&splash, "picLogo");
    QVERIFY(logo);
    QVERIFY(!logo->pixmap().isNull());
    QVERIFY(child<QFrame*>(&splash, "fraMainFrame"));
}

namespace {

HelpViewer* visibleHelpViewer()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(widget); viewer && viewer->isVisible())
            return viewer;
    }
    return nullptr;
}

} // namespace

void TestMainWindow::testHelpMenuAndHozonClosesViewer_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("contents") << "mnuHelpContents";
    QTest::newRow("search") << "mnuHelpSearch";
}

void TestMainWindow::testHelpMenuAndHozonClosesViewer()
{
    QFETCH(QString, item);
    QVERIFY2(QFile::exists(Help::helpFile()), qPrintable(Help::helpFile()));
    auto main = startMain();
    MessageBox::clearLast();
    GuiTest::findAction(main.get(), item)->trigger();
    QCOMPARE(MessageBox::count(), 0);
    QTRY_VERIFY(visibleHelpViewer());
    // The exit command's HOZON closes the help viewer.
    main->HOZON();
    QTRY_VERIFY(!visibleHelpViewer());
}

void TestMainWindow::testAboutBoxIsModal()
{
    auto main = startMain();
    QString title;
    bool answered = false;
    GuiTest::answerNextModal(
        [&title](QWidget* modal) {
            if (qobject_cast<frmAbout*>(modal))
                title = modal->windowTitle();
            modal->close();
        },
        &answered);
    GuiTest::findAction(main.get(), QStringLiteral("mnuHelpAbout"))->trigger();
    QVERIFY(answered);
    QCOMPARE(title, QStringLiteral("バージョン情報"));
}

void TestMainWindow::testMenuKeysWithEachWindowInFront_data()
{
    QTest::addColumn<bool>("demo"); ///< the demo, else a plan's table
    QTest::addColumn<bool>("cashFlow"); ///< the cash-flow window is open
    QTest::addColumn<bool>("cashFlowInFront");
    QTest::newRow("demo") << true << false << false;
    QTest::newRow("table") << false << false << false;
    QTest::newRow("cash flow over the demo") << true << true << true;
    QTest::newRow("cash flow over the table") << false << true << true;
    QTest::newRow("table over the cash flow") << false << true << false;
}

void TestMainWindow::testMenuKeysWithEachWindowInFront()
{
    QFETCH(bool, demo);
    QFETCH(bool, cashFlow);
    QFETCH(bool, cashFlowInFront);
    auto main = GuiTest::startMainWindow(m_settings, demo);
    if (!demo) {
        writeSampleFamily(globalPlan());
        main->openTableWindow(frmMain::TableKind::Form200);
    }
    if (cashFlow)
        main->cashFlowCommand();
    QMdiSubWindow* front = cashFlowInFront ? static_cast<QMdiSubWindow*>(main->cashFlowWindow())
        : demo                             ? static_cast<QMdiSubWindow*>(main->demoWindow())
                                           : static_cast<QMdiSubWindow*>(main->tableWindow());
    main->mdiArea()->setActiveSubWindow(front);
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    QCOMPARE(main->mdiArea()->activeSubWindow(), front);

    // Every item of the menus that has a key, taken from the menus themselves. The items only
    // count here: what they run is tested elsewhere.
    QList<QAction*> keyed;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
        for (QAction* item : menu->actions()) {
            if (item->menu())
                collect(item->menu());
            else if (!item->shortcut().isEmpty())
                keyed.append(item);
        }
    };
    for (QAction* menu : main->menuBar()->actions())
        collect(menu->menu());
    QVERIFY(keyed.size() >= 7);
    for (QAction* item : keyed) {
        QObject::disconnect(item, &QAction::triggered, nullptr, nullptr);
        item->setEnabled(true);
        QSignalSpy triggered(item, &QAction::triggered);
        for (const QKeySequence& key : item->shortcuts()) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : main.get();
            QTest::keySequence(target, key);
            QVERIFY2(triggered.count() == 1, qPrintable(key.toString() + QLatin1Char(' ') + item->text()));
            triggered.clear();
        }
    }
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"

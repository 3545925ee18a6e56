// SPDX-License-Identifier: GPL-3.0-or-later
// Which commands a user finds enabled in every state the program can be brought to, and what a
// plan file that cannot be opened leaves behind.
#include "core/plan/PlanFile.h"
#include "gui/common/FileDialog.h"
#include "gui/common/MessageBox.h"
#include "gui/common/PlanSession.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/shell/InstanceServer.h"
#include "gui/shell/frmMain.h"
#include "gui/table/TableWindow.h"
#include "gui/wizard/SetupWizard.h"
#include "support/GuiTestSupport.h"
#include "support/PlanBuilder.h"

#include <QMdiArea>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

using namespace harukaze;
using Command = frmMain::Command;
using TableKind = frmMain::TableKind;

namespace {

/** Every command's state, "1" enabled, in Command order: New Open Close CSV Save Chng Font Exit | Attn Prev Prnt PDF
 * Xlsx Money CF CFcsv. */
QString allStates(const frmMain& main)
{
    QString states;
    for (size_t i = 0; i < CommandCount; ++i) {
        const auto command = static_cast<Command>(i);
        states += main.isCommandEnabled(command) ? QLatin1Char('1') : QLatin1Char('0');
        if (i == 7)
            states += QLatin1Char('|');
    }
    return states;
}

FamilyPlan family()
{
    return testplan::PlanBuilder().husband(1985, 65).wife(1988, 60).marriage(2012).child(2017, "長女").build();
}

} // namespace

class TestAvailability : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testEveryCommandInEveryState_data();
    void testEveryCommandInEveryState();
    void testMissingFileKeepsTheEditedTable();
    void testPlanHandedOverDuringTheWizardWaits();

private:
    /** Runs one step as the user would; see the rows for the steps. */
    void step(frmMain& main, const QString& name);

    GuiTest::TemporarySettings m_settings;
    QTemporaryDir m_files;
    QString m_plan;
};

void TestAvailability::initTestCase()
{
    GuiTest::setUpProgramEnvironment(2026);
    QVERIFY(m_files.isValid());
    m_plan = m_files.filePath(QStringLiteral("山田家.HRZ"));
    QVERIFY(FILE_OUT_D(m_plan.toStdString(), family()));
}

void TestAvailability::init()
{
    m_settings.clear();
    GuiTest::resetProcessState();
    MessageBox::clearLast();
}

void TestAvailability::cleanup()
{
    GuiTest::resetProcessState();
}

void TestAvailability::step(frmMain& main, const QString& name)
{
    if (name == QLatin1String("new")) {
        main.action(Command::New)->trigger();
    } else if (name == QLatin1String("cancel")) {
        QTest::mouseClick(child<QPushButton*>(main.setupWizard()->currentPage(), "Command3"), Qt::LeftButton);
    } else if (name == QLatin1String("finish")) {
        // What 完了 on page 6/6 hands over: the wizard's plan, shown in Form100.
        globalPlan() = family();
        main.openTableWindow(TableKind::Form100);
    } else if (name == QLatin1String("open")) {
        MessageBox::setNextAnswer(QMessageBox::Ok);
        QVERIFY(main.openPlanFile(m_plan));
    } else if (name == QLatin1String("close")) {
        MessageBox::setNextAnswer(QMessageBox::Ok);
        main.action(Command::Close)->trigger();
    } else if (name == QLatin1String("editor")) {
        main.action(Command::ChangeSettings)->trigger();
    } else if (name == QLatin1String("missing")) {
        MessageBox::setNextAnswer(QMessageBox::Ok);
        QVERIFY(!main.openPlanFile(m_files.filePath(QStringLiteral("nosuch.HRZ"))));
    } else if (name == QLatin1String("cashflow")) {
        main.action(Command::CashFlow)->trigger();
    } else {
        QFAIL(qPrintable(name));
    }
}

void TestAvailability::testEveryCommandInEveryState_data()
{
    QTest::addColumn<bool>("demo");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    // New Open Close CSV Save Chng Font Exit | Attn Prev Prnt PDF Xlsx Money CF CFcsv Cmp
    QTest::newRow("start without the demo") << false << ""
                                            << "11000011|000000000";
    QTest::newRow("start with the demo") << true << ""
                                         << "00100011|111110111";
    QTest::newRow("demo closed") << true << "close"
                                 << "11000001|000000000";
    QTest::newRow("demo with its cash flow") << true << "cashflow"
                                             << "00100011|111110111";
    QTest::newRow("wizard up at start") << false << "new"
                                        << "00000011|000000000";
    QTest::newRow("wizard cancelled at start") << false << "new cancel"
                                               << "11000011|000000000";
    QTest::newRow("wizard over the demo's close") << true << "close new"
                                                  << "00000001|000000000";
    QTest::newRow("new plan's table") << false << "new cancel finish"
                                      << "00111011|111111111";
    QTest::newRow("new plan's table closed") << false << "finish close"
                                             << "11011001|000000000";
    QTest::newRow("wizard over a closed new plan") << false << "finish close new"
                                                   << "00011001|000000000";
    QTest::newRow("wizard cancelled over a closed new plan") << false << "finish close new cancel"
                                                             << "11011001|000000000";
    QTest::newRow("opened plan's table") << false << "open"
                                         << "00111111|111111111";
    QTest::newRow("opened plan with its cash flow") << false << "open cashflow"
                                                    << "00111111|111111111";
    QTest::newRow("opened plan's table closed") << false << "open close"
                                                << "11000101|000000000";
    QTest::newRow("wizard over a closed opened plan") << false << "open close new"
                                                      << "00000001|000000000";
    QTest::newRow("wizard cancelled over a closed opened plan") << false << "open close new cancel"
                                                                << "11000001|000000000";
    QTest::newRow("settings editor over the table") << false << "open editor"
                                                    << "00111111|000000000";
    QTest::newRow("settings editor after the close") << false << "open close editor"
                                                     << "00000101|000000000";
    QTest::newRow("missing file at start") << false << "missing"
                                           << "11000011|000000000";
    QTest::newRow("missing file after the close") << false << "open close missing"
                                                  << "11000001|000000000";
    QTest::newRow("missing file after a new plan's close") << false << "finish close missing"
                                                           << "11000001|000000000";
    QTest::newRow("missing file over the table") << false << "open missing"
                                                 << "00111111|111111111";
    QTest::newRow("missing file over the demo") << true << "missing"
                                                << "00100011|111110111";
    QTest::newRow("opened over a new plan's table") << false << "finish open"
                                                    << "00111111|111111111";
}

void TestAvailability::testEveryCommandInEveryState()
{
    QFETCH(bool, demo);
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    auto main = GuiTest::startMainWindow(m_settings, demo);
    for (const QString& name : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        step(*main, name);
    QCOMPARE(allStates(*main), expected);
    // Each toolbar button is its command's own action.
    for (size_t i = 0; i < CommandCount; ++i) {
        const auto command = static_cast<Command>(i);
        if (QAction* button = main->toolbarAction(command))
            QCOMPARE(button, main->action(command));
    }
}

void TestAvailability::testMissingFileKeepsTheEditedTable()
{
    auto main = GuiTest::startMainWindow(m_settings, false);
    step(*main, QStringLiteral("open"));
    globalPlan().ST2_WIFE_RETIRE_AGE = 65;
    GuiTest::currentDocument().edited();
    const FamilyPlan edited = globalPlan();
    TableWindow* table = main->tableWindow();

    // A missing file is reported without the unsaved question; the edited table stays.
    MessageBox::setNextAnswer(QMessageBox::Ok);
    const QString missing = m_files.filePath(QStringLiteral("moved.HRZ"));
    QVERIFY(!main->openPlanFile(missing));
    QCOMPARE(MessageBox::count(), 1);
    QVERIFY(MessageBox::lastText().startsWith(QStringLiteral("ファイルを開けませんでした。")));
    QCOMPARE(main->tableWindow(), table);
    QVERIFY(globalPlan() == edited);
    QVERIFY(!GuiTest::currentDocument().isSaved());
    QCOMPARE(table->windowTitle(), QStringLiteral("ライフサイクル表 - ") + m_plan);

    // A file that can be read asks first, naming it; Cancel keeps the edited table.
    const QString other = m_files.filePath(QStringLiteral("other.HRZ"));
    QVERIFY(FILE_OUT_D(other.toStdString(), testplan::PlanBuilder().husband(1970, 60).build()));
    MessageBox::setNextAnswer(QMessageBox::Cancel);
    QVERIFY(!main->openPlanFile(other));
    QCOMPARE(MessageBox::lastText(), frmMain::unsavedQuestion() + QStringLiteral("\n開くファイル: ") + other);
    QCOMPARE(main->tableWindow(), table);
    QVERIFY(globalPlan() == edited);
}

void TestAvailability::testPlanHandedOverDuringTheWizardWaits()
{
    auto main = GuiTest::startMainWindow(m_settings, false);
    InstanceServer server;
    main->acceptPlansFrom(server);
    main->action(Command::New)->trigger();
    QWidget* page = main->setupWizard()->currentPage();
    QVERIFY(page);
    page->activateWindow();

    server.request(m_plan);
    // The plan waits for the wizard, the status bar says so, and the page keeps its place.
    QCOMPARE(server.pendingPaths(), QStringList { m_plan });
    QVERIFY(main->statusBar()->currentMessage().contains(QStringLiteral("山田家.HRZ")));
    QCOMPARE(main->setupWizard()->currentPage(), page);
    QVERIFY(!main->tableWindow());

    // Once the wizard is gone the plan opens.
    QTest::mouseClick(child<QPushButton*>(page, "Command3"), Qt::LeftButton);
    server.deliverPending();
    QVERIFY(main->tableWindow());
    QCOMPARE(main->tableWindow()->windowTitle(), QStringLiteral("ライフサイクル表 - ") + m_plan);
    QVERIFY(main->statusBar()->currentMessage().isEmpty());
}

QTEST_MAIN(TestAvailability)
#include "TestAvailability.moc"

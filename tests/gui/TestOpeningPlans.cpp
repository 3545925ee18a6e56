// SPDX-License-Identifier: GPL-3.0-or-later
// Plan files that reach the program from outside the Open dialog: the command line, a second
// launch that hands its file to the running copy, a drop on the main window.
#include "gui/common/FileDialog.h"
#include "gui/common/MessageBox.h"
#include "gui/common/PlanSession.h"
#include "gui/common/ProcessState.h"
#include "gui/shell/CommandLine.h"
#include "gui/shell/HandOverMessage.h"
#include "gui/shell/InstanceServer.h"
#include "gui/shell/PlanDropHandler.h"
#include "gui/shell/SingleInstance.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmMain.h"
#include "gui/table/TableWindow.h"
#include "gui/wizard/SetupWizard.h"
#include "harukaze/Version.h"
#include "support/GuiTestSupport.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace harukaze;

using Command = frmMain::Command;

namespace {

const QString kProgram = QStringLiteral(HARUKAZE_BIN_DIR "/harukaze");

/** What a user sees after opening a plan: captions, commands (New..Font as 1/0), the state flags. */
QString openedState(const frmMain& main)
{
    const Command commands[] = {
        Command::New, Command::Open, Command::Close, Command::Csv, Command::Save, Command::ChangeSettings, Command::Font
    };
    QString enabled;
    for (Command command : commands)
        enabled += main.isCommandEnabled(command) ? QLatin1Char('1') : QLatin1Char('0');
    const PlanDocument& document = GuiTest::currentDocument();
    const TableWindow* table = main.tableWindow();
    return QStringList { main.windowTitle(),
        table ? table->windowTitle() : QStringLiteral("(no table)"),
        enabled,
        document.fileName(),
        QStringLiteral("SAVED=%1 FORM200_OPEN=%2 DEMO_OPEN=%3")
            .arg(document.isSaved() ? 1 : 0)
            .arg(GuiTest::isWindowOpen("Form200") ? 1 : 0)
            .arg(GuiTest::isWindowOpen("Form1") ? 1 : 0) }
        .join(QLatin1Char('|'));
}

QMimeData* urlData(const QList<QUrl>& urls)
{
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

/** Drags `data` over `target` and drops it there; true when the drag was taken. */
bool dragAndDrop(QWidget* target, QMimeData* data)
{
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(centre, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

/** Leaves a socket file behind as a copy that crashed does: bound, then closed without unlinking. */
bool leaveStaleSocket(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (static_cast<size_t>(name.size()) >= sizeof address.sun_path)
        return false;
    memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound && QFile::exists(path);
}

} // namespace

class TestOpeningPlans : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testParse_data();
    void testParse();
    void testProgramOptions_data();
    void testProgramOptions();
    void testHelpWithoutDisplay();

    void testOpenersEndAsOpenCommand_data();
    void testOpenersEndAsOpenCommand();
    void testMissingFileAtStartKeepsProgramUp();
    void testSecondLaunchDuringModalDialogIsNotLost();
    void testSecondLaunchOverAnUnsavedTableAsks_data();
    void testSecondLaunchOverAnUnsavedTableAsks();
    void testWizardHoldsRequestsBack();
    void testStaleSocketIsTakenOver();
    void testNoRunningCopyAnswers();
    void testBadRequestIsDropped_data();
    void testBadRequestIsDropped();
    void testIdleConnectionsAreClosed();
    void testPlantedFolderIsNeverUsed_data();
    void testPlantedFolderIsNeverUsed();
    void testServerOfAnotherUserGetsNoPath();

    void testDropTakesOnlyOnePlanFile_data();
    void testDropTakesOnlyOnePlanFile();

private:
    QString copyPlan(const QString& name);
    /** Starts `harukaze args` in the test's folder; the runtime folder is the test's. */
    std::unique_ptr<QProcess> startProgram(const QStringList& args, const QProcessEnvironment& environment = {});
    /** Runs `harukaze args` to its end while this process goes on answering; exit code or -1. */
    int runProgram(const QStringList& args, QByteArray* out = nullptr, QByteArray* err = nullptr);

    GuiTest::TemporarySettings m_settings;
    QString m_plan;
};

void TestOpeningPlans::initTestCase()
{
    GuiTest::setUpProgramEnvironment();
    QVERIFY(QFile::exists(kProgram));
    // The second copy, not in test mode, must find the running copy where this one listens.
    QVERIFY(InstanceServer::defaultSocketPath().startsWith(m_settings.folder() + QStringLiteral("/runtime/")));
}

void TestOpeningPlans::init()
{
    m_settings.clear();
    GuiTest::resetProcessState();
    MessageBox::clearLast();
    // A Japanese name with a space: the path goes across as it is.
    m_plan = copyPlan(QStringLiteral("家族 プラン.HRZ"));
}

void TestOpeningPlans::cleanup()
{
    GuiTest::resetProcessState();
}

QString TestOpeningPlans::copyPlan(const QString& name)
{
    const QString path = m_settings.folder() + QLatin1Char('/') + name;
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(HARUKAZE_TEST_DATA_DIR "/plans/three-children.HRZ"), path))
        qFatal("cannot copy the plan file");
    return path;
}

std::unique_ptr<QProcess> TestOpeningPlans::startProgram(
    const QStringList& args, const QProcessEnvironment& environment)
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(kProgram);
    process->setArguments(args);
    process->setWorkingDirectory(m_settings.folder());
    if (!environment.isEmpty())
        process->setProcessEnvironment(environment);
    process->start();
    return process;
}

int TestOpeningPlans::runProgram(const QStringList& args, QByteArray* out, QByteArray* err)
{
    auto process = startProgram(args);
    QSignalSpy finished(process.get(), &QProcess::finished);
    if (!finished.wait(20000))
        return -1;
    if (out)
        *out = process->readAllStandardOutput();
    if (err)
        *err = process->readAllStandardError();
    return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
}

void TestOpeningPlans::testParse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("planPath");
    const QString folder = QDir::currentPath();
    QTest::newRow("nothing") << QStringList {} << int(CommandLine::Action::Run) << QString();
    QTest::newRow("relative file") << QStringList { QStringLiteral("plans/../a.HRZ") } << int(CommandLine::Action::Run)
                                   << folder + QStringLiteral("/a.HRZ");
    QTest::newRow("file after --") << QStringList { QStringLiteral("--"), QStringLiteral("-odd.HRZ") }
                                   << int(CommandLine::Action::Run) << folder + QStringLiteral("/-odd.HRZ");
    QTest::newRow("help") << QStringList { QStringLiteral("x.HRZ"), QStringLiteral("--help") }
                          << int(CommandLine::Action::Help) << QString();
    QTest::newRow("unknown option") << QStringList { QStringLiteral("--open"), QStringLiteral("x.HRZ") }
                                    << int(CommandLine::Action::UsageError) << QString();
    QTest::newRow("option-like file without --")
        << QStringList { QStringLiteral("-odd.HRZ") } << int(CommandLine::Action::UsageError) << QString();
    QTest::newRow("two files") << QStringList { QStringLiteral("a.HRZ"), QStringLiteral("b.HRZ") }
                               << int(CommandLine::Action::UsageError) << QString();
    QTest::newRow("version before help") << QStringList { QStringLiteral("--version"), QStringLiteral("-h") }
                                         << int(CommandLine::Action::Version) << QString();
    QTest::newRow("lone dash") << QStringList { QStringLiteral("-") } << int(CommandLine::Action::UsageError)
                               << QString();
    QTest::newRow("dash file after --") << QStringList { QStringLiteral("--"), QStringLiteral("-") }
                                        << int(CommandLine::Action::Run) << folder + QStringLiteral("/-");
}

void TestOpeningPlans::testParse()
{
    QFETCH(QStringList, args);
    QFETCH(int, action);
    QFETCH(QString, planPath);
    const CommandLine line = CommandLine::parse(QStringList { QStringLiteral("harukaze") } + args);
    QCOMPARE(int(line.action()), action);
    QCOMPARE(line.planPath(), planPath);
    QCOMPARE(line.problem().isEmpty(), line.action() != CommandLine::Action::UsageError);
}

void TestOpeningPlans::testProgramOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("--help") << QStringList { QStringLiteral("--help") } << 0 << CommandLine::helpText() << QString();
    // Qt's own options are Qt's: only then is --bogus found to be unknown.
    QTest::newRow("unknown option")
        << QStringList { QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--bogus") } << 2
        << QString()
        << QStringLiteral("harukaze: 不明なオプションです (unknown option): --bogus\n") + CommandLine::usageLine();
}

void TestOpeningPlans::testProgramOptions()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QByteArray stdoutBytes;
    QByteArray stderrBytes;
    QCOMPARE(runProgram(args, &stdoutBytes, &stderrBytes), exitCode);
    QCOMPARE(QString::fromUtf8(stdoutBytes), out);
    // Qt may add its own notes on standard error; the program's text ends it.
    QVERIFY2(QString::fromUtf8(stderrBytes).endsWith(err), stderrBytes.constData());
}

void TestOpeningPlans::testHelpWithoutDisplay()
{
    // In a terminal with no desktop at all the window system cannot start, yet --help answers.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QString::fromLatin1(name));
    auto process = startProgram({ QStringLiteral("--help") }, environment);
    QVERIFY(process->waitForFinished(20000));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process->readAllStandardOutput()), CommandLine::helpText());
}

void TestOpeningPlans::testOpenersEndAsOpenCommand_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("demo");
    for (const bool demo : { false, true }) {
        const char* over = demo ? " over the demo" : "";
        for (const char* way : { "argument", "second launch", "drop" })
            QTest::addRow("%s%s", way, over) << QString::fromLatin1(way) << demo;
    }
}

void TestOpeningPlans::testOpenersEndAsOpenCommand()
{
    QFETCH(QString, way);
    QFETCH(bool, demo);

    QString expected;
    {
        auto main = GuiTest::startMainWindow(m_settings, false);
        FileDialog::setNextFileName(m_plan);
        main->action(Command::Open)->trigger();
        expected = openedState(*main);
    }
    QVERIFY(expected.contains(QStringLiteral("ライフサイクル表 - ") + m_plan));
    GuiTest::resetProcessState();

    m_settings.write(QStringLiteral("DEMO/VIEW"), demo ? QStringLiteral("1") : QStringLiteral("0"));
    frmMain main;
    // As MAIN starts with a file: no demo, then the file opens once the window shows.
    const bool argument = way == QLatin1String("argument");
    main.load(!argument);
    QCOMPARE(GuiTest::isWindowOpen("Form1"), (demo && !argument ? 1 : 0) == 1);
    SingleInstance lock;
    QVERIFY(lock.tryLock());
    InstanceServer server;
    QVERIFY(server.listen());
    main.acceptPlansFrom(server);
    main.show();

    if (argument) {
        server.request(m_plan);
    } else {
        if (way == QLatin1String("second launch")) {
            // Started in the plan's folder with a relative name, as a file manager or a shell does.
            QByteArray out;
            QByteArray err;
            QCOMPARE(runProgram({ QFileInfo(m_plan).fileName() }, &out, &err), 0);
            QCOMPARE(out, QByteArray());
        } else {
            const std::unique_ptr<QMimeData> data(urlData({ QUrl::fromLocalFile(m_plan) }));
            QVERIFY(dragAndDrop(&main, data.get()));
        }
        QCoreApplication::sendPostedEvents();
    }
    QCOMPARE(openedState(main), expected);
    QCOMPARE(MessageBox::count(), 0);
    QVERIFY(server.pendingPaths().isEmpty());
}

void TestOpeningPlans::testMissingFileAtStartKeepsProgramUp()
{
    m_settings.write(QStringLiteral("DEMO/VIEW"), QStringLiteral("1"));
    frmMain main;
    main.load(false);
    InstanceServer server;
    const QString missing = m_settings.folder() + QStringLiteral("/nowhere.HRZ");
    MessageBox::setNextAnswer(QMessageBox::Ok);
    main.acceptPlansFrom(server);
    main.show();
    server.request(missing);
    QCOMPARE(MessageBox::count(), 1);
    QVERIFY(MessageBox::lastText().contains(missing));
    QVERIFY(main.isVisible());
    QVERIFY(!main.tableWindow());
    QCOMPARE(GuiTest::isWindowOpen("Form1"), false);
    // As a start without the demo: New, Open and Font usable.
    QVERIFY(main.isCommandEnabled(Command::New));
    QVERIFY(main.isCommandEnabled(Command::Open));
    QVERIFY(main.isCommandEnabled(Command::Font));
    QVERIFY(!main.isCommandEnabled(Command::Close));
}

void TestOpeningPlans::testSecondLaunchDuringModalDialogIsNotLost()
{
    auto main = GuiTest::startMainWindow(m_settings, false);
    SingleInstance lock;
    QVERIFY(lock.tryLock());
    InstanceServer server;
    QVERIFY(server.listen());
    main->acceptPlansFrom(server);

    QDialog dialog(main.get());
    std::unique_ptr<QProcess> second;
    QStringList waitingWhileModal;
    bool tableWhileModal = true;
    int exitCode = -1;
    onModal([&](QWidget* modal) {
        second = startProgram({ m_plan });
        connect(second.get(), &QProcess::finished, modal, [&, modal](int code) {
            // The second copy has ended: its request has been taken.
            exitCode = code;
            waitingWhileModal = server.pendingPaths();
            tableWhileModal = main->tableWindow() != nullptr;
            static_cast<QDialog*>(modal)->accept();
        });
    });
    dialog.exec();
    QCOMPARE(exitCode, 0);
    QCOMPARE(waitingWhileModal, QStringList { m_plan });
    QVERIFY(!tableWhileModal);

    QCoreApplication::sendPostedEvents();
    QVERIFY(server.pendingPaths().isEmpty());
    QVERIFY(main->tableWindow());
    QCOMPARE(GuiTest::currentDocument().fileName(), m_plan);
}

void TestOpeningPlans::testSecondLaunchOverAnUnsavedTableAsks_data()
{
    QTest::addColumn<bool>("discard");
    QTest::newRow("keep the table") << false;
    QTest::newRow("discard it") << true;
}

void TestOpeningPlans::testSecondLaunchOverAnUnsavedTableAsks()
{
    QFETCH(bool, discard);
    auto main = GuiTest::startMainWindow(m_settings, false);
    SingleInstance lock;
    QVERIFY(lock.tryLock());
    InstanceServer server;
    QVERIFY(server.listen());
    main->acceptPlansFrom(server);
    // A new plan's table, never saved.
    main->openTableWindow(frmMain::TableKind::Form100);
    QVERIFY(!PlanSession::instance().isSaved());

    MessageBox::setNextAnswer(discard ? QMessageBox::Ok : QMessageBox::Cancel);
    QCOMPARE(runProgram({ m_plan }), 0);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(MessageBox::lastText(), frmMain::unsavedQuestion() + QStringLiteral("\n開くファイル: ") + m_plan);
    QCOMPARE(main->tableWindow()->objectName(), discard ? QStringLiteral("Form200") : QStringLiteral("Form100"));
    QCOMPARE(main->tableWindow()->windowTitle(),
        QStringLiteral("ライフサイクル表 - ") + (discard ? m_plan : QStringLiteral("(無題)")));
    QVERIFY(server.pendingPaths().isEmpty());
}

void TestOpeningPlans::testWizardHoldsRequestsBack()
{
    auto main = GuiTest::startMainWindow(m_settings, false);
    InstanceServer server;
    main->acceptPlansFrom(server);
    main->action(Command::New)->trigger();
    QWidget* page = main->setupWizard()->currentPage();
    QVERIFY(page);

    // A drop is refused outright; a second launch waits.
    std::unique_ptr<QMimeData> data(urlData({ QUrl::fromLocalFile(m_plan) }));
    QVERIFY(!dragAndDrop(main.get(), data.get()));
    server.request(m_plan);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(server.pendingPaths(), QStringList { m_plan });
    QVERIFY(!main->tableWindow());

    // ｷｬﾝｾﾙ ends the wizard; the waiting file opens then.
    child<QPushButton*>(page, "Command3")->click();
    QCoreApplication::sendPostedEvents();
    QVERIFY(server.pendingPaths().isEmpty());
    QVERIFY(main->tableWindow());
    QCOMPARE(main->tableWindow()->windowTitle(), QStringLiteral("ライフサイクル表 - ") + m_plan);
}

void TestOpeningPlans::testStaleSocketIsTakenOver()
{
    // A copy that crashed left its lock (taken over by SingleInstance) and its socket.
    QDir().mkpath(QFileInfo(InstanceServer::defaultSocketPath()).absolutePath());
    QFile::remove(InstanceServer::defaultSocketPath());
    QVERIFY(leaveStaleSocket(InstanceServer::defaultSocketPath()));
    SingleInstance lock;
    QVERIFY(lock.tryLock());
    InstanceServer server;
    QVERIFY(server.listen());
    QSignalSpy requested(&server, &InstanceServer::openRequested);

    QCOMPARE(runProgram({ m_plan }), 0);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested.at(0).at(0).toString(), m_plan);
}

void TestOpeningPlans::testNoRunningCopyAnswers()
{
    const QString nobody = m_settings.folder() + QStringLiteral("/nobody.socket");
    QVERIFY(!InstanceServer::sendOpenRequest(m_plan, nobody, 200));
    QVERIFY(!InstanceServer::sendOpenRequest(QString(), nobody, 200));
}

void TestOpeningPlans::testBadRequestIsDropped_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const auto length = [](quint32 n) {
        char bytes[4];
        qToBigEndian<quint32>(n, bytes);
        return QByteArray(bytes, 4);
    };
    QTest::newRow("not a request") << QByteArrayLiteral("GET / HTTP/1.0\r\n\r\n");
    QTest::newRow("length beyond any path") << QByteArrayLiteral("HARUKAZE-OPEN\n") + length(0x7fffffff);
    QTest::newRow("relative path") << QByteArrayLiteral("HARUKAZE-OPEN\n") + length(5) + QByteArrayLiteral("a.HRZ");
}

void TestOpeningPlans::testBadRequestIsDropped()
{
    QFETCH(QByteArray, bytes);
    InstanceServer server;
    const QString path = m_settings.folder() + QStringLiteral("/test.socket");
    QVERIFY(server.listen(path));
    QSignalSpy requested(&server, &InstanceServer::openRequested);

    QLocalSocket socket;
    QSignalSpy disconnected(&socket, &QLocalSocket::disconnected);
    socket.connectToServer(path);
    QVERIFY(socket.waitForConnected(2000));
    socket.write(bytes);
    QVERIFY(disconnected.wait(5000));
    QCOMPARE(socket.readAll(), QByteArray());
    QCoreApplication::sendPostedEvents();
    QCOMPARE(requested.count(), 0);
    QVERIFY(server.pendingPaths().isEmpty());
    QVERIFY(server.isListening());
}

void TestOpeningPlans::testIdleConnectionsAreClosed()
{
    const QString path = m_settings.folder() + QStringLiteral("/idle.socket");
    const auto connectIdle = [&] {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(path);
        return socket->waitForConnected(2000) ? std::move(socket) : nullptr;
    };
    {
        // Connections that say nothing: the server takes a few and drops the rest at once.
        InstanceServer server;
        QVERIFY(server.listen(path));
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int i = 0; i < 12; ++i) {
            idle.push_back(connectIdle());
            QVERIFY(idle.back());
        }
        const auto dropped = [&] {
            return std::count_if(
                idle.begin(), idle.end(), [](const auto& s) { return s->state() != QLocalSocket::ConnectedState; });
        };
        QTRY_COMPARE(dropped(), 4L);
        QCOMPARE(idle.front()->state(), QLocalSocket::ConnectedState);
    }

    // One it took is closed when its time is up; a second copy that comes afterwards is heard.
    InstanceServer server;
    server.setRequestTimeout(100);
    QVERIFY(server.listen(path));
    QSignalSpy requested(&server, &InstanceServer::openRequested);
    const std::unique_ptr<QLocalSocket> silent = connectIdle();
    QVERIFY(silent);
    QSignalSpy closed(silent.get(), &QLocalSocket::disconnected);
    QVERIFY(closed.wait(5000));
    const std::unique_ptr<QLocalSocket> second = connectIdle();
    QVERIFY(second);
    second->write(HandOver::encodeRequest(m_plan));
    QSignalSpy answered(second.get(), &QLocalSocket::readyRead);
    QVERIFY(answered.wait(5000));
    QCOMPARE(second->readAll(), HandOver::reply());
    QCoreApplication::sendPostedEvents();
    QCOMPARE(requested.count(), 1);
}

void TestOpeningPlans::testPlantedFolderIsNeverUsed_data()
{
    QTest::addColumn<bool>("link");
    QTest::newRow("a folder open to all") << false;
    QTest::newRow("a link to such a folder") << true;
}

void TestOpeningPlans::testPlantedFolderIsNeverUsed()
{
    QFETCH(bool, link);
    // A sticky temporary folder open to all, no runtime folder, and Qt's own fallback for it taken
    // (a file where Qt would make "runtime-USER"): someone else got there first.
    const QString shared = m_settings.folder() + QStringLiteral("/shared-") + QString::number(link);
    QVERIFY(QDir().mkpath(shared));
    QVERIFY(::chmod(QFile::encodeName(shared).constData(), 01777) == 0);
    const passwd* user = ::getpwuid(::geteuid());
    QVERIFY(user);
    QFile runtime(shared + QStringLiteral("/runtime-") + QString::fromLocal8Bit(user->pw_name));
    QVERIFY(runtime.open(QIODevice::WriteOnly));
    runtime.close();
    // The folder the program would use, made beforehand and listened in by a fake server.
    const QString expected = shared + QStringLiteral("/harukaze-") + QString::number(::geteuid());
    const QString planted = link ? shared + QStringLiteral("/elsewhere") : expected;
    QVERIFY(QDir().mkpath(planted));
    QVERIFY(::chmod(QFile::encodeName(planted).constData(), 0777) == 0);
    if (link)
        QVERIFY(QFile::link(planted, expected));
    QLocalServer fake;
    QVERIFY(fake.listen(planted + QStringLiteral("/harukaze.socket")));
    QSignalSpy contacted(&fake, &QLocalServer::newConnection);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.insert(QStringLiteral("TMPDIR"), shared);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    auto program = startProgram({ m_plan }, environment);
    program->setReadChannel(QProcess::StandardError);
    QByteArray err;
    while (!err.contains("harukaze: ") && program->waitForReadyRead(20000))
        err += program->readAllStandardError();
    // It says why it runs unguarded and goes on running (it opens the plan itself) instead of
    // handing the path to whoever listens there.
    QVERIFY2(err.contains(SingleInstance::unguardedNote(QString()).section(QLatin1Char('('), 0, 0).toUtf8()),
        err.constData());
    QVERIFY(err.contains(QFile::encodeName(expected)));
    QCOMPARE(program->state(), QProcess::Running);
    QCoreApplication::processEvents();
    QCOMPARE(contacted.count(), 0);
    program->kill();
    program->waitForFinished(5000);
}

void TestOpeningPlans::testServerOfAnotherUserGetsNoPath()
{
    if (::geteuid() != 0)
        QSKIP("only root can start a server as another user");
    // Another user's server in a folder open to all, as a planted socket would be.
    QTemporaryDir sticky(QDir::tempPath() + QStringLiteral("/harukaze-sticky-XXXXXX"));
    QVERIFY(sticky.isValid());
    const QString shared = sticky.path();
    QVERIFY(::chmod(QFile::encodeName(shared).constData(), 01777) == 0);
    const QByteArray socketPath = QFile::encodeName(shared + QStringLiteral("/harukaze.socket"));
    int ready[2];
    QVERIFY(::pipe(ready) == 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(20); // never outlives a test that went wrong
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        memcpy(address.sun_path, socketPath.constData(), static_cast<size_t>(socketPath.size()));
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 4) != 0)
            ::_exit(3);
        static_cast<void>(::write(ready[1], "r", 1));
        const int client = ::accept(fd, nullptr, nullptr);
        // Whatever reaches the fake server, up to the moment the other end closes.
        char buffer[256];
        ssize_t total = 0;
        for (ssize_t n; (n = ::read(client, buffer, sizeof buffer)) > 0;)
            total += n;
        ::_exit(total == 0 ? 0 : 1);
    }
    ::close(ready[1]);
    char byte = 0;
    const ssize_t started = ::read(ready[0], &byte, 1);
    ::close(ready[0]);
    QCOMPARE(started, ssize_t(1));

    QVERIFY(!InstanceServer::sendOpenRequest(m_plan, QFile::decodeName(socketPath), 2000));
    int status = 0;
    QCOMPARE(::waitpid(pid, &status, 0), pid);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0); // not a byte of the path
}

void TestOpeningPlans::testDropTakesOnlyOnePlanFile_data()
{
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QString>("dropped");
    const QString folder = m_settings.folder();
    QDir(folder).mkpath(QStringLiteral("folder.HRZ"));
    QFile::copy(QStringLiteral(HARUKAZE_TEST_DATA_DIR "/plans/no-children.HRZ"), folder + QStringLiteral("/b.hrz"));
    const QUrl plan = QUrl::fromLocalFile(folder + QStringLiteral("/家族 プラン.HRZ"));
    QTest::newRow("one plan") << QList<QUrl> { plan } << plan.toLocalFile();
    QTest::newRow("lower-case suffix") << QList<QUrl> { QUrl::fromLocalFile(folder + QStringLiteral("/b.hrz")) }
                                       << folder + QStringLiteral("/b.hrz");
    QTest::newRow("two plans") << QList<QUrl> { plan, QUrl::fromLocalFile(folder + QStringLiteral("/b.hrz")) }
                               << QString();
    QTest::newRow("CSV file") << QList<QUrl> { QUrl::fromLocalFile(folder + QStringLiteral("/table.CSV")) }
                              << QString();
    QTest::newRow("folder named .HRZ") << QList<QUrl> { QUrl::fromLocalFile(folder + QStringLiteral("/folder.HRZ")) }
                                       << QString();
    QTest::newRow("no file") << QList<QUrl> {} << QString();
}

void TestOpeningPlans::testDropTakesOnlyOnePlanFile()
{
    QFETCH(QList<QUrl>, urls);
    QFETCH(QString, dropped);
    QWidget window;
    auto* handler = new PlanDropHandler(&window);
    QVERIFY(window.acceptDrops());
    QSignalSpy spy(handler, &PlanDropHandler::planDropped);

    std::unique_ptr<QMimeData> data(urlData(urls));
    if (urls.isEmpty())
        data->setText(QStringLiteral("家族 プラン.HRZ"));
    QCOMPARE(dragAndDrop(&window, data.get()), !dropped.isEmpty());
    // The file opens once the drop has finished, not inside it.
    QCOMPARE(spy.count(), 0);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(spy.count(), dropped.isEmpty() ? 0 : 1);
    if (!dropped.isEmpty())
        QCOMPARE(spy.at(0).at(0).toString(), dropped);
}

QTEST_MAIN(TestOpeningPlans)
#include "TestOpeningPlans.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/MessageBox.h"
#include "gui/shell/CommandLine.h"
#include "gui/shell/InstanceServer.h"
#include "gui/shell/SingleInstance.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmMain.h"
#include "gui/shell/frmSplash.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace {

using namespace harukaze;

/**
 * MAIN: splash, program folder and help file, main window load, the refusal of a second copy, then
 * the main window. With `planPath` the program starts without the demo and opens the file; when a
 * copy already runs, the file is handed to it and this copy ends at once without a word.
 */
int MAIN(QApplication& app, const QString& planPath)
{
    Startup::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/harukaze.png")));

    SingleInstance instance;
    // Without a private folder there is no lock, no hand-over and no refusal: a copy runs on its own.
    const bool guarded = instance.isUsable();
    if (!guarded) {
        QString problem;
        SingleInstance::privateFolder(&problem);
        std::fputs(SingleInstance::unguardedNote(problem).toLocal8Bit().constData(), stderr);
    }
    const bool first = !guarded || instance.tryLock();
    if (!first && !planPath.isEmpty()) {
        // The running copy opens the file; this one ends without showing anything.
        if (InstanceServer::sendOpenRequest(planPath))
            return 0;
        MessageBox::plain(nullptr, SingleInstance::handOverFailedMessage(planPath));
        return 1;
    }

    frmSplash splash;
    splash.show();
    splash.repaint();
    QApplication::processEvents();

    Startup::setUpProgramFolder();

    frmMain mainWindow;
    mainWindow.load(planPath.isEmpty());

    if (!first) {
        splash.close();
        MessageBox::plain(nullptr, SingleInstance::refusalMessage());
        return 0;
    }

    // Without the server the program still runs; a second launch with a file then says so.
    InstanceServer server;
    if (guarded)
        server.listen();
    splash.close();
    mainWindow.acceptPlansFrom(server);
    mainWindow.show();
    if (!planPath.isEmpty())
        server.request(planPath);
    return app.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    using harukaze::CommandLine;
    // --help and --version answer before the window system is needed, so they work in a terminal
    // without a display. Qt's own options (-platform ...) are only known once QApplication has
    // taken them, so the full check comes after it.
    const CommandLine early = CommandLine::parse(CommandLine::fromArgv(argc, argv));
    if (early.action() == CommandLine::Action::Help || early.action() == CommandLine::Action::Version)
        return early.printAndExitCode();

    QApplication app(argc, argv);
    const CommandLine commandLine = CommandLine::parse(QCoreApplication::arguments());
    if (commandLine.action() != CommandLine::Action::Run)
        return commandLine.printAndExitCode();

    QApplication::setApplicationName(QStringLiteral("HARUKAZE"));
    QApplication::setOrganizationName(QStringLiteral("HARUKAZE"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setDesktopFileName(QStringLiteral("harukaze"));
    // Message boxes and common dialogs show their standard buttons in Japanese (キャンセル, はい,
    // いいえ), as the rest of the program and its help do, whatever the desktop's language.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan),
            QStringLiteral("qtbase"),
            QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    harukaze::Startup::initResources();
    harukaze::Startup::installFontSubstitutions();
    return MAIN(app, commandLine.planPath());
}

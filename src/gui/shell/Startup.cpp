// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/Startup.h"

#include "gui/help/Help.h"
#include "gui/shell/InstanceServer.h"
#include "gui/shell/MessageBox.h"
#include "gui/shell/PlanDropHandler.h"
#include "gui/shell/ProcessState.h"
#include "gui/shell/SingleInstance.h"
#include "gui/shell/frmMain.h"
#include "gui/shell/frmSplash.h"
#include "gui/wizard/SetupWizard.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QFont>
#include <QIcon>

// The resources live in the static GUI library; registering them here keeps the linker from
// dropping them. Qt's initialiser must be called from the global namespace.
static void initResourcesOnce()
{
    static const bool s_done = [] {
        Q_INIT_RESOURCE(harukaze);
        return true;
    }();
    (void)s_done;
}

namespace harukaze {

namespace Startup {

void initResources()
{
    initResourcesOnce();
}

void installFontSubstitutions()
{
    const QStringList gothicP { QStringLiteral("IPAPGothic"),
        QStringLiteral("IPA Pゴシック"),
        QStringLiteral("Noto Sans CJK JP"),
        QStringLiteral("Noto Sans JP"),
        QStringLiteral("VL PGothic"),
        QStringLiteral("Droid Sans Fallback") };
    const QStringList gothic { QStringLiteral("IPAGothic"),
        QStringLiteral("IPAゴシック"),
        QStringLiteral("Noto Sans Mono CJK JP"),
        QStringLiteral("Noto Sans CJK JP"),
        QStringLiteral("VL Gothic"),
        QStringLiteral("Droid Sans Fallback") };
    for (const QString& name : { QStringLiteral("ＭＳ Ｐゴシック"),
             QStringLiteral("MS PGothic"),
             QStringLiteral("ＭＳ ＵＩ Ｇｏｔｈｉｃ"),
             QStringLiteral("MS UI Gothic") })
        QFont::insertSubstitutions(name, gothicP);
    for (const QString& name : { QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic") })
        QFont::insertSubstitutions(name, gothic);
}

QString withTrailingSeparator(const QString& folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString appDirectory()
{
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}

void setUpProgramFolder()
{
    const QString appDir = appDirectory();
    globalState().APP_DIR = appDir.toStdString();
    Help::setHelpFile(appDir + QStringLiteral("HARUKAZE.HLP"));
}

void startWithoutDemo(frmMain& mainWindow)
{
    if (globalState().DEMO_OPEN != 1)
        return;
    mainWindow.closeCommand();
    // Closing the demo turns the font command off; a start without the demo leaves it on.
    mainWindow.setCommandEnabled(frmMain::Command::Font, true);
}

bool isFreeToOpen(const frmMain& mainWindow)
{
    const SetupWizard* wizard = mainWindow.setupWizard();
    if (wizard && wizard->currentPage())
        return false;
    const QDialog* editor = mainWindow.settingsEditor();
    return !(editor && editor->isVisible());
}

bool openRequestedPlan(frmMain& mainWindow, const QString& path)
{
    // The demo is never open beside a table; it goes as the Close command closes it.
    if (globalState().DEMO_OPEN == 1 && !mainWindow.closeCommand())
        return false;
    return mainWindow.openPlanFile(path);
}

void connectPlanOpeners(frmMain& mainWindow, InstanceServer& server)
{
    server.setWindow(&mainWindow);
    server.setReadyCheck([&mainWindow] { return isFreeToOpen(mainWindow); });
    QObject::connect(&server, &InstanceServer::openRequested, &mainWindow, [&mainWindow](const QString& path) {
        openRequestedPlan(mainWindow, path);
    });

    auto* drops = new PlanDropHandler(&mainWindow);
    drops->setAcceptCheck([&mainWindow] { return isFreeToOpen(mainWindow); });
    QObject::connect(drops, &PlanDropHandler::planDropped, &mainWindow, [&mainWindow](const QString& path) {
        // The program may have become busy between the drop and now.
        if (isFreeToOpen(mainWindow))
            openRequestedPlan(mainWindow, path);
    });
}

void showMainWindow(frmMain& mainWindow, InstanceServer& server, const QString& planPath)
{
    connectPlanOpeners(mainWindow, server);
    mainWindow.show();
    if (!planPath.isEmpty())
        server.request(planPath);
}

int MAIN(QApplication& app, const QString& planPath)
{
    initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/harukaze.png")));

    SingleInstance instance;
    const bool first = instance.tryLock();
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

    setUpProgramFolder();

    frmMain mainWindow;
    mainWindow.load();
    if (!planPath.isEmpty())
        startWithoutDemo(mainWindow);

    if (!first) {
        splash.close();
        MessageBox::plain(nullptr, SingleInstance::refusalMessage());
        return 0;
    }

    // Without the server the program still runs; a second launch with a file then says so.
    InstanceServer server;
    server.listen();
    splash.close();
    showMainWindow(mainWindow, server, planPath);
    return app.exec();
}

} // namespace Startup

} // namespace harukaze

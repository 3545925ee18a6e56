// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/Startup.h"

#include "gui/common/FirstFrameExit.h"

#include "gui/common/PlanSession.h"
#include "gui/help/Help.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QWidget>

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
    PlanSession::instance().setAppDir(appDir.toStdString());
    Help::setHelpFile(appDir + QStringLiteral("HARUKAZE.HLP"));
}

void exitAfterFirstFrameIfAsked(QWidget* window)
{
    if (qEnvironmentVariableIsSet("HARUKAZE_EXIT_AFTER_FIRST_FRAME"))
        window->installEventFilter(new FirstFrameExit(window));
}

} // namespace Startup

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GuiTestSupport.h"

#include "core/table/Clock.h"
#include "gui/common/PlanSession.h"
#include "gui/help/Help.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <memory>

using namespace harukaze;

namespace GuiTest {

TemporarySettings::TemporarySettings()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path() + QStringLiteral("/runtime")));
}

TemporarySettings::~TemporarySettings() = default;

QString TemporarySettings::iniPath() const
{
    return m_dir.path() + QStringLiteral("/HARUKAZE/HARUKAZE.ini");
}

void TemporarySettings::clear()
{
    QSettings settings(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HARUKAZE"), QStringLiteral("HARUKAZE"));
    settings.clear();
    settings.sync();
}

void TemporarySettings::write(const QString& key, const QVariant& value)
{
    QSettings settings(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HARUKAZE"), QStringLiteral("HARUKAZE"));
    settings.setValue(key, value);
    settings.sync();
}

QString TemporarySettings::read(const QString& key) const
{
    QSettings settings(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HARUKAZE"), QStringLiteral("HARUKAZE"));
    return settings.value(key).toString();
}

void setUpProgramEnvironment(int year)
{
    Startup::initResources();
    Startup::installFontSubstitutions();
    Startup::setUpProgramFolder();
    setCurrentYearOverride(year);
}

void resetProcessState()
{
    const std::string appDir = globalState().APP_DIR;
    globalPlan() = FamilyPlan();
    PlanSessionTestAccess::state() = ProcessState();
    PlanSessionTestAccess::state().APP_DIR = appDir;
}

void pollForModal(const std::function<bool(QWidget*)>& accept,
    const std::function<void(QWidget*)>& action,
    int intervalMs,
    int tries,
    bool* done)
{
    if (done)
        *done = false;
    auto* timer = new QTimer(qApp);
    timer->setInterval(intervalMs);
    auto left = std::make_shared<int>(tries);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, accept, action, done, left] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && accept(modal)) {
            timer->stop();
            timer->deleteLater();
            action(modal);
            if (done)
                *done = true;
        } else if (--*left <= 0) {
            // Give up so a test that never opens the dialog does not leave the timer running.
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

void answerNextModal(const std::function<void(QWidget*)>& action, bool* done)
{
    pollForModal([](QWidget*) { return true; }, action, 5, 1000, done);
}

std::unique_ptr<frmMain> startMainWindow()
{
    auto main = std::make_unique<frmMain>();
    main->load();
    main->show();
    return main;
}

std::unique_ptr<frmMain> startMainWindow(TemporarySettings& settings, bool demo)
{
    settings.write(QStringLiteral("DEMO/VIEW"), demo ? QStringLiteral("1") : QStringLiteral("0"));
    return startMainWindow();
}

QAction* findAction(QWidget* root, const QString& name)
{
    return root ? root->findChild<QAction*>(name) : nullptr;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace GuiTest

void onModal(std::function<void(QWidget*)> action, int tries)
{
    GuiTest::pollForModal([](QWidget*) { return true; }, action, 10, tries);
}

namespace harukaze {

ProcessState& PlanSessionTestAccess::state()
{
    return PlanSession::instance().m_state;
}

} // namespace harukaze

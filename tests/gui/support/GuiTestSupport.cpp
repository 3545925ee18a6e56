// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GuiTestSupport.h"

#include "app/Help.h"
#include "app/Startup.h"
#include "plan/ProcessState.h"
#include "table/Clock.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

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
    globalState() = ProcessState();
    globalState().APP_DIR = appDir;
}

void answerNextModal(const std::function<void(QWidget*)>& action, bool* done)
{
    if (done)
        *done = false;
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, done] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
            if (done)
                *done = true;
        }
    });
    timer->start();
    // Give up after a while so a test that never opens the dialog does not leave the timer running.
    QTimer::singleShot(5000, timer, [timer] {
        timer->stop();
        timer->deleteLater();
    });
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

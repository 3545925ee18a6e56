// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/frmSplash.h"
#include "ui_frmSplash.h"

#include "gui/shell/Startup.h"

#include "harukaze/Version.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSysInfo>

namespace harukaze {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_ui(std::make_unique<Ui::frmSplash>())
{
    Startup::initResources();
    m_ui->setupUi(this);
    m_ui->lblProductName->setText(QStringLiteral("HARUKAZE"));
    m_ui->lblVersion->setText(versionText());
    m_ui->lblPlatform->setText(platformText());
    m_ui->picLogo->setPixmap(
        QPixmap(QStringLiteral(":/icons/harukaze.png")).scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

frmSplash::~frmSplash() = default;

QString frmSplash::versionText()
{
    return QStringLiteral("Ver.") + QStringLiteral(HARUKAZE_VERSION);
}

QString frmSplash::platformText()
{
    return QStringLiteral("for Linux (%1)").arg(QSysInfo::prettyProductName());
}

} // namespace harukaze

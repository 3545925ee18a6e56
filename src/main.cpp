// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HARUKAZE"));
    QApplication::setOrganizationName(QStringLiteral("HARUKAZE"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setDesktopFileName(QStringLiteral("harukaze"));
    Startup::initResources();
    Startup::installFontSubstitutions();
    Startup::installBusyPointerHook();
    return Startup::MAIN(app);
}

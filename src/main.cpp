// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/Startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
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
    return harukaze::Startup::MAIN(app);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/CommandLine.h"
#include "gui/shell/Startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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
    return harukaze::Startup::MAIN(app, commandLine.planPath());
}

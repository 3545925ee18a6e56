// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of bench/startup-time.sh: a bare Qt Widgets window (a main window with a menu bar)
// that ends once it has painted its first frame, as the program does under
// HARUKAZE_EXIT_AFTER_FIRST_FRAME.
#include "gui/common/FirstFrameExit.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("ハルカゼ"));
    window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    window.resize(633, 500);
    window.installEventFilter(new harukaze::FirstFrameExit(&window));
    window.show();
    return app.exec();
}

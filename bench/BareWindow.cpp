// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of bench/startup-time.sh: a bare Qt Widgets window (a main window with a menu bar)
// that ends once it has painted its first frame, as the program does under
// HARUKAZE_EXIT_AFTER_FIRST_FRAME.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>

#include <cstdlib>

namespace {

class FirstFrameExit : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this, [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("ハルカゼ"));
    window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    window.resize(633, 500);
    window.installEventFilter(new FirstFrameExit(&window));
    window.show();
    return app.exec();
}

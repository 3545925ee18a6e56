// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QMetaObject>
#include <QObject>

#include <cstdlib>

namespace harukaze {

/**
 * Installed on a window, ends the process once the window's first paint has been handed to the
 * window system: the end point of the start-up measurement (bench/startup-time.sh), shared by the
 * program and the bare Qt window it is measured against.
 */
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

} // namespace harukaze

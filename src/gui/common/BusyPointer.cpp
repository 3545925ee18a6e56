// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/BusyPointer.h"

#include <QApplication>
#include <QCursor>

namespace harukaze {

int BusyPointer::s_depth = 0;

BusyPointer::BusyPointer()
{
    if (s_depth++ == 0)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyPointer::~BusyPointer()
{
    if (--s_depth == 0)
        QApplication::restoreOverrideCursor();
}

bool BusyPointer::isActive()
{
    return s_depth > 0;
}

} // namespace harukaze

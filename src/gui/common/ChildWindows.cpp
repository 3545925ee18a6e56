// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ChildWindows.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace harukaze {

namespace ChildWindows {

void releaseSystemMenuKeys(QMdiSubWindow* window)
{
    if (QMenu* menu = window->systemMenu()) {
        for (QAction* action : menu->actions())
            action->setShortcut(QKeySequence());
    }
}

void addChildWindow(QMdiArea* area, QMdiSubWindow* window)
{
    releaseSystemMenuKeys(window);
    area->addSubWindow(window);
}

} // namespace ChildWindows

} // namespace harukaze

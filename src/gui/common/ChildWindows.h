// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMdiArea;
class QMdiSubWindow;

namespace harukaze {

/**
 * Child windows of the main window's MDI area. Every window the program shows there (the demo, the
 * table, the cash flow and any later one) goes through addChildWindow(), so that the main window's
 * keys reach their commands whichever window is in front.
 */
namespace ChildWindows {

/**
 * Adds `window` to `area` after taking the shortcuts off its system menu: QMdiSubWindow gives its
 * menu items Ctrl+W, Ctrl+F4 and others, which would make the main window's keys ambiguous (and so
 * dead) while it is open. The menu itself, its items and the frame's buttons stay.
 */
void addChildWindow(QMdiArea* area, QMdiSubWindow* window);

/** Takes the shortcuts off the system menu of `window` (addChildWindow() does this). */
void releaseSystemMenuKeys(QMdiSubWindow* window);

} // namespace ChildWindows

} // namespace harukaze

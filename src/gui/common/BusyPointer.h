// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace harukaze {

/**
 * Shows the busy (wait) pointer for as long as the guard lives. Guards nest: the normal pointer
 * comes back when the outermost one ends, however a long step is split into smaller ones.
 */
class BusyPointer
{
    Q_DISABLE_COPY(BusyPointer)

public:
    BusyPointer();
    ~BusyPointer();

    /** True while any guard is alive. */
    static bool isActive();

private:
    static int s_depth;
};

} // namespace harukaze

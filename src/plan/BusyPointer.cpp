// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/BusyPointer.h"

namespace {

std::function<void(bool)>& hook()
{
    static std::function<void(bool)> s_hook;
    return s_hook;
}

} // namespace

void setBusyPointerHook(std::function<void(bool busy)> newHook)
{
    hook() = std::move(newHook);
}

void showBusyPointer(bool busy)
{
    if (hook())
        hook()(busy);
}

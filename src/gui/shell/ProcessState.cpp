// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/ProcessState.h"

namespace harukaze {

FamilyPlan& globalPlan()
{
    static FamilyPlan plan;
    return plan;
}

ProcessState& globalState()
{
    static ProcessState state;
    return state;
}

} // namespace harukaze

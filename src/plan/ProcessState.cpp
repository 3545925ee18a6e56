// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/ProcessState.h"

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

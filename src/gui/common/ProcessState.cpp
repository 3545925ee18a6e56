// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ProcessState.h"

#include "gui/common/PlanSession.h"

namespace harukaze {

FamilyPlan& globalPlan()
{
    return PlanSession::instance().plan();
}

const ProcessState& globalState()
{
    return PlanSession::instance().state();
}

} // namespace harukaze

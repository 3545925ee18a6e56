// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"
#include "core/table/TableShape.h"
#include "core/table/TextMatrix.h"

#include <cstdint>
#include <string>

namespace harukaze {

/**
 * Process-wide state kept beside the plan: which windows are open, whether the plan was saved,
 * the plan file the plan belongs to, the program folder, the table font and the table text matrix
 * TBL. None of it is ever written to a plan file. The plan session (PlanSession) holds the one
 * instance and is its only writer.
 */
struct ProcessState
{
    int16_t SAVED = 0; ///< 1 = nothing unsaved; 0 = the table window's plan is not saved
    std::string PLAN_FILE_NAME; ///< full path of the plan file opened or last saved, "" when none
    int16_t FORM100_OPEN = 0; ///< table window of a new plan is open
    int16_t FORM200_OPEN = 0; ///< table window of an opened or edited plan is open
    int16_t DEMO_OPEN = 0; ///< opening demo window is open
    int16_t DEMO_VIEW = 0; ///< 1 = show the opening demo at start-up
    int16_t ERA_RESULT_YEAR = 0; ///< Western year chosen in the era input dialog, 0 = none
    std::string APP_DIR; ///< program folder, always ending in the path separator
    std::string FONT_NAME = TABLE_FONT_NAME;
    std::string FONT_SIZE = "9"; ///< points, as text (TABLE_FONT_POINTS)
    std::string FONT_BOLD = "False";
    std::string FONT_ITALIC = "False";
    TextMatrix TBL;
};

/** The program's one plan record, owned by the plan session. */
FamilyPlan& globalPlan();

/** The program's one process-wide state, owned by the plan session; change it through the session. */
const ProcessState& globalState();

} // namespace harukaze

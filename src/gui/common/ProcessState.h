// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"
#include "core/table/TableShape.h"

#include <cstdint>
#include <string>

namespace harukaze {

/**
 * Process-wide settings kept beside the plan documents: the demo setting, the program folder and
 * the table font. None of it is ever written to a plan file. The plan session (PlanSession) holds
 * the one instance and is its only writer. What belongs to a plan (its file, its saved state, its
 * table) is its document's; which windows are open, the main window's.
 */
struct ProcessState
{
    int16_t DEMO_VIEW = 0; ///< 1 = show the opening demo at start-up
    std::string APP_DIR; ///< program folder, always ending in the path separator
    std::string FONT_NAME = TABLE_FONT_NAME;
    std::string FONT_SIZE = TABLE_FONT_POINTS_TEXT; ///< points, as text
    std::string FONT_BOLD = "False";
    std::string FONT_ITALIC = "False";
};

/** The plan record of the current document (PlanSession::document()). */
FamilyPlan& globalPlan();

/** The program's one process-wide state, owned by the plan session; change it through the session. */
const ProcessState& globalState();

} // namespace harukaze

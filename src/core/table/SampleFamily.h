// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace harukaze {

struct FamilyPlan;

/**
 * Writes the opening demo's sample family into the plan: husband 1964, wife 1967, two children
 * (長女 1995, 長男 2000) and all four parents, every event shown and every end of life from the
 * data files. Fields the sample does not name keep their values.
 */
void writeSampleFamily(FamilyPlan& plan);

} // namespace harukaze

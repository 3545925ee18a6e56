// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/MoneySettings.h"

namespace harukaze {

struct FamilyPlan;

/**
 * Writes the opening demo's sample family into the plan: husband 1964, wife 1967, two children
 * (長女 1995, 長男 2000) and all four parents, every event shown and every end of life from the
 * data files, and the household's money (sampleMoneySettings()). Fields the sample does not name
 * keep their values.
 */
void writeSampleFamily(FamilyPlan& plan);

/**
 * The sample family's household money: a modest two-earner household. The husband (retired at 60)
 * works on under 再雇用 until 65, the wife earns until her retirement at 60 with a 退職金, both draw
 * 公的年金 from 65; living costs, a housing loan paid until 2032, insurance until 2034, a car bought
 * in 2029 and savings that earn a little.
 */
MoneySettings sampleMoneySettings();

} // namespace harukaze

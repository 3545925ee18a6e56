// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/Tax.h"
#include "core/plan/TaxSettings.h"
#include "core/table/TableShape.h"

#include <array>
#include <cstdint>
#include <vector>

namespace harukaze {

struct FamilyPlan;
struct MoneySettings;

/** One spouse's 額面 amounts of a year, in whole yen (the figures a 源泉徴収票 shows). */
struct GrossYen
{
    int64_t pay = 0; ///< 給与 (再雇用 pay after retirement)
    int64_t pension = 0; ///< 公的年金
    int64_t severance = 0; ///< 退職金
};

/** Both spouses' 額面 amounts over the 51 years of the table. */
struct GrossYears
{
    int y0 = 0;
    std::array<bool, 2> inTable {}; ///< by Spouse: the spouse has a column in the life cycle table
    std::array<std::array<GrossYen, 2>, TABLE_YEARS> years {}; ///< by year n, then by Spouse
};

/**
 * The tax computation's input for year n of the table: the spouses' ages and amounts, the bonus
 * months (none from the retirement year on), the service years (0 = retirement age − 22, at least 1),
 * and the ages of the table's children born by then.
 */
TaxYearInput taxYearInput(const FamilyPlan& plan, const TaxSettings& settings, const GrossYears& gross, int n);

/** computeTaxYear() for each of the 51 years. */
std::vector<TaxYearResult> computeTaxYears(
    const FamilyPlan& plan, const TaxSettings& settings, const GrossYears& gross);

/**
 * The 額面 amounts of the plan's spouses as the cash-flow table has them: pay, pension and 退職金
 * of each year, exact and rounded once to whole yen.
 */
GrossYears grossYears(const FamilyPlan& plan, const MoneySettings& settings, int y0);

/** The taxes of the 51 years of the plan's table starting in `y0`, with the settings' 額面 amounts. */
std::vector<TaxYearResult> computePlanTaxes(const FamilyPlan& plan, const MoneySettings& settings, int y0);

} // namespace harukaze

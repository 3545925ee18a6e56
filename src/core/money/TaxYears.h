// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/Tax.h"
#include "core/plan/TaxSettings.h"
#include "core/table/TableShape.h"

#include <array>
#include <cstdint>
#include <vector>

namespace harukaze {

class CashFlowLedger;
struct FamilyPlan;
struct MoneySettings;
struct TableFacts;
struct TableModel;

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

/** The ledger's exact 額面 pay, pension and 退職金 of each spouse and year, rounded once to whole yen. */
GrossYears grossYears(const CashFlowLedger& ledger);

/**
 * The tax computation's input for year n of the table: the spouses' ages and retirement ages and
 * the children's ages as the table's facts have them, the amounts of `gross`, the bonus months
 * (none from the retirement year on), the service years (0 = retirement age − 22, at least 1).
 */
TaxYearInput taxYearInput(const TableFacts& facts, const TaxSettings& settings, const GrossYears& gross, int n);

/** computeTaxYear() for each of the 51 years. */
std::vector<TaxYearResult> computeTaxYears(
    const TableFacts& facts, const TaxSettings& settings, const GrossYears& gross);

/**
 * The 額面 amounts and taxes of the plan's 51 years as its cash-flow table has them: the ledger of
 * startCashFlow() over `table` after the money modules that run before the tax rows.
 */
struct PlanTaxes
{
    GrossYears gross;
    std::vector<TaxYearInput> inputs; ///< by year n
    std::vector<TaxYearResult> years; ///< by year n
};
PlanTaxes planTaxes(const FamilyPlan& plan, const MoneySettings& settings, const TableModel& table);

/**
 * The money module of 額面 income: when INCOME_BASIS is 額面, adds the rows 可処分所得, 所得税, 住民税
 * and 社会保険料, each year the sum of both spouses' whole yen; otherwise adds nothing.
 */
void addTaxRows(CashFlowLedger& ledger, const FamilyPlan& plan, const MoneySettings& settings, const TableModel& table);

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/CashFlow.h"
#include "core/money/HousingCredit.h"
#include "core/money/Loan.h"
#include "core/money/TaxYears.h"
#include "core/plan/MoneySettings.h"

#include <array>
#include <boost/multiprecision/cpp_int.hpp>
#include <optional>
#include <string>

namespace harukaze {

struct FamilyPlan;
struct TableContext;

/**
 * The household's home over the years of the cash-flow table: the rent before the move, the house
 * costs after it, the housing loan's schedule with 団信 from the life cycle table, and the
 * 住宅ローン控除 of each year.
 */

/** The month the family moves into the bought home, if it ever does. */
struct MoveMonth
{
    int year = 0;
    int month = 1;
};
std::optional<MoveMonth> moveMonth(const HomeSettings& home);

/**
 * 家賃(Y) + 住宅維持費(Y) in yen, exactly, as a numerator over 12 × 1000^n (n = Y − Y0): grow(RENT,
 * RENT_RATE, n) × m_rent / 12 for the months of Y before the move and grow(HOUSE_COST,
 * HOUSE_COST_RATE, n) × m_own / 12 for the months from it on.
 */
boost::multiprecision::cpp_int rentAndHouseCostTwelfths(const HomeSettings& home, int y0, int n);

/** The loan's terms as the settings give them, with 団信's year D when it applies. */
LoanTerms loanTerms(const HomeSettings& home, std::optional<int> clearedYear);

/**
 * D of 団信: the insured spouse's birth year plus the age at death the life cycle table `table` uses
 * for that spouse's column; nothing without 団信 or when that spouse has no column.
 */
std::optional<int> loanClearedYear(const HomeSettings& home, const TableModel& table);

/** The plan's loan schedule over its built life cycle table; nothing when the plan has no loan. */
std::optional<LoanSchedule> planLoanSchedule(const FamilyPlan& plan, const TableModel& table);

/** The same for a caller without a built table: builds the life cycle table for `context` first. */
std::optional<LoanSchedule> planLoanSchedule(const FamilyPlan& plan, const TableContext& context);

/** The tax figures of one year the credit is limited by (yen). */
struct CreditTaxes
{
    int64_t incomeTax = 0; ///< T
    int64_t taxable = 0; ///< S
    int64_t residentTax = 0; ///< R
    int64_t totalIncome = 0; ///< G
};

/** The flat CREDIT_INCOME_TAX, CREDIT_TAXABLE, CREDIT_RESIDENT_TAX, CREDIT_TOTAL_INCOME. */
CreditTaxes flatCreditTaxes(const HomeSettings& home);

/**
 * The taxes that limit the credit in each year of the table: with 手取り income the flat CREDIT_*
 * amounts every year; with 額面 income the year's figures of the CREDIT_TAXPAYER spouse — 基準所得税額
 * (before 復興特別所得税, without the tax on a 退職金), 課税所得, 住民税 所得割 (県 + 市) and
 * 合計所得金額 — or nothing in any year when that spouse is not in the table (no credit).
 */
std::array<std::optional<CreditTaxes>, TABLE_YEARS> creditTaxesOfTable(
    const MoneySettings& settings, const TableFacts& facts, const GrossYears& gross);

/** The schedule CSV of the plan's loan in CP932; the header row alone when the plan has no loan. */
std::string planLoanScheduleCsvBytes(const FamilyPlan& plan, const TableContext& context);

/**
 * The 住宅ローン控除 of year Y (0 without CREDIT = 1, or when the loan's term is under 10 years after
 * the events of Y).
 */
CreditParts loanCreditOfYear(const HomeSettings& home, const LoanSchedule& schedule, int Y, const CreditTaxes& taxes);

/**
 * The housing module of the cash flow: 家賃 and 住宅維持費 into 住居費 (rounded once with it), and with a
 * loan the rows 住宅ローン控除, 住宅ローン and ローン残高.
 */
void addHousingRows(
    CashFlowLedger& ledger, const FamilyPlan& plan, const MoneySettings& settings, const TableModel& table);

} // namespace harukaze

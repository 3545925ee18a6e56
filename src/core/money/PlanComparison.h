// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/CashFlow.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace harukaze {

struct FamilyPlan;
struct MoneySectionCut;
struct TableContext;

/** A comparison sets two to four plans side by side. */
constexpr int MIN_COMPARED_PLANS = 2;
constexpr int MAX_COMPARED_PLANS = 4;

/** The figures that sum up one plan's cash-flow table, in the order they are shown. */
enum class Indicator {
    LowestSavings, ///< 最小の貯蓄残高
    LowestSavingsYear, ///< 最小の年
    FirstNegativeYear, ///< 初めてマイナスになる年
    SavingsAt65, ///< 世帯主65歳の貯蓄残高
    SavingsAt75, ///< 世帯主75歳の貯蓄残高
    SavingsAt90, ///< 世帯主90歳の貯蓄残高
    FinalSavings, ///< 最終年の貯蓄残高
    IncomeSum, ///< 収入の合計
    ExpenseSum, ///< 支出の合計
    EducationSum, ///< 教育費の合計
    CareSum, ///< 介護費の合計
};
constexpr int INDICATORS = 11;

/** The indicator's label ("最小の貯蓄残高", ...). */
const char* indicatorLabel(Indicator indicator);

/** Whether the indicator is a year (西暦) rather than an amount in 万円. */
bool isYearIndicator(Indicator indicator);

/**
 * One indicator of one plan. `text` is what the comparison shows and writes: whole 万円 ("-120"),
 * a year as the table shows it ("2031"), "なし" when the savings never fall below 0, or empty when
 * the 世帯主's age falls outside the table or there is no 世帯主. `number` holds the amount (or the
 * year) when there is one.
 */
struct IndicatorValue
{
    std::optional<int64_t> number;
    std::string text;
};

/** One plan of a comparison: its name, its cash-flow table and what sums it up. */
struct ComparedPlan
{
    std::string name; ///< the plan file's name without its folder, or "(無題)"
    CashFlowTable table;
    std::array<int64_t, TABLE_YEARS> savings {}; ///< the shown 貯蓄残高 of each year, 万円
    std::array<IndicatorValue, INDICATORS> indicators;

    const IndicatorValue& at(Indicator indicator) const { return indicators[static_cast<size_t>(indicator)]; }
};

/** Plans on the same year axis: the same first year, the years as the first plan's table shows them. */
struct PlanComparison
{
    std::array<std::string, TABLE_YEARS> years; ///< 西暦 of each year ("2026")
    std::vector<ComparedPlan> plans;
};

/** A shown whole-万円 figure of the cash-flow table ("-120") as a number; nothing for any other text. */
std::optional<int64_t> shownManYen(const std::string& text);

/**
 * The indicators of `table`, the cash-flow table of `plan`, all from the figures the table shows
 * (the texts of its money rows, whichever rows the table has). The 世帯主 is the husband when the table has
 * his column, else the wife when it has hers; the savings at an age are those of the year in which
 * the 世帯主 reaches it.
 */
std::array<IndicatorValue, INDICATORS> planIndicators(const FamilyPlan& plan, const CashFlowTable& table);

/** A plan of a comparison: the cash-flow table of `plan` for `context` and its indicators. */
ComparedPlan comparedPlan(const std::string& name, const FamilyPlan& plan, const TableContext& context);

/** The comparison of `plans` (built for one context), the first plan giving the years. */
PlanComparison comparePlans(std::vector<ComparedPlan> plans);

/**
 * The indicator of plan `plan` minus that of the first plan, in 万円; nothing for a year indicator,
 * for the first plan itself, or when either plan has no amount.
 */
std::optional<int64_t> indicatorDifference(const PlanComparison& comparison, size_t plan, Indicator indicator);

/**
 * The comparison as CSV: "項目" and the plans' names; the eleven indicators, one a row; then one row
 * per year, its 西暦 and each plan's 貯蓄残高. Quoted as the table CSV, CP932, CR LF after every row.
 */
std::string planComparisonCsvBytes(const PlanComparison& comparison);

/** The name of a plan file without its folder ("/home/a/案B.HRZ" gives "案B.HRZ"). */
std::string planFileNameOf(const std::string& path);

/**
 * Reads the plan file at `path` into `plan` as the Open command reads it (the record reset, the 300
 * lines by line number, then the money section). False, `plan` reset and `error` set, when the file
 * cannot be read. A money section read only in part is described in `cut` (when given).
 */
bool readComparedPlan(
    const std::string& path, FamilyPlan& plan, std::string* error = nullptr, MoneySectionCut* cut = nullptr);

} // namespace harukaze

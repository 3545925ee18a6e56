// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/MoneySettings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace harukaze {

struct FamilyPlan;

constexpr int COMPARED_FIRST_AGE = 60;
constexpr int COMPARED_LAST_AGE = 75;
constexpr int COMPARED_AGES = COMPARED_LAST_AGE - COMPARED_FIRST_AGE + 1;
constexpr int LIFE_TABLE_LAST_AGE = 113;

/** One start age of the comparison (受給開始年齢の比較). */
struct PensionStartAgeRow
{
    int startAge = 0; ///< 開始年齢
    bool offered = false; ///< false: the row shows "—"
    int ratePermille = 0; ///< 増減率
    int64_t yearly = 0; ///< 年額, yen
    int firstMonth = 0; ///< 受給開始, month index 12·year + (month − 1)
    int64_t survivalPermille = 0; ///< 開始までの生存率
    int64_t expectedTotal = 0; ///< 期待受取総額, yen
    std::optional<int64_t> differenceTo65; ///< 65歳開始との差, yen
    std::optional<int> breakEvenMonths; ///< 損益分岐年齢 as months of age (81歳11ヵ月 = 983)
    bool best = false; ///< ★
};

/** The comparison of one spouse, start ages 60..75 in order. */
struct PensionComparison
{
    bool wife = false;
    int currentAge = 0; ///< a0 = Y0 − B
    std::array<PensionStartAgeRow, COMPARED_AGES> rows {};
};

/**
 * l_x of the life table for ages 0..114 (l_0 = 100,000,000, l_114 = 0), rebuilt from e_x with deaths
 * spread evenly within each year of age.
 */
std::array<int64_t, LIFE_TABLE_LAST_AGE + 2> survivors(bool female);

/**
 * Compares the start ages 60..75 of the husband (wife = false) or the wife, all other settings as
 * planned; nothing unless the spouse is in the table, uses an estimate mode and is 0..113 in y0.
 */
std::optional<PensionComparison> comparePensionStartAges(
    const FamilyPlan& plan, const MoneySettings& settings, int y0, bool wife);

/** Texts of the comparison's cells. */
std::string pensionRateText(int permille); ///< "−24.0%", "±0.0%", "+42.0%"
std::string pensionMonthText(int month); ///< "2031年8月"
std::string pensionAgeText(int monthsOfAge); ///< "81歳11ヵ月"
std::string permilleAsPercentText(int64_t permille); ///< 987 -> "98.7%"
std::string tenThousandYenText(int64_t yen); ///< 万円 with one decimal: 1,234,567 -> "123.5"

/**
 * The CSV of the comparison of both spouses (those that have one): a header, then one row per spouse
 * and start age with the columns of the dialog, amounts in yen; CP932, CR LF, the table CSV's quoting.
 */
std::string pensionComparisonCsvBytes(const std::vector<PensionComparison>& comparisons);

/** The comparisons of the husband and the wife of `plan` (its money settings or the defaults). */
std::vector<PensionComparison> pensionComparisons(const FamilyPlan& plan, int y0);

/** pensionComparisonCsvBytes() of pensionComparisons(): `harukaze-csv --pension-ages`. */
std::string pensionStartAgesCsvBytes(const FamilyPlan& plan, int y0);

} // namespace harukaze

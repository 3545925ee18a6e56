// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace harukaze {

/**
 * The Japanese era calendar in whole years: era names with the offset that turns an era year into
 * a Western year (Western = era year + offset). The index is the position in the era dialog's list.
 */
struct Era
{
    const char* name; ///< UTF-8 era name, e.g. "平成"
    int offset; ///< Western year of era year 0
};

constexpr int ERA_MEIJI = 0;
constexpr int ERA_TAISHO = 1;
constexpr int ERA_SHOWA = 2;
constexpr int ERA_HEISEI = 3;
constexpr int ERA_REIWA = 4;
constexpr int ERA_COUNT = 5;

extern const std::array<Era, ERA_COUNT> ERA_TABLE;

/**
 * Western year of an era year; no range check on the era year (平成 0 is 1988, 大正 20 is 1931).
 * An era index outside ERA_TABLE gives 0, the "no year" of the era dialog.
 */
int WAREKI_TO_SEIREKI(int eraIndex, int eraYear);

/**
 * As above, the era year being the leading number of `eraYearText` (blanks ignored, 0 when there is
 * none). A fractional era year is added as it stands and the sum rounded half to even.
 */
int WAREKI_TO_SEIREKI(int eraIndex, std::string_view eraYearText);

/** The 平成 year of a Western year (year - 1988) as text of at least two digits, for every year. */
std::string HEISEI_NEN(int westernYear);

/** The era in force in a Western year and the year of that era. */
struct EraYear
{
    int eraIndex;
    int year;
};

/**
 * The era in force in `westernYear`: 令和 from 2019, 平成 1989-2018, 昭和 1926-1988, 大正 1912-1925,
 * 明治 up to 1911 (years before 1868 give 明治 years of 0 or less).
 */
EraYear eraForYear(int westernYear);

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/EraCalendar.h"

#include "core/io/NumberText.h"

#include <algorithm>
#include <climits>

namespace harukaze {

const std::array<Era, ERA_COUNT> ERA_TABLE = { {
    { "明治", 1867 },
    { "大正", 1911 },
    { "昭和", 1925 },
    { "平成", 1988 },
    { "令和", 2018 },
} };

namespace {

bool isEraIndex(int eraIndex)
{
    return eraIndex >= 0 && eraIndex < ERA_COUNT;
}

} // namespace

int WAREKI_TO_SEIREKI(int eraIndex, int eraYear)
{
    if (!isEraIndex(eraIndex))
        return 0;
    const long long year = static_cast<long long>(eraYear) + ERA_TABLE[static_cast<size_t>(eraIndex)].offset;
    return static_cast<int>(std::clamp<long long>(year, INT_MIN, INT_MAX));
}

int WAREKI_TO_SEIREKI(int eraIndex, std::string_view eraYearText)
{
    if (!isEraIndex(eraIndex))
        return 0;
    // The entered text counts with its fraction ("1.5"), and only the sum with the offset is
    // rounded, halves to even, as the year is stored as a whole number.
    const double eraYear = lenientTextToDouble(eraYearText);
    const double year = eraYear + ERA_TABLE[static_cast<size_t>(eraIndex)].offset;
    const double limited = std::clamp(year, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX));
    return static_cast<int>(roundHalfEven(limited));
}

std::string HEISEI_NEN(int westernYear)
{
    return formatPadded(static_cast<long long>(westernYear) - ERA_TABLE[ERA_HEISEI].offset, 2);
}

EraYear eraForYear(int westernYear)
{
    // Far outside any calendar year; the limit keeps the subtraction below from overflowing.
    westernYear = std::clamp(westernYear, -1000000, 1000000);
    for (int index = ERA_COUNT - 1; index > 0; --index) {
        const int offset = ERA_TABLE[static_cast<size_t>(index)].offset;
        if (westernYear > offset)
            return { index, westernYear - offset };
    }
    return { ERA_MEIJI, westernYear - ERA_TABLE[ERA_MEIJI].offset };
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/Clock.h"

#include <ctime>

namespace harukaze {

namespace {

std::optional<int>& yearOverride()
{
    static std::optional<int> s_year;
    return s_year;
}

} // namespace

int currentYear()
{
    if (yearOverride())
        return *yearOverride();
    // The table follows the calendar the user lives in, so the local year, not UTC.
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    if (localtime_r(&now, &local) == nullptr)
        return 1970;
    return local.tm_year + 1900;
}

void setCurrentYearOverride(std::optional<int> year)
{
    yearOverride() = year;
}

} // namespace harukaze

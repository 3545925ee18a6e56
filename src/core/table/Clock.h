// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace harukaze {

/**
 * The current calendar year Y0, the first year of every table. It comes from the system clock
 * unless an override is set (tests, the command-line exporter's --year).
 */
int currentYear();

/** Sets (or with std::nullopt clears) the year that currentYear() returns. */
void setCurrentYearOverride(std::optional<int> year);

} // namespace harukaze

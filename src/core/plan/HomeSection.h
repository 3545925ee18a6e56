// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/HomeSettings.h"

#include <string>
#include <string_view>
#include <vector>

namespace harukaze {

/**
 * The housing keys of the money section: RENT .. CREDIT_TOTAL_INCOME, LOAN_RATE1..20 and
 * PREPAY1..20. They follow the INCOME/EXPENSE lines and are written only when the home settings
 * differ from their defaults, so a plan without them is written exactly as before.
 */

/**
 * Applies one line of the section when its key is a housing key (a valid value sets the setting, an
 * invalid one changes nothing) and returns true; false for any other key.
 */
bool applyHomeLine(std::string_view key, std::string_view value, HomeSettings& home);

/** Appends the housing lines (the keys in their order, then LOAN_RATEi, then PREPAYi), if any. */
void appendHomeLines(const HomeSettings& home, std::vector<std::string>& lines);

/** The value of a LOAN_RATEi line "YEAR,MONTH,RATE", or nothing when it is invalid. */
std::optional<LoanRateChange> parseLoanRateChange(std::string_view value);

/** The value of a PREPAYi line "YEAR,MONTH,AMOUNT,TYPE", or nothing when it is invalid. */
std::optional<Prepayment> parsePrepayment(std::string_view value);

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/HomeSettings.h"

#include <cstdint>

namespace harukaze {

/** The 住宅ローン控除 of one year, with the house and the year's tax figures. */
struct CreditInput
{
    int year = 0; ///< Y
    int moveInYear = 0; ///< M, the 入居 year
    CreditHouseKind kind = CreditHouseKind::EnergySaving;
    bool newHouse = true; ///< 新築・買取再販 (false: 既存)
    bool child = false; ///< 子育て世帯・若者夫婦世帯
    bool small = false; ///< 床面積 40㎡以上50㎡未満
    int64_t balance = 0; ///< B, 年末残高 of Y
    int64_t incomeTax = 0; ///< T, 所得税額 before the credit (without 復興特別所得税)
    int64_t taxable = 0; ///< S, 課税総所得金額等
    int64_t residentTax = 0; ///< R, 住民税所得割額 before the credit
    int64_t totalIncome = 0; ///< G, 合計所得金額
};

/** The limit of the balance (借入限度額, yen) and the years of the credit. */
struct CreditLimit
{
    int64_t limit = 0;
    int years = 0;
};

/** The limit and the period for the 入居 year and the house (0 for years outside the law's range). */
CreditLimit creditLimit(int moveInYear, CreditHouseKind kind, bool newHouse, bool child, bool small);

/** The credit's two parts, 所得税 first, then 住民税 (at most 97,500 yen). */
struct CreditParts
{
    int64_t incomeTax = 0;
    int64_t residentTax = 0;
    int64_t total() const { return incomeTax + residentTax; }
};

/**
 * credit(Y, M, kind, new, child, small, B, T, S, R, G): 0.7% of min(B, limit) rounded down to 100
 * yen, taken from 所得税 up to T, the rest from 住民税 up to 5% of S, 97,500 yen and R. Zero outside
 * the period, above the income limit (2,000万円, 1,000万円 for a small house) or with no balance.
 * The loan's term (at least 10 years) is the caller's to check.
 */
CreditParts housingCredit(const CreditInput& input);

} // namespace harukaze

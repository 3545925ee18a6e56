// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/HousingCredit.h"

#include "harukaze/TaxTableData.h"

#include <algorithm>

namespace harukaze {

namespace {

constexpr int64_t MAN = 10000;
constexpr int64_t RESIDENT_TAX_CAP = 97500; // 住民税からの控除の上限
constexpr int64_t INCOME_LIMIT = 2000 * MAN; // 合計所得金額
constexpr int64_t SMALL_INCOME_LIMIT = 1000 * MAN;
constexpr int FIRST_SMALL_EXCLUSION_YEAR = 2026; // from here a small house has no uplift

} // namespace

CreditLimit creditLimit(int moveInYear, CreditHouseKind kind, bool newHouse, bool child, bool small)
{
    // 借入限度額 and years by 入居 year (data/tax/housing_credit_limits.tsv).
    for (const tax_data::CreditLimitRow& row : tax_data::HOUSING_CREDIT_LIMITS) {
        if (moveInYear < row.firstYear || moveInYear > row.lastYear || row.newHouse != newHouse
            || row.kind != static_cast<int>(kind))
            continue;
        const bool uplift = child && row.childLimitMan > 0 && !(small && moveInYear >= FIRST_SMALL_EXCLUSION_YEAR);
        return { (uplift ? row.childLimitMan : row.limitMan) * MAN, row.years };
    }
    return {};
}

CreditParts housingCredit(const CreditInput& input)
{
    const CreditLimit limit = creditLimit(input.moveInYear, input.kind, input.newHouse, input.child, input.small);
    const int64_t incomeLimit = input.small ? SMALL_INCOME_LIMIT : INCOME_LIMIT;
    if (limit.limit == 0 || input.year < input.moveInYear || input.year >= input.moveInYear + limit.years
        || input.totalIncome > incomeLimit || input.balance <= 0)
        return {};
    const int64_t full = std::min(input.balance, limit.limit) * 7 / 1000 / 100 * 100;
    CreditParts parts;
    parts.incomeTax = std::max<int64_t>(0, std::min(full, input.incomeTax));
    const int64_t resident
        = std::min({ full - parts.incomeTax, input.taxable * 5 / 100, RESIDENT_TAX_CAP, input.residentTax });
    parts.residentTax = std::max<int64_t>(0, resident);
    return parts;
}

} // namespace harukaze

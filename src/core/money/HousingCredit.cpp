// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/HousingCredit.h"

#include <algorithm>

namespace harukaze {

namespace {

constexpr int64_t MAN = 10000;
constexpr int64_t RESIDENT_TAX_CAP = 97500; // 住民税からの控除の上限
constexpr int64_t INCOME_LIMIT = 2000 * MAN; // 合計所得金額
constexpr int64_t SMALL_INCOME_LIMIT = 1000 * MAN;
constexpr int FIRST_SMALL_EXCLUSION_YEAR = 2026; // from here a small house has no uplift

// 借入限度額 in 万円 (the 子育て・若者夫婦 figure beside it, 0 when there is none) and the years, by 入居
// year: 令和6・7年入居 (2024, 2025) and 令和8年度税制改正大綱 for 2026 to 2030.
struct LimitRow
{
    int firstYear;
    int lastYear;
    bool newHouse;
    CreditHouseKind kind;
    int limit;
    int childLimit;
    int years;
};

constexpr LimitRow LIMITS[] = {
    { 2024, 2025, true, CreditHouseKind::Certified, 4500, 5000, 13 },
    { 2024, 2025, true, CreditHouseKind::Zeh, 3500, 4500, 13 },
    { 2024, 2025, true, CreditHouseKind::EnergySaving, 3000, 4000, 13 },
    { 2024, 2025, false, CreditHouseKind::Certified, 3000, 0, 10 },
    { 2024, 2025, false, CreditHouseKind::Zeh, 3000, 0, 10 },
    { 2024, 2025, false, CreditHouseKind::EnergySaving, 3000, 0, 10 },
    { 2024, 2025, false, CreditHouseKind::Other, 2000, 0, 10 },
    { 2026, 2030, true, CreditHouseKind::Certified, 4500, 5000, 13 },
    { 2026, 2030, true, CreditHouseKind::Zeh, 3500, 4500, 13 },
    { 2026, 2027, true, CreditHouseKind::EnergySaving, 2000, 3000, 13 },
    { 2026, 2030, false, CreditHouseKind::Certified, 3500, 4500, 13 },
    { 2026, 2030, false, CreditHouseKind::Zeh, 3500, 4500, 13 },
    { 2026, 2030, false, CreditHouseKind::EnergySaving, 2000, 3000, 13 },
    { 2026, 2030, false, CreditHouseKind::Other, 2000, 0, 10 },
};

} // namespace

CreditLimit creditLimit(int moveInYear, CreditHouseKind kind, bool newHouse, bool child, bool small)
{
    for (const LimitRow& row : LIMITS) {
        if (moveInYear < row.firstYear || moveInYear > row.lastYear || row.newHouse != newHouse || row.kind != kind)
            continue;
        const bool uplift = child && row.childLimit > 0 && !(small && moveInYear >= FIRST_SMALL_EXCLUSION_YEAR);
        return { (uplift ? row.childLimit : row.limit) * MAN, row.years };
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

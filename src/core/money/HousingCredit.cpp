// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/HousingCredit.h"

#include "harukaze/TaxTableData.h"

#include <algorithm>

namespace harukaze {

namespace {

constexpr int64_t MAN = 10000;

// The credit's rules for the 入居 year (data/tax/housing_credit_rules.tsv), or nullptr outside them.
const tax_data::CreditRuleRow* creditRules(int moveInYear)
{
    for (const tax_data::CreditRuleRow& row : tax_data::HOUSING_CREDIT_RULES) {
        if (moveInYear >= row.firstYear && moveInYear <= row.lastYear)
            return &row;
    }
    return nullptr;
}

} // namespace

CreditLimit creditLimit(int moveInYear, CreditHouseKind kind, bool newHouse, bool child, bool small)
{
    // 借入限度額 and years by 入居 year (data/tax/housing_credit_limits.tsv).
    for (const tax_data::CreditLimitRow& row : tax_data::HOUSING_CREDIT_LIMITS) {
        if (moveInYear < row.firstYear || moveInYear > row.lastYear || row.newHouse != newHouse
            || row.kind != static_cast<int>(kind))
            continue;
        const tax_data::CreditRuleRow* rules = creditRules(moveInYear);
        const bool uplift = child && row.childLimitMan > 0 && !(small && (!rules || !rules->smallUplift));
        return { (uplift ? row.childLimitMan : row.limitMan) * MAN, row.years };
    }
    return {};
}

CreditParts housingCredit(const CreditInput& input)
{
    const CreditLimit limit = creditLimit(input.moveInYear, input.kind, input.newHouse, input.child, input.small);
    const tax_data::CreditRuleRow* rules = creditRules(input.moveInYear);
    if (!rules)
        return {};
    const int64_t incomeLimit = input.small ? rules->smallIncomeLimit : rules->incomeLimit;
    if (limit.limit == 0 || input.year < input.moveInYear || input.year >= input.moveInYear + limit.years
        || input.totalIncome > incomeLimit || input.balance <= 0)
        return {};
    // 控除率 of the year-end balance, cut to whole 100円.
    const int64_t full = std::min(input.balance, limit.limit) * rules->ratePermille / 1000 / 100 * 100;
    CreditParts parts;
    parts.incomeTax = std::max<int64_t>(0, std::min(full, input.incomeTax));
    const int64_t resident = std::min(
        { full - parts.incomeTax, input.taxable * rules->residentPct / 100, rules->residentCap, input.residentTax });
    parts.residentTax = std::max<int64_t>(0, resident);
    return parts;
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/TaxYears.h"

#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySettings.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>

namespace harukaze {

namespace {

constexpr int SERVICE_START_AGE = 22; // 勤続年数 when none is given: from 22 to the retirement age

struct SpouseFacts
{
    int birthYear;
    int retireAge;
    int bonusMonths;
    int bonusCount;
    int socialInsurance;
    int serviceYears;
};

TaxPersonInput person(const SpouseFacts& facts, const GrossYen& amounts, bool inTable, int year)
{
    TaxPersonInput in;
    if (!inTable)
        return in;
    const int R = facts.retireAge;
    in.inTable = true;
    in.age = year - facts.birthYear;
    in.pay = amounts.pay;
    in.pension = amounts.pension;
    in.severance = amounts.severance;
    // 再雇用 pay from the retirement year on is paid monthly.
    in.bonusMonths = R > 0 && in.age >= R ? 0 : facts.bonusMonths;
    in.bonusCount = facts.bonusCount;
    in.socialInsurance = facts.socialInsurance == 1;
    in.serviceYears = facts.serviceYears > 0 ? facts.serviceYears : std::max(1, R - SERVICE_START_AGE);
    return in;
}

// yen × ((1000 + rateTenths) / 1000)^n, exact, rounded once to whole yen, halves away from zero.
int64_t grownYen(int64_t yen, int rateTenths, int n)
{
    using boost::multiprecision::cpp_int;
    cpp_int numerator = yen;
    cpp_int denominator = 1;
    for (int i = 0; i < n; ++i) {
        numerator *= 1000 + rateTenths;
        denominator *= 1000;
    }
    const bool negative = numerator < 0;
    const cpp_int magnitude = negative ? cpp_int(-numerator) : numerator;
    const cpp_int rounded = (2 * magnitude + denominator) / (2 * denominator);
    return static_cast<int64_t>(negative ? cpp_int(-rounded) : rounded);
}

struct SpouseMoney
{
    bool inTable;
    int birthYear;
    int retireAge;
    int income;
    int incomeRate;
    int severance;
    int reemployIncome;
    int reemployEndAge;
    int pension;
    int pensionAge;
};

void fillSpouse(GrossYears& gross, size_t s, const SpouseMoney& m, int pensionRate)
{
    gross.inTable[s] = m.inTable;
    if (!m.inTable)
        return;
    const int R = m.retireAge;
    for (int n = 0; n < TABLE_YEARS; ++n) {
        GrossYen& year = gross.years[static_cast<size_t>(n)][s];
        const int age = gross.y0 + n - m.birthYear;
        if (R <= 0 || age < R)
            year.pay = grownYen(static_cast<int64_t>(m.income) * 1000, m.incomeRate, n);
        else if (age < m.reemployEndAge)
            year.pay = static_cast<int64_t>(m.reemployIncome) * 1000;
        if (R > 0 && age == R)
            year.severance = static_cast<int64_t>(m.severance) * 1000;
        if (age >= m.pensionAge)
            year.pension = grownYen(static_cast<int64_t>(m.pension) * 1000, pensionRate, n);
    }
}

} // namespace

GrossYears grossYears(const FamilyPlan& plan, const MoneySettings& s, int y0)
{
    GrossYears gross;
    gross.y0 = y0;
    fillSpouse(gross,
        0,
        { plan.ST1_HUSBAND == 1,
            plan.ST2_HUSBAND_BIRTH_YEAR,
            plan.ST2_HUSBAND_RETIRE_AGE,
            s.husbandIncome,
            s.husbandIncomeRate,
            s.husbandSeverance,
            s.husbandReemployIncome,
            s.husbandReemployEndAge,
            s.husbandPension,
            s.husbandPensionAge },
        s.pensionRate);
    fillSpouse(gross,
        1,
        { plan.ST1_WIFE == 1,
            plan.ST2_WIFE_BIRTH_YEAR,
            plan.ST2_WIFE_RETIRE_AGE,
            s.wifeIncome,
            s.wifeIncomeRate,
            s.wifeSeverance,
            s.wifeReemployIncome,
            s.wifeReemployEndAge,
            s.wifePension,
            s.wifePensionAge },
        s.pensionRate);
    return gross;
}

std::vector<TaxYearResult> computePlanTaxes(const FamilyPlan& plan, const MoneySettings& settings, int y0)
{
    return computeTaxYears(plan, settings.tax, grossYears(plan, settings, y0));
}

TaxYearInput taxYearInput(const FamilyPlan& plan, const TaxSettings& settings, const GrossYears& gross, int n)
{
    TaxYearInput input;
    input.year = gross.y0 + n;
    input.prefecture = std::max(0, prefectureIndex(settings.prefecture));
    input.pensionHealthRate = settings.pensionHealthRate;
    if (plan.ST1_CHILDREN == 1) {
        for (int kid = 1; kid <= plan.plannedChildren(); ++kid) {
            const int age = input.year - plan.mtx1(kid, MTX1_BIRTH_YEAR);
            if (age >= 0)
                input.childAges.push_back(age);
        }
    }
    const SpouseFacts husband { plan.ST2_HUSBAND_BIRTH_YEAR,
        plan.ST2_HUSBAND_RETIRE_AGE,
        settings.husbandBonusMonths,
        settings.husbandBonusCount,
        settings.husbandSocialInsurance,
        settings.husbandServiceYears };
    const SpouseFacts wife { plan.ST2_WIFE_BIRTH_YEAR,
        plan.ST2_WIFE_RETIRE_AGE,
        settings.wifeBonusMonths,
        settings.wifeBonusCount,
        settings.wifeSocialInsurance,
        settings.wifeServiceYears };
    const auto& year = gross.years[static_cast<size_t>(n)];
    input.spouses[0] = person(husband, year[0], gross.inTable[0], input.year);
    input.spouses[1] = person(wife, year[1], gross.inTable[1], input.year);
    return input;
}

std::vector<TaxYearResult> computeTaxYears(const FamilyPlan& plan, const TaxSettings& settings, const GrossYears& gross)
{
    std::vector<TaxYearResult> results;
    results.reserve(TABLE_YEARS);
    for (int n = 0; n < TABLE_YEARS; ++n)
        results.push_back(computeTaxYear(taxYearInput(plan, settings, gross, n)));
    return results;
}

} // namespace harukaze

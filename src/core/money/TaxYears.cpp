// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/TaxYears.h"

#include "core/money/CashFlow.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySettings.h"
#include "core/table/TableFacts.h"
#include "core/table/TableModel.h"

#include <algorithm>

namespace harukaze {

namespace {

constexpr int SERVICE_START_AGE = 22; // 勤続年数 when none is given: from 22 to the retirement age

struct SpouseSettings
{
    int bonusMonths;
    int bonusCount;
    int socialInsurance;
    int serviceYears;
};

TaxPersonInput person(const MemberFacts* facts, const SpouseSettings& settings, const GrossYen& amounts, int n)
{
    TaxPersonInput in;
    if (facts == nullptr)
        return in;
    const int R = facts->retireAge;
    in.inTable = true;
    in.age = facts->years[static_cast<size_t>(n)].age;
    in.pay = amounts.pay;
    in.pension = amounts.pension;
    in.severance = amounts.severance;
    // 再雇用 pay from the retirement year on is paid monthly.
    in.bonusMonths = R > 0 && in.age >= R ? 0 : settings.bonusMonths;
    in.bonusCount = settings.bonusCount;
    in.socialInsurance = settings.socialInsurance == 1;
    in.serviceYears = settings.serviceYears > 0 ? settings.serviceYears : std::max(1, R - SERVICE_START_AGE);
    return in;
}

GrossYen yenOf(const SpouseGross& gross, int n)
{
    const auto year = static_cast<size_t>(n);
    return { roundToYen(gross.pay[year], n), roundToYen(gross.pension[year], n), roundToYen(gross.severance[year], n) };
}

} // namespace

GrossYears grossYears(const CashFlowLedger& ledger)
{
    GrossYears gross;
    gross.y0 = ledger.y0();
    gross.inTable = { ledger.husband.inTable, ledger.wife.inTable };
    for (int n = 0; n < TABLE_YEARS; ++n) {
        auto& year = gross.years[static_cast<size_t>(n)];
        if (ledger.husband.inTable)
            year[0] = yenOf(ledger.husband, n);
        if (ledger.wife.inTable)
            year[1] = yenOf(ledger.wife, n);
    }
    return gross;
}

TaxYearInput taxYearInput(const TableFacts& facts, const TaxSettings& settings, const GrossYears& gross, int n)
{
    TaxYearInput input;
    input.year = gross.y0 + n;
    input.prefecture = std::max(0, prefectureIndex(settings.prefecture));
    input.pensionHealthRate = settings.pensionHealthRate;
    for (const MemberFacts& member : facts.members) {
        const int age = member.years[static_cast<size_t>(n)].age;
        if (member.member.kind == MemberKind::Child && age >= 0)
            input.childAges.push_back(age);
    }
    const auto& year = gross.years[static_cast<size_t>(n)];
    const MemberFacts* husband = gross.inTable[0] ? facts.find(MemberKind::Husband) : nullptr;
    const MemberFacts* wife = gross.inTable[1] ? facts.find(MemberKind::Wife) : nullptr;
    input.spouses[0] = person(husband,
        { settings.husbandBonusMonths,
            settings.husbandBonusCount,
            settings.husbandSocialInsurance,
            settings.husbandServiceYears },
        year[0],
        n);
    input.spouses[1] = person(wife,
        { settings.wifeBonusMonths, settings.wifeBonusCount, settings.wifeSocialInsurance, settings.wifeServiceYears },
        year[1],
        n);
    return input;
}

std::vector<TaxYearResult> computeTaxYears(
    const TableFacts& facts, const TaxSettings& settings, const GrossYears& gross)
{
    std::vector<TaxYearResult> results;
    results.reserve(TABLE_YEARS);
    for (int n = 0; n < TABLE_YEARS; ++n)
        results.push_back(computeTaxYear(taxYearInput(facts, settings, gross, n)));
    return results;
}

PlanTaxes planTaxes(const FamilyPlan& plan, const MoneySettings& settings, const TableModel& table)
{
    CashFlowLedger ledger = startCashFlow(settings, table);
    // The modules before this one may still change the 額面 amounts (the pensions).
    for (MoneyModule module : moneyModules()) {
        if (module == &addTaxRows)
            break;
        module(ledger, plan, settings, table);
    }
    PlanTaxes taxes;
    taxes.gross = grossYears(ledger);
    for (int n = 0; n < TABLE_YEARS; ++n) {
        taxes.inputs.push_back(taxYearInput(table.facts, settings.tax, taxes.gross, n));
        taxes.years.push_back(computeTaxYear(taxes.inputs.back()));
    }
    return taxes;
}

void addTaxRows(CashFlowLedger& ledger, const FamilyPlan&, const MoneySettings& settings, const TableModel& table)
{
    if (!settings.tax.gross())
        return;
    for (const MoneyRow row :
        { MoneyRow::Disposable, MoneyRow::IncomeTax, MoneyRow::ResidentTax, MoneyRow::SocialInsurance })
        ledger.include(row);
    const std::vector<TaxYearResult> years = computeTaxYears(table.facts, settings.tax, grossYears(ledger));
    for (int n = 0; n < TABLE_YEARS; ++n) {
        const TaxYearResult& year = years[static_cast<size_t>(n)];
        int64_t incomeTax = 0;
        int64_t residentTax = 0;
        int64_t socialInsurance = 0;
        for (const TaxBreakdown& spouse : year.spouses) {
            incomeTax += spouse.incomeTaxTotal;
            residentTax += spouse.residentTaxTotal;
            socialInsurance += spouse.socialInsurance;
        }
        ledger.addYen(MoneyRow::IncomeTax, n, incomeTax);
        ledger.addYen(MoneyRow::ResidentTax, n, residentTax);
        ledger.addYen(MoneyRow::SocialInsurance, n, socialInsurance);
    }
}

} // namespace harukaze

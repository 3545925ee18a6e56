// SPDX-License-Identifier: GPL-3.0-or-later
// 所得税, 住民税 and 社会保険料 of the 51 years of the 16-member family with 額面 pay, bonuses, a
// 退職金 and pensions: the exact 額面 amounts of every year, then both spouses' taxes year by year.
// Run with --benchmark_repetitions=N to see the median.
#include "SixteenMembers.h"
#include "core/money/TaxYears.h"
#include "core/table/TableBuilder.h"

#include <benchmark/benchmark.h>

using namespace harukaze;

namespace {

FamilyPlan grossFamily()
{
    FamilyPlan plan = benchplans::sixteenMembers();
    plan.ST2_HUSBAND_BIRTH_YEAR = 1985;
    plan.ST2_WIFE_BIRTH_YEAR = 1987;
    for (int kid = 1; kid <= MAX_CHILDREN; ++kid)
        plan.mtx1(kid, MTX1_BIRTH_YEAR) = static_cast<int16_t>(2010 + 2 * kid);
    if (!plan.money)
        plan.money = MoneySettings {};
    MoneySettings& money = *plan.money;
    money.tax.incomeBasis = IncomeBasis::Gross;
    money.tax.prefecture = "神奈川県";
    money.tax.husbandBonusMonths = 45;
    money.tax.wifeBonusMonths = 20;
    money.tax.pensionHealthRate = 85;
    money.husbandIncome = 9200;
    money.wifeIncome = 3800;
    money.husbandSeverance = 25000;
    money.husbandReemployIncome = 4000;
    money.husbandPension = 2400;
    money.wifePension = 1300;
    money.pensionRate = 5;
    return plan;
}

void BM_TaxesOfFiftyOneYears(benchmark::State& state)
{
    const FamilyPlan plan = grossFamily();
    TableContext context;
    context.y0 = 2026;
    context.appDir = benchplans::programFolder();
    const TableModel table = buildLifeCycleTable(plan, context);
    for (auto _ : state) {
        PlanTaxes taxes = planTaxes(plan, *plan.money, table);
        benchmark::DoNotOptimize(taxes);
    }
    if (planTaxes(plan, *plan.money, table).years.front().of(Spouse::Husband).incomeTax == 0)
        state.SkipWithError("unexpected taxes");
}
BENCHMARK(BM_TaxesOfFiftyOneYears)->Unit(benchmark::kMicrosecond);

} // namespace

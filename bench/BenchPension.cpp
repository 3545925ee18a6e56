// SPDX-License-Identifier: GPL-3.0-or-later
// The public pension estimate of a re-employed husband (加入記録, 特別支給-free, 在職 cut while
// working to 70) and a 定期便 wife: the 51 yearly amounts the cash-flow table adds, and the start-age
// comparison of both spouses (16 start ages each, months to 113 with break-even ages).
#include "core/money/Pension.h"
#include "core/money/PensionComparison.h"
#include "core/plan/FamilyPlan.h"

#include <benchmark/benchmark.h>

using namespace harukaze;

namespace {

FamilyPlan couple()
{
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1966;
    plan.ST2_HUSBAND_RETIRE_AGE = 60;
    plan.ST2_WIFE_BIRTH_YEAR = 1968;
    MoneySettings money;
    money.husbandReemployEndAge = 70;
    money.husbandPensionAge = 68;
    PensionSettings& husband = money.husbandPensionEstimate;
    husband.mode = PensionMode::Record;
    husband.birthMonthDay = 715;
    husband.kisoMonths = 456;
    husband.koseiMonthsOld = 156;
    husband.koseiPayOld = 320;
    husband.koseiMonthsNew = 276;
    husband.koseiPayNew = 485;
    husband.reemployPay = 450;
    PensionSettings& wife = money.wifePensionEstimate;
    wife.mode = PensionMode::Statement;
    wife.birthMonthDay = 1201;
    wife.kiso65 = 780;
    wife.kosei65 = 123;
    wife.koseiMonths = 60;
    plan.money = money;
    return plan;
}

void BM_PensionYears(benchmark::State& state)
{
    const FamilyPlan plan = couple();
    for (auto _ : state) {
        auto husband = estimatedPensionYears(plan, *plan.money, 2026, false);
        auto wife = estimatedPensionYears(plan, *plan.money, 2026, true);
        benchmark::DoNotOptimize(husband);
        benchmark::DoNotOptimize(wife);
    }
}
BENCHMARK(BM_PensionYears)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_PensionStartAgeComparison(benchmark::State& state)
{
    const FamilyPlan plan = couple();
    for (auto _ : state) {
        std::vector<PensionComparison> comparisons = pensionComparisons(plan, 2026);
        benchmark::DoNotOptimize(comparisons);
    }
    if (pensionComparisons(plan, 2026).size() != 2)
        state.SkipWithError("unexpected comparison");
}
BENCHMARK(BM_PensionStartAgeComparison)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

} // namespace

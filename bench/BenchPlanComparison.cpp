// SPDX-License-Identifier: GPL-3.0-or-later
// Comparing four variants of the 16-member family (the most a comparison holds): each plan's
// cash-flow table, its indicators, and the comparison's CSV, as the comparison window and
// harukaze-csv --compare compute them whenever the plan shown changes.
#include "SixteenMembers.h"
#include "core/money/PlanComparison.h"
#include "core/table/TableBuilder.h"

#include <benchmark/benchmark.h>

using namespace harukaze;

namespace {

void BM_CompareFourSixteenMemberPlans(benchmark::State& state)
{
    std::vector<FamilyPlan> plans(MAX_COMPARED_PLANS, benchplans::sixteenMembers());
    for (size_t p = 0; p < plans.size(); ++p) {
        if (!plans[p].money)
            plans[p].money = MoneySettings {};
        plans[p].money->expenses[0] = MoneyEntry { 2030 + 5 * static_cast<int>(p), 30000, "住宅購入" };
    }
    TableContext context;
    context.y0 = 2026;
    context.appDir = benchplans::programFolder();
    for (auto _ : state) {
        std::vector<ComparedPlan> compared;
        for (const FamilyPlan& plan : plans)
            compared.push_back(comparedPlan("plan.HRZ", plan, context));
        const std::string csv = planComparisonCsvBytes(comparePlans(std::move(compared)));
        benchmark::DoNotOptimize(csv);
    }
}
BENCHMARK(BM_CompareFourSixteenMemberPlans)->Unit(benchmark::kMillisecond);

} // namespace

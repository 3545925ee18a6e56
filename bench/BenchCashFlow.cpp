// SPDX-License-Identifier: GPL-3.0-or-later
// Computing the cash-flow table of a 16-member family (husband, wife, ten children in school, four
// parents whose 介護 the household pays) with 100 one-time entries from its already built life cycle
// table (as a document holds it): the exact money, the rows in 万円 and their texts. Then the same
// with the table built first, for comparison. Run with --benchmark_repetitions=N to see the median.
#include "SixteenMembers.h"
#include "core/money/CashFlow.h"
#include "core/table/TableBuilder.h"

#include <benchmark/benchmark.h>

using namespace harukaze;

namespace {

// The benchmarks' 16-member family, twenty years younger so the ten children are at school.
FamilyPlan sixteenMembersWithMoney()
{
    FamilyPlan plan = benchplans::sixteenMembers();
    plan.ST2_HUSBAND_BIRTH_YEAR = 1985;
    plan.ST2_WIFE_BIRTH_YEAR = 1987;
    for (int kid = 1; kid <= MAX_CHILDREN; ++kid)
        plan.mtx1(kid, MTX1_BIRTH_YEAR) = static_cast<int16_t>(2010 + 2 * kid);
    MoneySettings& money = *plan.money;
    money.husbandIncome = 5200;
    money.careHusbandParents = 1;
    money.careWifeParents = 1;
    money.children[3].university = UniversityChoice::PrivateMedical;
    for (int i = 0; i < MAX_MONEY_ENTRIES; ++i) {
        money.incomes[static_cast<size_t>(i)] = MoneyEntry { 2026 + i, 100 + i, "一時的収入" };
        money.expenses[static_cast<size_t>(i)] = MoneyEntry { 2076 - i, 200 + i, "一時的支出" };
    }
    return plan;
}

TableContext benchContext()
{
    TableContext context;
    context.y0 = 2026;
    context.appDir = benchplans::programFolder();
    return context;
}

void BM_CashFlowFromBuiltTable(benchmark::State& state)
{
    const FamilyPlan plan = sixteenMembersWithMoney();
    const TableModel model = buildLifeCycleTable(plan, benchContext());
    for (auto _ : state) {
        CashFlowTable table = buildCashFlowTable(plan, model);
        benchmark::DoNotOptimize(table);
    }
    const CashFlowTable check = buildCashFlowTable(plan, model);
    if (check.rows.size() != 3 + 16 + 1 + 16 || check.figures.man(MoneyRow::Education, 0) == 0)
        state.SkipWithError("unexpected table");
}
BENCHMARK(BM_CashFlowFromBuiltTable)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_CashFlowWithTableBuild(benchmark::State& state)
{
    const FamilyPlan plan = sixteenMembersWithMoney();
    const TableContext context = benchContext();
    for (auto _ : state) {
        CashFlowTable table = buildCashFlowTable(plan, context);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_CashFlowWithTableBuild)->Unit(benchmark::kMicrosecond);

// The money alone, without the rows' texts (the figures the chart draws).
void BM_CashFlowFiguresOnly(benchmark::State& state)
{
    const FamilyPlan plan = sixteenMembersWithMoney();
    const TableModel model = buildLifeCycleTable(plan, benchContext());
    for (auto _ : state) {
        CashFlowFigures figures = computeCashFlow(plan, *plan.money, model);
        benchmark::DoNotOptimize(figures);
    }
}
BENCHMARK(BM_CashFlowFiguresOnly)->Unit(benchmark::kMicrosecond);

} // namespace

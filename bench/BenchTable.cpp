// SPDX-License-Identifier: GPL-3.0-or-later
// Building the whole life cycle table of a 16-member family (husband, wife, ten children, four
// parents), every end of life from the data files, which are opened and read for every member.
#include "SixteenMembers.h"
#include "core/table/Attention.h"
#include "core/table/TableBuilder.h"

#include <benchmark/benchmark.h>

using namespace harukaze;

namespace {

void BM_BuildSixteenMemberTable(benchmark::State& state)
{
    const FamilyPlan plan = benchplans::sixteenMembers();
    TableContext context;
    context.y0 = 2026;
    context.appDir = benchplans::programFolder();
    for (auto _ : state) {
        TableModel model = buildLifeCycleTable(plan, context);
        benchmark::DoNotOptimize(model);
    }
    const TableModel check = buildLifeCycleTable(plan, context);
    if (check.columnCount() != 18 || check.text(1, 2) != "62歳")
        state.SkipWithError("unexpected table");
}
BENCHMARK(BM_BuildSixteenMemberTable)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// Reading the attention markers of that table, as a table window does after every build.
void BM_FindAttentionMarkers(benchmark::State& state)
{
    const FamilyPlan plan = benchplans::sixteenMembers();
    TableContext context;
    context.y0 = 2026;
    context.appDir = benchplans::programFolder();
    const TableModel model = buildLifeCycleTable(plan, context);
    const UniversityYears years = defaultUniversityYears();
    for (auto _ : state) {
        std::vector<AttentionMarker> markers = findAttentionMarkers(model, years);
        benchmark::DoNotOptimize(markers);
    }
    if (findAttentionMarkers(model, years).empty())
        state.SkipWithError("the family should have markers");
}
BENCHMARK(BM_FindAttentionMarkers)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Building the whole life cycle table of a 16-member family (husband, wife, ten children, four
// parents), every end of life from the data files, which are opened and read for every member.
#include "core/table/Attention.h"
#include "core/table/SampleFamily.h"
#include "core/table/TableBuilder.h"
#include "core/table/TextMatrix.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <unistd.h>

using namespace harukaze;

namespace {

// The generated data files lie beside the benchmark in the build's bin folder.
std::string programFolder()
{
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0)
        return "./";
    std::string path(buffer, static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

FamilyPlan sixteenMembers()
{
    FamilyPlan plan;
    writeSampleFamily(plan);
    plan.ST1_CHILDREN_NOW = 7;
    plan.ST1_CHILDREN_FUTURE = 3;
    plan.ST3_COUNT = 10;
    const char* labels[] = { "長女", "長男", "次女", "次男", "三女", "三男", "四女", "四男", "五女", "五男" };
    for (int kid = 1; kid <= 10; ++kid) {
        plan.mtx1(kid, MTX1_BIRTH_YEAR) = static_cast<int16_t>(1993 + 3 * kid);
        for (int column = MTX1_KINDERGARTEN; column <= MTX1_RETIRE; ++column)
            plan.mtx1(kid, column) = plan.mtx1(1 + (kid + 1) % 2, column);
        plan.mtx2(kid, MTX2_ZOKUGARA) = labels[kid - 1];
        plan.mtx2(kid, MTX2_HAYAUMARE) = "普通";
    }
    return plan;
}

void BM_BuildSixteenMemberTable(benchmark::State& state)
{
    const FamilyPlan plan = sixteenMembers();
    TableContext context;
    context.y0 = 2026;
    context.appDir = programFolder();
    auto tbl = std::make_unique<TextMatrix>();
    for (auto _ : state) {
        TableModel model = buildLifeCycleTable(plan, context, tbl.get());
        benchmark::DoNotOptimize(model);
    }
    const TableModel check = buildLifeCycleTable(plan, context, tbl.get());
    if (check.columnCount() != 18 || check.text(1, 2) != "62歳")
        state.SkipWithError("unexpected table");
}
BENCHMARK(BM_BuildSixteenMemberTable)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// Reading the attention markers of that table, as a table window does after every build.
void BM_FindAttentionMarkers(benchmark::State& state)
{
    const FamilyPlan plan = sixteenMembers();
    TableContext context;
    context.y0 = 2026;
    context.appDir = programFolder();
    const TableModel model = buildLifeCycleTable(plan, context, nullptr);
    const UniversityYears years = defaultUniversityYears();
    for (auto _ : state) {
        std::vector<AttentionMarker> markers = findAttentionMarkers(plan, model, years);
        benchmark::DoNotOptimize(markers);
    }
    if (findAttentionMarkers(plan, model, years).empty())
        state.SkipWithError("the family should have markers");
}
BENCHMARK(BM_FindAttentionMarkers)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/PlanFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace harukaze;

namespace {

// A full plan: every section recorded and ten children with Japanese labels.
FamilyPlan fullPlan()
{
    FamilyPlan plan;
    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot)
        plan.st1(slot) = 1;
    plan.ST1_CHILDREN_NOW = 7;
    plan.ST1_CHILDREN_FUTURE = 3;
    for (CoupleSection section : COUPLE_SECTIONS) {
        for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot)
            plan.couple(section, slot) = 1;
        plan.couple(section, COUPLE_MAN_BIRTH_YEAR) = 1964;
        plan.couple(section, COUPLE_WOMAN_BIRTH_YEAR) = 1967;
        plan.couple(section, COUPLE_MARRIAGE_YEAR) = 1993;
    }
    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = 10;
    for (int child = 1; child <= MAX_CHILDREN; ++child) {
        for (int column = 1; column <= MTX1_COLUMNS; ++column)
            plan.mtx1(child, column) = static_cast<int16_t>(column == 1 ? 1994 + child : column * 3);
        plan.mtx2(child, MTX2_ZOKUGARA) = child <= 5 ? "長男" : "長女";
        plan.mtx2(child, MTX2_HAYAUMARE) = child % 2 ? "普通" : "早生";
    }
    return plan;
}

void BM_PlanRoundTripInMemory(benchmark::State& state)
{
    const FamilyPlan plan = fullPlan();
    for (auto _ : state) {
        const std::string bytes = planFileBytes(plan);
        FileLines lines;
        splitPlanFileBytes(bytes, lines);
        FamilyPlan read;
        parsePlanFileLines(lines, read);
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_PlanRoundTripInMemory);

void BM_PlanRoundTripViaFile(benchmark::State& state)
{
    const FamilyPlan plan = fullPlan();
    char pattern[] = "/tmp/harukaze-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    const std::string path = dir + "/plan.HRZ";
    for (auto _ : state) {
        if (!FILE_OUT_D(path, plan)) {
            state.SkipWithError("the plan file could not be written");
            break;
        }
        FileLines lines;
        FILE_IN(path, lines);
        FamilyPlan read;
        parsePlanFileLines(lines, read);
        benchmark::DoNotOptimize(read);
    }
    std::remove(path.c_str());
    rmdir(dir.c_str());
}
BENCHMARK(BM_PlanRoundTripViaFile)->Unit(benchmark::kMicrosecond);

} // namespace

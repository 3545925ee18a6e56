// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/PlanFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

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

// Opening a gigabyte file (a hole: no room on disk) must take no noticeable time and a bounded
// amount of memory, however the file is made up: all zero bytes (one endless line, refused as no
// plan), or a plan followed by the gigabyte (read as far as its 300 lines). Run each alone to see
// its own peak memory: BenchPlanFile --benchmark_filter=OpenGigabyteFile/planFirst:0 (or :1).
void BM_OpenGigabyteFile(benchmark::State& state)
{
    const bool planFirst = state.range(0) == 1;
    char pattern[] = "/tmp/harukaze-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    const std::string path = dir + "/huge.HRZ";
    const std::string head = planFirst ? planFileBytes(fullPlan()) : std::string();
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(head.data(), 1, head.size(), file);
        std::fclose(file);
    }
    if (truncate(path.c_str(), off_t { 1 } << 30) != 0) {
        state.SkipWithError("the sparse file could not be made");
        return;
    }
    bool read = false;
    for (auto _ : state) {
        FileLines lines;
        std::vector<std::string> trailing;
        read = FILE_IN(path, lines, nullptr, &trailing);
        benchmark::DoNotOptimize(lines);
    }
    if (read != planFirst)
        state.SkipWithError("the file was not read as expected");
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::remove(path.c_str());
    rmdir(dir.c_str());
}
BENCHMARK(BM_OpenGigabyteFile)->Arg(0)->Arg(1)->ArgName("planFirst")->Unit(benchmark::kMicrosecond);

} // namespace

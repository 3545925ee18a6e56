// SPDX-License-Identifier: GPL-3.0-or-later
// The largest family a table holds, for the benchmarks: husband, wife, ten children and the four
// parents of the sample family (sixteen member columns), and the folder of the data files.
#pragma once

#include "core/plan/FamilyPlan.h"
#include "core/table/SampleFamily.h"

#include <string>
#include <unistd.h>

namespace benchplans {

// The generated data files lie beside the benchmark in the build's bin folder.
inline std::string programFolder()
{
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0)
        return "./";
    std::string path(buffer, static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

inline harukaze::FamilyPlan sixteenMembers()
{
    using namespace harukaze;
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

} // namespace benchplans

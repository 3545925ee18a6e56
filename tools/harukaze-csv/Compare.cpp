// SPDX-License-Identifier: GPL-3.0-or-later
#include "Compare.h"
#include "CutWarning.h"

#include "core/io/SaveFile.h"
#include "core/money/PlanComparison.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/PlanFile.h"
#include "core/table/TableBuilder.h"

#include <cstdio>
#include <memory>

namespace harukaze {

int writePlanComparison(
    const std::vector<std::string>& planPaths, const TableContext& context, const std::string& outPath)
{
    std::vector<ComparedPlan> plans;
    auto plan = std::make_unique<FamilyPlan>();
    for (const std::string& path : planPaths) {
        std::string error;
        MoneySectionCut cut;
        if (!readComparedPlan(path, *plan, &error, &cut)) {
            std::fprintf(stderr, "harukaze-csv: cannot read the plan file %s: %s\n", path.c_str(), error.c_str());
            return 1;
        }
        warnOfCut(path, cut);
        plans.push_back(comparedPlan(planFileNameOf(path), *plan, context));
    }
    const std::string bytes = planComparisonCsvBytes(comparePlans(std::move(plans)));

    if (outPath == "-") {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
            std::fprintf(stderr, "harukaze-csv: cannot write to standard output\n");
            return 1;
        }
        return 0;
    }
    std::string error;
    if (!saveFileOrStream(outPath, bytes, &error)) {
        std::fprintf(stderr, "harukaze-csv: cannot write %s: %s\n", outPath.c_str(), error.c_str());
        return 1;
    }
    return 0;
}

} // namespace harukaze

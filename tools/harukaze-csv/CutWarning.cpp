// SPDX-License-Identifier: GPL-3.0-or-later
#include "CutWarning.h"

#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"

#include <cstdio>

namespace harukaze {

void warnOfCut(const std::string& path, const MoneySectionCut& cut)
{
    if (!cut.any())
        return;
    std::fprintf(stderr,
        "harukaze-csv: warning: %s: the household money settings were read in part; left out:\n%s\n",
        path.c_str(),
        moneySectionCutText(cut).c_str());
}

} // namespace harukaze

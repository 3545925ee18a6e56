// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace harukaze {

struct TableContext;

/**
 * --compare: reads the plan files at `planPaths` (two to four) and writes their comparison CSV (the
 * eleven indicators, then each year's 貯蓄残高) to `outPath`, "-" for standard output. Nothing is
 * written unless every plan could be read; a plan that cannot be is named in the message. Returns
 * the program's exit status (0 written, 1 a plan not read or the output not written).
 */
int writePlanComparison(
    const std::vector<std::string>& planPaths, const TableContext& context, const std::string& outPath);

} // namespace harukaze

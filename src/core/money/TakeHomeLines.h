// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/Tax.h"

#include <cstdint>
#include <string>
#include <vector>

namespace harukaze {

/** One line of 手取りの内訳: a heading (no amount) or a step with its amount in yen. */
struct TakeHomeLine
{
    bool heading = false;
    std::string label;
    int64_t yen = 0;
    std::string note; ///< how the amount comes about ("月給 300,000円 × 12 + 賞与 2回")
};

/**
 * Every step from 額面 to 手取り of one spouse-year, in the order they are computed: the amounts,
 * 社会保険料 by kind, the incomes and their deductions, 課税所得 and 所得税, 住民税 part by part,
 * the taxes on the 退職金, and 手取り.
 */
std::vector<TakeHomeLine> takeHomeLines(const TaxPersonInput& input, const TaxBreakdown& breakdown);

/** Whole yen with thousands separators: "3,859,235", "-1,000". */
std::string yenText(int64_t yen);

} // namespace harukaze

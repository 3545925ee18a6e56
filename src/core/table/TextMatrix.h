// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/TableShape.h"

#include <array>
#include <string>

namespace harukaze {

constexpr int TBL_COLUMNS = 19; ///< columns 0..18: the year, the era and at most 17 members
constexpr int TBL_ROWS = TABLE_ROWS; ///< rows 0..52: two header rows and 51 years

/**
 * The table text matrix, indexed [column][row] like TBL(col, row): every text a table window
 * shows, in the grid's own coordinates. The CSV export reads it.
 */
using TextMatrix = std::array<std::array<std::string, TBL_ROWS>, TBL_COLUMNS>;

} // namespace harukaze

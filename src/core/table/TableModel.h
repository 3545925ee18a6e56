// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/TableFacts.h"
#include "core/table/TableShape.h"

#include <array>
#include <string>
#include <vector>

namespace harukaze {

/** Alignment codes of the table's columns (one code sets both directions). */
constexpr int ALIGN_LEFT_CENTER = 1; ///< left, vertically centred
constexpr int ALIGN_CENTER_TOP = 3; ///< centred, top
constexpr int ALIGN_CENTER_CENTER = 4; ///< centred both ways

/** One column of a built life cycle table: its 53 cell texts and its format. */
struct TableColumn
{
    std::array<std::string, TABLE_ROWS> cells; ///< UTF-8 text of rows 0..52
    int widthTwips = 0; ///< width in twentieths of a point
    int fixedAlignment = 0; ///< alignment code of the two header cells
    int columnAlignment = 0; ///< alignment code of the 51 year cells
};

/**
 * A built life cycle table, ready to be copied into a grid: 53 rows, 2 + members columns, the
 * first two rows and columns fixed. The font is the table font the build applied: name and size
 * (the column widths follow the size), and the bold and italic that the font command may choose
 * (a build leaves them off; whoever holds the table sets them). `facts` holds the ages, care years,
 * retirements and events behind the member columns, for readers that need them as values.
 */
struct TableModel
{
    std::string fontName;
    double fontSize = TABLE_FONT_POINTS;
    bool fontBold = false;
    bool fontItalic = false;
    int firstYear = 0; ///< Y0, the year of the first year row (row 2)
    std::vector<TableColumn> columns;
    TableFacts facts; ///< what the build decided per member and year, beside the texts it wrote

    int rowCount() const { return TABLE_ROWS; }
    int columnCount() const { return static_cast<int>(columns.size()); }
    const std::string& text(int row, int column) const { return columns.at(column).cells.at(row); }
};

} // namespace harukaze

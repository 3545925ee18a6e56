// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/TableShape.h"

#include "core/io/NumberText.h"

#include <climits>
#include <cmath>

namespace harukaze {

int columnWidthTwips(double fontPoints, int squares)
{
    const double width = fontPoints * 20 * squares;
    if (!std::isfinite(width))
        return 0;
    if (width >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (width <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(roundHalfEven(width));
}

int tableColumnWidthTwips(double fontPoints, int column)
{
    return columnWidthTwips(fontPoints, column < TABLE_FIXED_COLS ? YEAR_COLUMN_SQUARES : MEMBER_COLUMN_SQUARES);
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace harukaze {

/**
 * The frame of the life cycle table: its row and column counts and the width rule of its columns.
 * The table builder, the text matrix TBL, the table windows' grid and the font command share them.
 */

constexpr int TABLE_YEARS = 51; ///< years Y0 .. Y0 + 50
constexpr int TABLE_FIXED_ROWS = 2; ///< rows 0 (labels) and 1 (current ages) are headers
constexpr int TABLE_ROWS = TABLE_FIXED_ROWS + TABLE_YEARS; ///< rows 0..52
constexpr int TABLE_FIXED_COLS = 2; ///< columns 0 (西暦) and 1 (和暦)
constexpr int TABLE_DESIGN_COLUMNS = 20; ///< columns of an empty grid, before a build sets 2 + members

/** The table font of the grid's design, which the settings store starts from. */
constexpr const char* TABLE_FONT_NAME = "ＭＳ Ｐゴシック";
constexpr double TABLE_FONT_POINTS = 9;
/** TABLE_FONT_POINTS as the settings store and a plan's build context keep it, in text. */
constexpr const char* TABLE_FONT_POINTS_TEXT = "9";
/** The table font sizes the program takes, in points; a stored size outside them reads as TABLE_FONT_POINTS. */
constexpr double TABLE_FONT_MIN_POINTS = 6;
constexpr double TABLE_FONT_MAX_POINTS = 36;

/** Width of the two year columns, in font-size squares. */
constexpr int YEAR_COLUMN_SQUARES = 3;
/** Width of a member column, in font-size squares. */
constexpr int MEMBER_COLUMN_SQUARES = 6;

/**
 * Width in twentieths of a point (twips) of `squares` font-size squares at `fontPoints`: points ×
 * 20 × squares, rounded to the nearest whole number with halves to the even neighbour. A size that
 * is not a finite number gives 0; a width beyond the int range is held at its end.
 */
int columnWidthTwips(double fontPoints, int squares);

/** The width of column `column` of a table drawn at `fontPoints`: year columns 0 and 1 three squares, members six. */
int tableColumnWidthTwips(double fontPoints, int column);

} // namespace harukaze

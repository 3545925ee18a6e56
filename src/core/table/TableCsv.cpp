// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/TableCsv.h"

#include "core/io/Cp932.h"
#include "core/io/CsvWriter.h"
#include "core/io/SaveFile.h"

#include <algorithm>

namespace harukaze {

TextMatrix textMatrixOf(const TableModel& table)
{
    TextMatrix tbl;
    const int columns = std::min(table.columnCount(), TBL_COLUMNS);
    for (int col = 0; col < columns; ++col) {
        for (int row = 0; row < TBL_ROWS; ++row)
            tbl[static_cast<size_t>(col)][static_cast<size_t>(row)] = table.text(row, col);
    }
    return tbl;
}

std::string tableCsvBytes(const TextMatrix& tbl, int rows, int cols)
{
    rows = std::clamp(rows, 0, TBL_ROWS);
    cols = std::clamp(cols, 0, TBL_COLUMNS);
    if (cols == 0)
        return std::string();

    std::string text;
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            if (col > 0)
                text += ',';
            appendCsvField(text, tbl[static_cast<size_t>(col)][static_cast<size_t>(row)]);
        }
        text += "\r\n";
    }
    return utf8ToCp932(text);
}

bool FILE_OUT(const std::string& path, const TextMatrix& tbl, int rows, int cols, std::string* error)
{
    return saveFileAtomically(path, tableCsvBytes(tbl, rows, cols), error);
}

} // namespace harukaze

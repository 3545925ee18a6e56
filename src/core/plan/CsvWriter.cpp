// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/CsvWriter.h"

#include "core/plan/Cp932.h"
#include "core/plan/SaveFile.h"

#include <algorithm>

namespace harukaze {

// Ordinary cells are written exactly as they stand so that tables without such characters stay
// byte-identical to what spreadsheets have always been given; only a cell that would otherwise
// break the row apart is quoted.
void appendCsvField(std::string& line, const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        line += text;
        return;
    }
    line += '"';
    for (char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
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

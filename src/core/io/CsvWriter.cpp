// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/CsvWriter.h"

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

} // namespace harukaze

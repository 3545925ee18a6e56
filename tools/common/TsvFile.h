// SPDX-License-Identifier: GPL-3.0-or-later
// The TAB-separated data files of data/ as the build-time generators read them: '#' lines and empty
// lines are notes, a CR before the LF is dropped, the first other line names the columns and the
// rest are data lines. Each generator checks the columns and values of its own tables.
#pragma once

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace harukaze::tsv {

/** One data line: its line number in the file (from 1) and its fields. */
struct Line
{
    int number = 0;
    std::vector<std::string> fields;
};

/** The fields of `line` between TABs (an empty field where two TABs meet or one ends the line). */
inline std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t begin = 0;
    while (true) {
        const size_t tab = line.find('\t', begin);
        fields.push_back(line.substr(begin, tab == std::string::npos ? std::string::npos : tab - begin));
        if (tab == std::string::npos)
            break;
        begin = tab + 1;
    }
    return fields;
}

/**
 * Reads the file at `path` into its header's fields (empty when the file has none) and its data
 * lines. False when the file cannot be read.
 */
inline bool readFile(const std::string& path, std::vector<std::string>& header, std::vector<Line>& lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    header.clear();
    lines.clear();
    std::string text;
    int number = 0;
    bool headerSeen = false;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (text.empty() || text[0] == '#')
            continue;
        if (!headerSeen) {
            header = splitTabs(text);
            headerSeen = true;
            continue;
        }
        lines.push_back(Line { number, splitTabs(text) });
    }
    return true;
}

} // namespace harukaze::tsv

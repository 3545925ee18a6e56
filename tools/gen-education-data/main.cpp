// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time generator of the education cost figures of the cash-flow table: reads the project's
// copy of the Japanese education cost table (data/education_costs_japan.tsv) and writes a header
// with the yen a year and the yen once (入学料) for every choice the 家計設定 dialog offers.
//
// Each figure is picked by (stage, type, item, source_key); a row that is missing, appears twice,
// is not a whole number of yen or has another unit than expected stops the build. The university
// figures a year are 授業料 plus 施設設備費 where the source lists both.
//
// Usage: gen-education-data TABLE.tsv OUTPUT.h

#include "TsvFile.h"

#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace tsv = harukaze::tsv;

using RowKey = std::tuple<std::string, std::string, std::string, std::string>; // stage, type, item, source_key

struct Row
{
    long long yen = 0;
    std::string unit;
    int count = 0;
    int line = 0;
};

struct Part
{
    const char* stage;
    const char* type;
    const char* item;
    const char* sourceKey;
    const char* unit;
};

// One generated figure: a name, the rows summed for the yearly figure and the row of the once figure.
struct Figure
{
    const char* name;
    std::vector<Part> perYear;
    std::vector<Part> once;
};

const char* const PER_YEAR = "per_year";
const char* const ONCE = "once";
const char* const GAKUSHUHI = "GAKUSHUHI_R5_CORR";
const char* const SHIDAI = "SHIDAI_R5";

std::vector<Figure> figures()
{
    auto learning = [](const char* stage, const char* type) {
        return std::vector<Part> { { stage, type, "学習費総額", GAKUSHUHI, PER_YEAR } };
    };
    auto privateUniversity = [](const char* type) {
        return std::vector<Part> {
            { "大学", type, "授業料", SHIDAI, PER_YEAR },
            { "大学", type, "施設設備費", SHIDAI, PER_YEAR },
        };
    };
    return {
        { "KINDERGARTEN_PUBLIC", learning("幼稚園", "公立"), {} },
        { "KINDERGARTEN_PRIVATE", learning("幼稚園", "私立"), {} },
        { "ELEMENTARY_PUBLIC", learning("小学校", "公立"), {} },
        { "ELEMENTARY_PRIVATE", learning("小学校", "私立"), {} },
        { "JUNIOR_HIGH_PUBLIC", learning("中学校", "公立"), {} },
        { "JUNIOR_HIGH_PRIVATE", learning("中学校", "私立"), {} },
        { "HIGH_SCHOOL_PUBLIC", learning("高等学校(全日制)", "公立"), {} },
        { "HIGH_SCHOOL_PRIVATE", learning("高等学校(全日制)", "私立"), {} },
        { "UNIVERSITY_NATIONAL",
            { { "大学", "国立", "授業料", "KOKURITSU_STD", PER_YEAR } },
            { { "大学", "国立", "入学料", "KOKURITSU_STD", ONCE } } },
        { "UNIVERSITY_PUBLIC",
            { { "大学", "公立", "授業料", "KOURITSU_R7", PER_YEAR } },
            { { "大学", "公立", "入学料", "KOURITSU_R7", ONCE } } },
        { "UNIVERSITY_PRIVATE_HUMANITIES",
            privateUniversity("私立文科系"),
            { { "大学", "私立文科系", "入学料", SHIDAI, ONCE } } },
        { "UNIVERSITY_PRIVATE_SCIENCE",
            privateUniversity("私立理科系"),
            { { "大学", "私立理科系", "入学料", SHIDAI, ONCE } } },
        { "UNIVERSITY_PRIVATE_MEDICAL",
            privateUniversity("私立医歯系"),
            { { "大学", "私立医歯系", "入学料", SHIDAI, ONCE } } },
        { "JUNIOR_COLLEGE",
            {
                { "短期大学", "私立", "授業料", SHIDAI, PER_YEAR },
                { "短期大学", "私立", "施設設備費", SHIDAI, PER_YEAR },
            },
            { { "短期大学", "私立", "入学料", SHIDAI, ONCE } } },
    };
}

bool parseYen(const std::string& text, long long& yen)
{
    if (text.empty() || text.size() > 12)
        return false;
    yen = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        yen = yen * 10 + (c - '0');
    }
    return true;
}

std::string describe(const Part& part)
{
    return std::string(part.stage) + " / " + part.type + " / " + part.item + " / " + part.sourceKey;
}

// The sum of `parts`; false (with a message) when a row is missing, doubled or of another unit.
bool sum(const std::map<RowKey, Row>& rows, const std::vector<Part>& parts, const std::string& table, long long& yen)
{
    yen = 0;
    for (const Part& part : parts) {
        const auto found = rows.find(RowKey(part.stage, part.type, part.item, part.sourceKey));
        if (found == rows.end()) {
            std::cerr << "gen-education-data: " << table << ": no row " << describe(part) << "\n";
            return false;
        }
        if (found->second.count != 1) {
            std::cerr << "gen-education-data: " << table << ": " << found->second.count << " rows " << describe(part)
                      << "\n";
            return false;
        }
        if (found->second.unit != part.unit) {
            std::cerr << "gen-education-data: " << table << ":" << found->second.line << ": " << describe(part)
                      << " is " << found->second.unit << ", not " << part.unit << "\n";
            return false;
        }
        yen += found->second.yen;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: gen-education-data TABLE.tsv OUTPUT.h\n";
        return 2;
    }
    const std::string table = argv[1];
    std::vector<std::string> columns; // "stage  type  item  yen  unit  source_key  confirmation"
    std::vector<tsv::Line> lines;
    if (!tsv::readFile(table, columns, lines)) {
        std::cerr << "gen-education-data: cannot read " << table << "\n";
        return 1;
    }

    std::map<RowKey, Row> rows;
    for (const tsv::Line& line : lines) {
        const std::vector<std::string>& fields = line.fields;
        const int lineNumber = line.number;
        long long yen = 0;
        if (fields.size() != 7 || !parseYen(fields[3], yen)) {
            std::cerr << "gen-education-data: " << table << ":" << lineNumber
                      << ": not \"stage<TAB>type<TAB>item<TAB>yen<TAB>unit<TAB>source_key<TAB>confirmation\"\n";
            return 1;
        }
        Row& row = rows[RowKey(fields[0], fields[1], fields[2], fields[5])];
        row.yen = yen;
        row.unit = fields[4];
        row.line = lineNumber;
        ++row.count;
    }

    std::ostringstream out;
    out << "// Generated at build time by gen-education-data from data/education_costs_japan.tsv; do not edit.\n"
           "#pragma once\n"
           "\n"
           "namespace harukaze::education_data {\n"
           "\n"
           "/** Yen a year, yen once in the entry year, and the source_key of the rows. */\n"
           "struct Figure\n"
           "{\n"
           "    long long perYear;\n"
           "    long long once;\n"
           "    const char* sourceKey;\n"
           "};\n"
           "\n";
    for (const Figure& figure : figures()) {
        long long perYear = 0;
        long long once = 0;
        if (!sum(rows, figure.perYear, table, perYear) || !sum(rows, figure.once, table, once))
            return 1;
        out << "inline constexpr Figure " << figure.name << " { " << perYear << ", " << once << ", \""
            << figure.perYear.front().sourceKey << "\" };\n";
    }
    out << "\n} // namespace harukaze::education_data\n";

    std::ofstream header(argv[2], std::ios::binary | std::ios::trunc);
    header << out.str();
    header.close();
    if (!header) {
        std::cerr << "gen-education-data: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}

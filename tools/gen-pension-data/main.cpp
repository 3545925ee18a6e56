// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time generator of the public pension figures (公的年金の見込み): reads the project's copies
// of the pension tables (data/pension/*.tsv) and the life table (data/life_table_japan.tsv) and
// writes one header with
//  - per fiscal year: 老齢基礎年金 満額 and 定額単価 of both groups, 配偶者の加給年金額, 支給停止調整額;
//  - 配偶者特別加算 by fiscal year and the receiver's birth date;
//  - 繰上げ減額率 / 繰下げ増額率 and the latest start age by birth date;
//  - 特別支給の老齢厚生年金 start ages by schedule and birth date;
//  - the life table's remaining years e_x in hundredths, men and women, ages 0..113.
// A fiscal year without one of its figures or with one twice, a gap or an overlap between birth-date
// brackets, a missing or doubled age of the life table, or a value that is not a whole number stops
// the build.
//
// Usage: gen-pension-data PARAMS.tsv KASAN.tsv START_AGE.tsv TOKUBETSU.tsv LIFE.tsv OUTPUT.h

#include "TsvFile.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace tsv = harukaze::tsv;

constexpr int LIFE_AGES = 114; // 0..113

const std::vector<std::string> PARAM_KEYS {
    "KISO_FULL_NEW",
    "KISO_FULL_OLD",
    "TEIGAKU_TANKA_NEW",
    "TEIGAKU_TANKA_OLD",
    "KAKYU_SPOUSE",
    "ZAISHOKU_THRESHOLD",
};

struct Table
{
    std::string path;
    std::vector<std::pair<int, std::vector<std::string>>> rows; // line number, fields
};

// The data rows of a TAB-separated file: '#' lines, empty lines and the header line are skipped.
bool readTable(const std::string& path, size_t columns, Table& table)
{
    std::vector<std::string> header;
    std::vector<tsv::Line> lines;
    if (!tsv::readFile(path, header, lines)) {
        std::cerr << "gen-pension-data: cannot read " << path << "\n";
        return false;
    }
    table.path = path;
    for (tsv::Line& line : lines) {
        if (line.fields.size() != columns) {
            std::cerr << "gen-pension-data: " << path << ":" << line.number << ": " << line.fields.size()
                      << " fields, not " << columns << "\n";
            return false;
        }
        table.rows.emplace_back(line.number, std::move(line.fields));
    }
    return true;
}

// Reports a fault of the table; returns the exit status 1.
int fail(const Table& table, int line, const std::string& what)
{
    std::cerr << "gen-pension-data: " << table.path << ":" << line << ": " << what << "\n";
    return 1;
}

bool parseWhole(const std::string& text, long long& value)
{
    if (text.empty() || text.size() > 12)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// "1962-04-02" -> 19620402.
bool parseDate(const std::string& text, long long& date)
{
    long long y = 0;
    long long m = 0;
    long long d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !parseWhole(text.substr(0, 4), y)
        || !parseWhole(text.substr(5, 2), m) || !parseWhole(text.substr(8, 2), d) || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    date = y * 10000 + m * 100 + d;
    return true;
}

// The day after `date` (YYYYMMDD), for the check that brackets follow each other without a gap.
long long nextDay(long long date)
{
    static const int DAYS[] = { 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    long long y = date / 10000;
    long long m = date / 100 % 100;
    long long d = date % 100 + 1;
    int last = DAYS[m - 1];
    if (m == 2 && !((y % 4 == 0 && y % 100 != 0) || y % 400 == 0))
        last = 28;
    if (d > last) {
        d = 1;
        if (++m > 12) {
            m = 1;
            ++y;
        }
    }
    return y * 10000 + m * 100 + d;
}

struct Bracket
{
    long long from = 0;
    long long to = 0;
    int line = 0;
    std::vector<long long> values;
};

// Brackets must be ordered, each starting the day after the one before ends.
bool checkBrackets(const Table& table, const std::vector<Bracket>& brackets, const std::string& what)
{
    if (brackets.empty())
        return !fail(table, 0, "no rows for " + what);
    for (size_t i = 0; i < brackets.size(); ++i) {
        if (brackets[i].to < brackets[i].from)
            return !fail(table, brackets[i].line, "born_to before born_from");
        if (i > 0 && brackets[i].from != nextDay(brackets[i - 1].to))
            return !fail(table, brackets[i].line, what + ": a gap or an overlap with the row before");
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::cerr << "usage: gen-pension-data PARAMS.tsv KASAN.tsv START_AGE.tsv TOKUBETSU.tsv LIFE.tsv OUTPUT.h\n";
        return 2;
    }
    Table params;
    Table kasan;
    Table startAge;
    Table tokubetsu;
    Table life;
    if (!readTable(argv[1], 6, params) || !readTable(argv[2], 4, kasan) || !readTable(argv[3], 5, startAge)
        || !readTable(argv[4], 4, tokubetsu) || !readTable(argv[5], 3, life))
        return 1;

    std::ostringstream out;
    out << "// Generated at build time by gen-pension-data from data/pension/*.tsv and data/life_table_japan.tsv;\n"
           "// do not edit.\n"
           "#pragma once\n"
           "\n"
           "namespace harukaze::pension_data {\n\n";

    // Fiscal-year figures.
    std::map<long long, std::map<std::string, std::pair<long long, int>>> years; // year -> key -> value, count
    for (const auto& [line, f] : params.rows) {
        long long year = 0;
        long long value = 0;
        if (!parseWhole(f[0], year) || !parseWhole(f[2], value))
            return fail(params, line, "fiscal_year and value must be whole numbers");
        if (std::find(PARAM_KEYS.begin(), PARAM_KEYS.end(), f[1]) == PARAM_KEYS.end())
            return fail(params, line, "unknown key " + f[1]);
        auto& entry = years[year][f[1]];
        entry.first = value;
        if (++entry.second > 1)
            return fail(params, line, f[1] + " twice in fiscal year " + f[0]);
    }
    if (years.empty())
        return fail(params, 0, "no fiscal year");
    out << "/** The figures of one fiscal year, in yen (a year; 定額単価 and 支給停止調整額 a month). */\n"
           "struct FiscalYear\n{\n    int year;\n    long long kisoFullNew;\n    long long kisoFullOld;\n"
           "    long long tankaNew;\n    long long tankaOld;\n    long long kakyuSpouse;\n"
           "    long long zaishokuThreshold;\n};\n\n"
           "/** In ascending order of the fiscal year. */\n"
           "inline constexpr FiscalYear FISCAL_YEARS[] = {\n";
    for (const auto& [year, keys] : years) {
        out << "    { " << year;
        for (const std::string& key : PARAM_KEYS) {
            const auto found = keys.find(key);
            if (found == keys.end())
                return fail(params, 0, "fiscal year " + std::to_string(year) + " has no " + key);
            out << ", " << found->second.first;
        }
        out << " },\n";
    }
    out << "};\n\n";

    // 配偶者特別加算 by fiscal year.
    std::map<long long, std::vector<Bracket>> kasanYears;
    for (const auto& [line, f] : kasan.rows) {
        long long year = 0;
        Bracket b;
        long long yen = 0;
        if (!parseWhole(f[0], year) || !parseDate(f[1], b.from) || !parseDate(f[2], b.to) || !parseWhole(f[3], yen))
            return fail(kasan, line, "not \"fiscal_year<TAB>born_from<TAB>born_to<TAB>yen\"");
        b.line = line;
        b.values = { yen };
        kasanYears[year].push_back(b);
    }
    out << "/** 配偶者特別加算 (yen a year) by the receiver's birth date (YYYYMMDD, inclusive). */\n"
           "struct KasanRow\n{\n    int fiscalYear;\n    long long bornFrom;\n    long long bornTo;\n"
           "    long long yen;\n};\n\n"
           "inline constexpr KasanRow KASAN_ROWS[] = {\n";
    for (const auto& [year, figures] : years) {
        (void)figures;
        auto found = kasanYears.find(year);
        if (found == kasanYears.end())
            return fail(kasan, 0, "no rows for fiscal year " + std::to_string(year));
        std::vector<Bracket>& brackets = found->second;
        std::sort(brackets.begin(), brackets.end(), [](const Bracket& a, const Bracket& b) { return a.from < b.from; });
        if (!checkBrackets(kasan, brackets, "fiscal year " + std::to_string(year)))
            return 1;
        for (const Bracket& b : brackets)
            out << "    { " << year << ", " << b.from << ", " << b.to << ", " << b.values[0] << " },\n";
    }
    if (kasanYears.size() != years.size())
        return fail(kasan, 0, "a fiscal year that the figures file does not have");
    out << "};\n\n";

    // Start-age rates.
    std::vector<Bracket> rates;
    for (const auto& [line, f] : startAge.rows) {
        Bracket b;
        b.line = line;
        b.values.resize(3);
        if (!parseDate(f[0], b.from) || !parseDate(f[1], b.to) || !parseWhole(f[2], b.values[0])
            || !parseWhole(f[3], b.values[1]) || !parseWhole(f[4], b.values[2]))
            return fail(startAge, line, "not \"born_from<TAB>born_to<TAB>kuriage<TAB>kurisage<TAB>latest\"");
        rates.push_back(b);
    }
    if (!checkBrackets(startAge, rates, "start-age rates"))
        return 1;
    out << "/** 繰上げ / 繰下げ per mille a month and the latest start age, by birth date (YYYYMMDD, inclusive). */\n"
           "struct StartAgeRow\n{\n    long long bornFrom;\n    long long bornTo;\n    int kuriage;\n"
           "    int kurisage;\n    int latest;\n};\n\n"
           "inline constexpr StartAgeRow START_AGE_ROWS[] = {\n";
    for (const Bracket& b : rates)
        out << "    { " << b.from << ", " << b.to << ", " << b.values[0] << ", " << b.values[1] << ", " << b.values[2]
            << " },\n";
    out << "};\n\n";

    // 特別支給 start ages, per schedule.
    std::map<std::string, std::vector<Bracket>> schedules;
    for (const auto& [line, f] : tokubetsu.rows) {
        Bracket b;
        b.line = line;
        b.values.resize(1);
        if ((f[0] != "male" && f[0] != "female") || !parseDate(f[1], b.from) || !parseDate(f[2], b.to)
            || !parseWhole(f[3], b.values[0]))
            return fail(tokubetsu, line, "not \"male|female<TAB>born_from<TAB>born_to<TAB>start_age\"");
        schedules[f[0]].push_back(b);
    }
    out << "/** 特別支給の老齢厚生年金 start age by schedule (female: 民間 women) and birth date. */\n"
           "struct TokubetsuRow\n{\n    bool female;\n    long long bornFrom;\n    long long bornTo;\n"
           "    int startAge;\n};\n\n"
           "inline constexpr TokubetsuRow TOKUBETSU_ROWS[] = {\n";
    for (const char* schedule : { "male", "female" }) {
        std::vector<Bracket>& brackets = schedules[schedule];
        if (!checkBrackets(tokubetsu, brackets, std::string("schedule ") + schedule))
            return 1;
        for (const Bracket& b : brackets)
            out << "    { " << (std::string(schedule) == "female" ? "true" : "false") << ", " << b.from << ", " << b.to
                << ", " << b.values[0] << " },\n";
    }
    out << "};\n\n";

    // Life table: remaining years in hundredths.
    std::vector<long long> male(LIFE_AGES, -1);
    std::vector<long long> female(LIFE_AGES, -1);
    for (const auto& [line, f] : life.rows) {
        long long age = 0;
        long long values[2] = { 0, 0 };
        for (int c = 0; c < 2; ++c) {
            const std::string& text = f[static_cast<size_t>(c + 1)];
            const size_t dot = text.find('.');
            long long whole = 0;
            long long fraction = 0;
            if (dot == std::string::npos || text.size() != dot + 3 || !parseWhole(text.substr(0, dot), whole)
                || !parseWhole(text.substr(dot + 1), fraction))
                return fail(life, line, "remaining years must have two decimals");
            values[c] = whole * 100 + fraction;
        }
        if (!parseWhole(f[0], age) || age >= LIFE_AGES)
            return fail(life, line, "age outside 0..113");
        if (male[static_cast<size_t>(age)] >= 0)
            return fail(life, line, "age " + f[0] + " twice");
        male[static_cast<size_t>(age)] = values[0];
        female[static_cast<size_t>(age)] = values[1];
    }
    for (int age = 0; age < LIFE_AGES; ++age) {
        if (male[static_cast<size_t>(age)] < 0)
            return fail(life, 0, "no row for age " + std::to_string(age));
    }
    out << "/** e_x in hundredths of a year (22.51 = 2251), ages 0.." << LIFE_AGES - 1 << ". */\n"
        << "inline constexpr int LIFE_AGES = " << LIFE_AGES << ";\n";
    for (const auto& [name, column] :
        { std::make_pair("LIFE_E_MALE", &male), std::make_pair("LIFE_E_FEMALE", &female) }) {
        out << "inline constexpr long long " << name << "[LIFE_AGES] = {";
        for (int age = 0; age < LIFE_AGES; ++age)
            out << (age % 12 == 0 ? "\n    " : " ") << (*column)[static_cast<size_t>(age)] << ",";
        out << "\n};\n";
    }
    out << "\n} // namespace harukaze::pension_data\n";

    std::ofstream header(argv[6], std::ios::binary | std::ios::trunc);
    header << out.str();
    header.close();
    if (!header) {
        std::cerr << "gen-pension-data: cannot write " << argv[6] << "\n";
        return 1;
    }
    return 0;
}

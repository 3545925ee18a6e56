// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time generator of the tax and social insurance tables: reads the project's copies of the
// thirteen TSV files in data/tax (給与所得, deductions, 速算表, 公的年金等控除, 協会けんぽ rates, the
// nationwide insurance rates, 標準報酬月額 grades, 住民税 parameters, the prefectures' surtaxes and
// the 住宅ローン控除 limits and rules)
// and writes one header of constexpr rows that the core picks by calendar year.
//
// Every file is checked: its header line must name the expected columns; in every year a banded
// table must start at zero, run without gaps or overlaps and end open; a per-prefecture table must
// hold each of the 47 prefectures exactly once; a keyed table each key exactly once. Anything else
// (a missing or doubled row, a value that is not a whole number) stops the build.
//
// Usage: gen-tax-data DATA_DIR OUTPUT.h

#include "TsvFile.h"

#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace tsv = harukaze::tsv;

struct Table
{
    std::string file;
    std::vector<std::string> columns;
    std::vector<std::map<std::string, std::string>> rows;
    std::vector<int> lines;
};

struct Failure
{
    std::string message;
};

[[noreturn]] void fail(const std::string& message)
{
    throw Failure { message };
}

Table readTable(const std::string& dir, const std::string& name, const std::vector<std::string>& columns)
{
    Table table;
    table.file = name;
    std::vector<std::string> header;
    std::vector<tsv::Line> lines;
    if (!tsv::readFile(dir + "/" + name, header, lines))
        fail(name + ": cannot read");
    if (header != columns) {
        std::string expected;
        for (const std::string& column : columns)
            expected += (expected.empty() ? "" : "<TAB>") + column;
        fail(name + ": the header is not \"" + expected + "\"");
    }
    for (const tsv::Line& line : lines) {
        if (line.fields.size() != columns.size())
            fail(name + ":" + std::to_string(line.number) + ": " + std::to_string(line.fields.size()) + " fields, not "
                + std::to_string(columns.size()));
        std::map<std::string, std::string> row;
        for (size_t i = 0; i < columns.size(); ++i)
            row[columns[i]] = line.fields[i];
        table.rows.push_back(std::move(row));
        table.lines.push_back(line.number);
    }
    if (table.rows.empty())
        fail(name + ": no rows");
    table.columns = columns;
    return table;
}

std::string where(const Table& table, size_t row)
{
    return table.file + ":" + std::to_string(table.lines[row]);
}

// A whole number >= 0 of the column; an empty field is `emptyValue` when allowed.
int64_t number(
    const Table& table, size_t row, const std::string& column, bool emptyAllowed = false, int64_t emptyValue = -1)
{
    const std::string& text = table.rows[row].at(column);
    if (text.empty()) {
        if (!emptyAllowed)
            fail(where(table, row) + ": " + column + " is empty");
        return emptyValue;
    }
    if (text.size() > 15)
        fail(where(table, row) + ": " + column + " \"" + text + "\" is too long");
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            fail(where(table, row) + ": " + column + " \"" + text + "\" is not a whole number");
        value = value * 10 + (c - '0');
    }
    return value;
}

const char* const NO_UPPER = "NO_UPPER";

std::string upperText(int64_t upper)
{
    return upper < 0 ? std::string(NO_UPPER) : std::to_string(upper);
}

// Rows of `table` grouped by year, then by a group key, in file order.
std::map<int64_t, std::map<std::string, std::vector<size_t>>> groups(
    const Table& table, const std::vector<std::string>& keyColumns)
{
    std::map<int64_t, std::map<std::string, std::vector<size_t>>> result;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        std::string key;
        for (const std::string& column : keyColumns)
            key += table.rows[r].at(column) + "/";
        result[number(table, r, "year")][key].push_back(r);
    }
    return result;
}

// Bands given by an upper bound (inclusive or exclusive, empty = open): strictly increasing, the last
// one open and only the last.
void checkUppers(const Table& table, const std::vector<size_t>& rows, const std::string& column)
{
    int64_t previous = -1;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int64_t upper = number(table, rows[i], column, true);
        const bool last = i + 1 == rows.size();
        if (upper < 0 && !last)
            fail(where(table, rows[i]) + ": an open " + column + " before the last row of its band");
        if (upper >= 0 && last)
            fail(where(table, rows[i]) + ": the last row of its band has " + column + " " + std::to_string(upper)
                + ", not open (a row is missing)");
        if (upper >= 0 && upper <= previous)
            fail(where(table, rows[i]) + ": " + column + " does not increase (a row is doubled)");
        previous = upper;
    }
}

// Bands given by lower and upper: the first from 0, each from the previous upper, the last open.
void checkTiling(
    const Table& table, const std::vector<size_t>& rows, const std::string& lowerColumn, const std::string& upperColumn)
{
    int64_t expected = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int64_t lower = number(table, rows[i], lowerColumn, true, 0);
        if (lower != expected)
            fail(where(table, rows[i]) + ": " + lowerColumn + " " + std::to_string(lower) + " where "
                + std::to_string(expected) + " was expected (a row is missing or doubled)");
        expected = number(table, rows[i], upperColumn, true);
        if (expected >= 0 && expected <= lower)
            fail(where(table, rows[i]) + ": an empty band");
        if ((expected < 0) != (i + 1 == rows.size()))
            fail(where(table, rows[i]) + ": only the last band is open (a row is missing or doubled)");
    }
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

void kyuyo(const Table& t, std::ostream& out)
{
    const std::map<std::string, std::string> kinds {
        { "zero", "KyuyoKind::Zero" },
        { "minus", "KyuyoKind::Minus" },
        { "fixed", "KyuyoKind::Fixed" },
        { "step", "KyuyoKind::Step" },
        { "ratio", "KyuyoKind::Ratio" },
    };
    for (const auto& [year, byKey] : groups(t, {}))
        checkTiling(t, byKey.begin()->second, "lower", "upper");
    out << "inline constexpr KyuyoRow KYUYO_SHOTOKU[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const auto kind = kinds.find(t.rows[r].at("kind"));
        if (kind == kinds.end())
            fail(where(t, r) + ": unknown kind \"" + t.rows[r].at("kind") + "\"");
        out << "    { " << number(t, r, "year") << ", " << number(t, r, "lower") << ", "
            << upperText(number(t, r, "upper", true)) << ", " << kind->second << ", " << number(t, r, "a") << ", "
            << number(t, r, "b") << " },\n";
    }
    out << "};\n\n";
}

bool residentTax(const Table& t, size_t r)
{
    const std::string& tax = t.rows[r].at("tax");
    if (tax != "income" && tax != "resident")
        fail(where(t, r) + ": tax \"" + tax + "\" is neither income nor resident");
    return tax == "resident";
}

void checkBothTaxes(const Table& t, const std::map<std::string, std::vector<size_t>>& byTax, int64_t year)
{
    for (const char* tax : { "income/", "resident/" }) {
        if (byTax.count(tax) == 0)
            fail(t.file + ": year " + std::to_string(year) + " has no rows of tax " + tax);
    }
}

void basic(const Table& t, std::ostream& out)
{
    for (const auto& [year, byTax] : groups(t, { "tax" })) {
        checkBothTaxes(t, byTax, year);
        for (const auto& [tax, rows] : byTax)
            checkUppers(t, rows, "upper");
    }
    out << "inline constexpr BasicRow BASIC_DEDUCTION[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r)
        out << "    { " << number(t, r, "year") << ", " << (residentTax(t, r) ? "true" : "false") << ", "
            << upperText(number(t, r, "upper", true)) << ", " << number(t, r, "amount") << " },\n";
    out << "};\n\n";
}

void spouse(const Table& t, std::ostream& out)
{
    for (const auto& [year, byTax] : groups(t, { "tax" })) {
        checkBothTaxes(t, byTax, year);
        for (const auto& [tax, rows] : byTax) {
            int general = 0;
            int elderly = 0;
            int64_t line = -1;
            int64_t previous = -1;
            for (size_t r : rows) {
                const std::string& kind = t.rows[r].at("kind");
                const int64_t upper = number(t, r, "spouse_upper");
                if (kind == "kojo") {
                    (number(t, r, "elderly") == 1 ? elderly : general) += 1;
                    if (line >= 0 && upper != line)
                        fail(where(t, r) + ": the two 配偶者控除 rows differ in spouse_upper");
                    line = upper;
                } else if (kind == "tokubetsu") {
                    if (number(t, r, "elderly") != 0)
                        fail(where(t, r) + ": a 配偶者特別控除 row marked elderly");
                    if (upper <= previous || upper <= line)
                        fail(where(t, r) + ": spouse_upper does not increase (a row is doubled or out of order)");
                    previous = upper;
                } else {
                    fail(where(t, r) + ": unknown kind \"" + kind + "\"");
                }
            }
            if (general != 1 || elderly != 1 || previous < 0)
                fail(t.file + ": year " + std::to_string(year) + " tax " + tax
                    + " needs one 配偶者控除 row, one 老人 row and 配偶者特別控除 rows");
        }
    }
    out << "inline constexpr SpouseRow SPOUSE_DEDUCTION[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r)
        out << "    { " << number(t, r, "year") << ", " << (residentTax(t, r) ? "true" : "false") << ", "
            << (t.rows[r].at("kind") == "tokubetsu" ? "true" : "false") << ", "
            << (number(t, r, "elderly") == 1 ? "true" : "false") << ", " << number(t, r, "spouse_upper") << ", "
            << number(t, r, "c900") << ", " << number(t, r, "c950") << ", " << number(t, r, "c1000") << " },\n";
    out << "};\n\n";
}

void dependent(const Table& t, std::ostream& out)
{
    for (const auto& [year, byKey] : groups(t, {})) {
        int64_t previousTo = -1;
        for (size_t r : byKey.begin()->second) {
            const int64_t from = number(t, r, "age_from");
            const int64_t to = number(t, r, "age_to");
            if (from > to || from <= previousTo)
                fail(where(t, r) + ": age bands overlap or are out of order (a row is doubled)");
            previousTo = to;
        }
    }
    out << "inline constexpr DependentRow DEPENDENT_DEDUCTION[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r)
        out << "    { " << number(t, r, "year") << ", " << number(t, r, "age_from") << ", " << number(t, r, "age_to")
            << ", " << number(t, r, "income") << ", " << number(t, r, "resident") << ", " << number(t, r, "diff")
            << " },\n";
    out << "};\n\n";
}

void rates(const Table& t, std::ostream& out)
{
    for (const auto& [year, byKey] : groups(t, {}))
        checkUppers(t, byKey.begin()->second, "upper");
    out << "inline constexpr IncomeTaxRow INCOME_TAX_RATES[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r)
        out << "    { " << number(t, r, "year") << ", " << upperText(number(t, r, "upper", true)) << ", "
            << number(t, r, "rate_pct") << ", " << number(t, r, "subtract") << " },\n";
    out << "};\n\n";
}

void pension(const Table& t, std::ostream& out)
{
    for (const auto& [year, byKey] : groups(t, { "age65", "other_band" })) {
        for (const char* age : { "0", "1" }) {
            for (const char* band : { "0", "1", "2" }) {
                const auto found = byKey.find(std::string(age) + "/" + band + "/");
                if (found == byKey.end())
                    fail(t.file + ": year " + std::to_string(year) + " has no rows for age65 " + age + " other_band "
                        + band);
                checkTiling(t, found->second, "lower", "upper");
            }
        }
        if (byKey.size() != 6)
            fail(t.file + ": year " + std::to_string(year) + " has an age65 or other_band outside 0/1 and 0/1/2");
    }
    out << "inline constexpr PensionDeductionRow PUBLIC_PENSION_DEDUCTION[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r)
        out << "    { " << number(t, r, "year") << ", " << (number(t, r, "age65") == 1 ? "true" : "false") << ", "
            << number(t, r, "other_band") << ", " << number(t, r, "lower") << ", "
            << upperText(number(t, r, "upper", true)) << ", " << number(t, r, "pct") << ", " << number(t, r, "add")
            << " },\n";
    out << "};\n\n";
}

// The prefectures in the order of the first year of the 協会けんぽ table.
std::vector<std::string> prefectureNames(const Table& kenpo)
{
    std::vector<std::string> names;
    const int64_t first = number(kenpo, 0, "year");
    for (size_t r = 0; r < kenpo.rows.size(); ++r) {
        if (number(kenpo, r, "year") == first)
            names.push_back(kenpo.rows[r].at("prefecture"));
    }
    return names;
}

// Each year of a per-prefecture table names every prefecture exactly once; returns the row's index.
size_t prefectureIndex(const Table& t, size_t r, const std::vector<std::string>& names)
{
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == t.rows[r].at("prefecture"))
            return i;
    }
    fail(where(t, r) + ": unknown prefecture \"" + t.rows[r].at("prefecture") + "\"");
}

void checkPrefectures(const Table& t, const std::vector<std::string>& names)
{
    std::map<int64_t, std::set<size_t>> seen;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        if (!seen[number(t, r, "year")].insert(prefectureIndex(t, r, names)).second)
            fail(where(t, r) + ": " + t.rows[r].at("prefecture") + " twice in one year");
    }
    for (const auto& [year, indexes] : seen) {
        if (indexes.size() != names.size())
            fail(t.file + ": year " + std::to_string(year) + " has " + std::to_string(indexes.size()) + " of the "
                + std::to_string(names.size()) + " prefectures");
    }
}

void kenpo(const Table& t, const std::vector<std::string>& names, std::ostream& out)
{
    if (names.size() != 47)
        fail(t.file + ": " + std::to_string(names.size()) + " prefectures, not 47");
    checkPrefectures(t, names);
    out << "inline constexpr const char* PREFECTURES[] = {\n";
    for (const std::string& name : names)
        out << "    " << quoted(name) << ",\n";
    out << "};\n\n";
    out << "inline constexpr PrefectureRateRow HEALTH_RATES[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r)
        out << "    { " << number(t, r, "year") << ", " << prefectureIndex(t, r, names) << ", "
            << number(t, r, "health_rate") << ", 0 },\n";
    out << "};\n\n";
}

void surtax(const Table& t, const std::vector<std::string>& names, std::ostream& out)
{
    checkPrefectures(t, names);
    out << "inline constexpr PrefectureRateRow PREFECTURE_SURTAX[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r)
        out << "    { " << number(t, r, "year") << ", " << prefectureIndex(t, r, names) << ", "
            << number(t, r, "per_capita") << ", " << number(t, r, "income_rate") << " },\n";
    out << "};\n\n";
}

void insurance(const Table& t, std::ostream& out)
{
    std::set<int64_t> years;
    out << "inline constexpr InsuranceRow INSURANCE_RATES[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r) {
        if (!years.insert(number(t, r, "year")).second)
            fail(where(t, r) + ": a second row for year " + t.rows[r].at("year"));
        if (number(t, r, "shien_months") > 12)
            fail(where(t, r) + ": shien_months above 12");
        out << "    { " << number(t, r, "year") << ", " << number(t, r, "kaigo") << ", " << number(t, r, "shien")
            << ", " << number(t, r, "shien_months") << ", " << number(t, r, "kounen") << ", "
            << number(t, r, "koyou_employee") << ", " << number(t, r, "bonus_cap_health_year") << ", "
            << number(t, r, "bonus_cap_pension_payment") << " },\n";
    }
    out << "};\n\n";
}

void grades(const Table& t, std::ostream& out)
{
    for (const auto& [year, byKey] : groups(t, {})) {
        const std::vector<size_t>& rows = byKey.begin()->second;
        checkTiling(t, rows, "from", "to");
        int64_t pensionGrade = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (number(t, rows[i], "health_grade") != static_cast<int64_t>(i + 1))
                fail(where(t, rows[i]) + ": health_grade out of sequence (a row is missing or doubled)");
            const int64_t grade = number(t, rows[i], "pension_grade", true, 0);
            if (grade == 0)
                continue;
            if (grade != pensionGrade + 1
                || (pensionGrade > 0 && number(t, rows[i - 1], "pension_grade", true, 0) == 0))
                fail(where(t, rows[i]) + ": pension_grade out of sequence (a row is missing or doubled)");
            pensionGrade = grade;
        }
        if (pensionGrade == 0)
            fail(t.file + ": year " + std::to_string(year) + " has no 厚生年金 grades");
    }
    out << "inline constexpr GradeRow STANDARD_MONTHLY_GRADES[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r)
        out << "    { " << number(t, r, "year") << ", " << number(t, r, "pension_grade", true, 0) << ", "
            << number(t, r, "std") << ", " << number(t, r, "from", true, 0) << ", "
            << upperText(number(t, r, "to", true)) << " },\n";
    out << "};\n\n";
}

void resident(const Table& t, std::ostream& out)
{
    const std::vector<std::string> keys { "pref_rate_pct",
        "muni_rate_pct",
        "adj_pref_pct",
        "adj_muni_pct",
        "kinto_pref",
        "kinto_muni",
        "forest_tax",
        "exempt_single",
        "exempt_per_person",
        "exempt_add",
        "exempt_kinto_family_add",
        "exempt_shotoku_family_add",
        "basic_diff" };
    std::map<int64_t, std::map<std::string, int64_t>> byYear;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const std::string& key = t.rows[r].at("key");
        bool known = false;
        for (const std::string& k : keys)
            known = known || k == key;
        if (!known)
            fail(where(t, r) + ": unknown key \"" + key + "\"");
        if (!byYear[number(t, r, "year")].emplace(key, number(t, r, "value")).second)
            fail(where(t, r) + ": " + key + " twice in one year");
    }
    out << "inline constexpr ResidentRow RESIDENT_TAX[] = {\n";
    for (const auto& [year, values] : byYear) {
        out << "    { " << year;
        for (const std::string& key : keys) {
            const auto found = values.find(key);
            if (found == values.end())
                fail(t.file + ": year " + std::to_string(year) + " has no " + key);
            out << ", " << found->second;
        }
        out << " },\n";
    }
    out << "};\n\n";
}

// 住宅ローン控除 limits: each 入居年, house and kind at most once (overlapping year ranges of the same
// house and kind are a doubled row), a known house and kind, a 子育て limit above the general one.
void creditLimits(const Table& t, std::ostream& out)
{
    const std::vector<std::string> houses { "new", "used" };
    const std::vector<std::string> kinds { "certified", "zeh", "energy", "other" };
    auto indexOf = [&t](const std::vector<std::string>& words, size_t row, const std::string& column) {
        for (size_t i = 0; i < words.size(); ++i) {
            if (words[i] == t.rows[row].at(column))
                return i;
        }
        fail(where(t, row) + ": unknown " + column + " \"" + t.rows[row].at(column) + "\"");
    };
    std::set<std::string> covered;
    out << "inline constexpr CreditLimitRow HOUSING_CREDIT_LIMITS[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const size_t house = indexOf(houses, r, "house");
        const size_t kind = indexOf(kinds, r, "kind");
        const int64_t first = number(t, r, "first_year");
        const int64_t last = number(t, r, "last_year");
        if (first > last)
            fail(where(t, r) + ": first_year after last_year");
        const int64_t limit = number(t, r, "limit_man");
        const int64_t child = number(t, r, "child_limit_man", true, 0);
        if (limit == 0 || (child != 0 && child <= limit))
            fail(where(t, r) + ": limit_man must be above 0 and child_limit_man above limit_man");
        if (number(t, r, "years") == 0)
            fail(where(t, r) + ": years is 0");
        for (int64_t year = first; year <= last; ++year) {
            const std::string key = std::to_string(year) + " " + houses[house] + " " + kinds[kind];
            if (!covered.insert(key).second)
                fail(where(t, r) + ": a second row for " + key);
        }
        out << "    { " << first << ", " << last << ", " << (house == 0 ? "true" : "false") << ", " << kind << ", "
            << limit << ", " << child << ", " << number(t, r, "years") << " },\n";
    }
    out << "};\n\n";
}

// 住宅ローン控除 rules by 入居年: year ranges that do not overlap, a small_uplift of 0 or 1.
void creditRules(const Table& t, std::ostream& out)
{
    std::set<int64_t> covered;
    out << "inline constexpr CreditRuleRow HOUSING_CREDIT_RULES[] = {\n";
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const int64_t first = number(t, r, "first_year");
        const int64_t last = number(t, r, "last_year");
        if (first > last)
            fail(where(t, r) + ": first_year after last_year");
        for (int64_t year = first; year <= last; ++year) {
            if (!covered.insert(year).second)
                fail(where(t, r) + ": a second row for " + std::to_string(year));
        }
        if (number(t, r, "small_uplift") > 1)
            fail(where(t, r) + ": small_uplift is neither 0 nor 1");
        out << "    { " << first << ", " << last << ", " << number(t, r, "rate_permille") << ", "
            << number(t, r, "resident_pct") << ", " << number(t, r, "resident_cap") << ", "
            << number(t, r, "income_limit") << ", " << number(t, r, "small_income_limit") << ", "
            << (number(t, r, "small_uplift") == 1 ? "true" : "false") << " },\n";
    }
    out << "};\n\n";
}

const char* const PREAMBLE = R"(// Generated at build time by gen-tax-data from data/tax/*.tsv; do not edit.
#pragma once

#include <cstdint>
#include <limits>

namespace harukaze::tax_data {

/** An open upper bound. */
inline constexpr int64_t NO_UPPER = std::numeric_limits<int64_t>::max();

enum class KyuyoKind { Zero, Minus, Fixed, Step, Ratio };

/** 給与所得: lower <= pay < upper. */
struct KyuyoRow { int year; int64_t lower; int64_t upper; KyuyoKind kind; int64_t a; int64_t b; };
/** 基礎控除: 合計所得金額 <= upper. */
struct BasicRow { int year; bool resident; int64_t upper; int64_t amount; };
/** 配偶者(特別)控除: the spouse's 合計所得金額 <= spouseUpper; amounts by the claimant's column. */
struct SpouseRow { int year; bool resident; bool special; bool elderly; int64_t spouseUpper; int64_t c900; int64_t c950; int64_t c1000; };
/** 扶養控除 of a child ageFrom <= age <= ageTo, and the 人的控除差. */
struct DependentRow { int year; int ageFrom; int ageTo; int64_t income; int64_t resident; int64_t diff; };
/** 速算表: 課税所得 <= upper. */
struct IncomeTaxRow { int year; int64_t upper; int64_t ratePct; int64_t subtract; };
/** 公的年金等控除: lower < pension <= upper. */
struct PensionDeductionRow { int year; bool age65; int band; int64_t lower; int64_t upper; int64_t pct; int64_t add; };
/** A prefecture's rate (健康保険, or the 均等割 surtax with the 所得割 surtax). */
struct PrefectureRateRow { int year; int prefecture; int64_t value; int64_t incomeRate; };
/** Nationwide rates in 1/1000 %, the months of 支援金, the 賞与 caps. */
struct InsuranceRow { int year; int64_t kaigo; int64_t shien; int shienMonths; int64_t kounen; int64_t koyou; int64_t capHealth; int64_t capPension; };
/** 標準報酬月額: from <= monthly pay < to; pensionGrade 0 when not a 厚生年金 grade. */
struct GradeRow { int year; int pensionGrade; int64_t standard; int64_t from; int64_t to; };
/** 住宅ローン控除: 借入限度額 in 万円 (childLimitMan 0 = none) and years for 入居 firstYear..lastYear; kind in the order of CreditHouseKind. */
struct CreditLimitRow { int firstYear; int lastYear; bool newHouse; int kind; int64_t limitMan; int64_t childLimitMan; int years; };
/** 住宅ローン控除 rules for 入居 firstYear..lastYear. */
struct CreditRuleRow { int firstYear; int lastYear; int64_t ratePermille; int64_t residentPct; int64_t residentCap; int64_t incomeLimit; int64_t smallIncomeLimit; bool smallUplift; };
/** 住民税 parameters of a year. */
struct ResidentRow { int year; int64_t prefRatePct; int64_t muniRatePct; int64_t adjPrefPct; int64_t adjMuniPct; int64_t kintoPref; int64_t kintoMuni; int64_t forest; int64_t exemptSingle; int64_t exemptPerPerson; int64_t exemptAdd; int64_t kintoFamilyAdd; int64_t shotokuFamilyAdd; int64_t basicDiff; };

)";

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: gen-tax-data DATA_DIR OUTPUT.h\n";
        return 2;
    }
    const std::string dir = argv[1];
    std::ostringstream out;
    out << PREAMBLE;
    try {
        kyuyo(readTable(dir, "kyuyo_shotoku.tsv", { "year", "lower", "upper", "kind", "a", "b" }), out);
        basic(readTable(dir, "basic_deduction.tsv", { "year", "tax", "upper", "amount" }), out);
        spouse(readTable(dir,
                   "spouse_deduction.tsv",
                   { "year", "tax", "kind", "elderly", "spouse_upper", "c900", "c950", "c1000" }),
            out);
        dependent(
            readTable(dir, "dependent_deduction.tsv", { "year", "age_from", "age_to", "income", "resident", "diff" }),
            out);
        rates(readTable(dir, "income_tax_rates.tsv", { "year", "upper", "rate_pct", "subtract" }), out);
        pension(
            readTable(
                dir, "public_pension_deduction.tsv", { "year", "age65", "other_band", "lower", "upper", "pct", "add" }),
            out);
        const Table kenpoTable = readTable(dir, "kyokai_kenpo_rates.tsv", { "year", "prefecture", "health_rate" });
        const std::vector<std::string> names = prefectureNames(kenpoTable);
        kenpo(kenpoTable, names, out);
        surtax(
            readTable(dir, "prefecture_surtax.tsv", { "year", "prefecture", "per_capita", "income_rate", "verified" }),
            names,
            out);
        insurance(readTable(dir,
                      "insurance_rates.tsv",
                      { "year",
                          "kaigo",
                          "shien",
                          "shien_months",
                          "kounen",
                          "koyou_employee",
                          "bonus_cap_health_year",
                          "bonus_cap_pension_payment" }),
            out);
        grades(
            readTable(
                dir, "standard_monthly_grades.tsv", { "year", "health_grade", "pension_grade", "std", "from", "to" }),
            out);
        resident(readTable(dir, "resident_tax.tsv", { "year", "key", "value" }), out);
        creditLimits(readTable(dir,
                         "housing_credit_limits.tsv",
                         { "first_year", "last_year", "house", "kind", "limit_man", "child_limit_man", "years" }),
            out);
        creditRules(readTable(dir,
                        "housing_credit_rules.tsv",
                        { "first_year",
                            "last_year",
                            "rate_permille",
                            "resident_pct",
                            "resident_cap",
                            "income_limit",
                            "small_income_limit",
                            "small_uplift" }),
            out);
    } catch (const Failure& failure) {
        std::cerr << "gen-tax-data: " << failure.message << "\n";
        return 1;
    }
    out << "} // namespace harukaze::tax_data\n";

    std::ofstream header(argv[2], std::ios::binary | std::ios::trunc);
    header << out.str();
    header.close();
    if (!header) {
        std::cerr << "gen-tax-data: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}

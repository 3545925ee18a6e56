// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time generator of the life-expectancy data files "男余命.dat" and "女余命.dat" from the
// project's copy of the Japanese life table (remaining years of life by single year of age).
//
// Each output line is for one current age a = 0..120, line a + 1: the age as three digits, a
// space, and the expected age at death a + remaining years with two decimals ("062 84.51"). Sums
// are made in hundredths so that no binary rounding can touch the published figures. Ages past the
// table's last row repeat that row's remaining years. The files are plain ASCII, hence already
// code page 932, with CR LF line ends.
//
// Usage: gen-life-data TABLE.tsv OUTPUT_DIR

#include "TsvFile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace tsv = harukaze::tsv;

constexpr int LAST_AGE = 120;

// "22.51" -> 2251. Only plain non-negative decimals with at most two fraction digits are accepted.
bool parseHundredths(const std::string& text, long& hundredths)
{
    size_t i = 0;
    long whole = 0;
    if (text.empty())
        return false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        whole = whole * 10 + (text[i] - '0');
        if (whole > 100000)
            return false;
        ++i;
    }
    if (i == 0)
        return false;
    long fraction = 0;
    int fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && fractionDigits < 2) {
            fraction = fraction * 10 + (text[i] - '0');
            ++fractionDigits;
            ++i;
        }
        if (fractionDigits == 0)
            return false;
    }
    if (i != text.size())
        return false;
    if (fractionDigits == 1)
        fraction *= 10;
    hundredths = whole * 100 + fraction;
    return true;
}

bool writeDataFile(const std::string& path, const std::vector<long>& remaining)
{
    std::string bytes;
    for (int age = 0; age <= LAST_AGE; ++age) {
        const size_t row = std::min(static_cast<size_t>(age), remaining.size() - 1);
        const long atDeath = age * 100L + remaining[row];
        char line[64];
        std::snprintf(line, sizeof(line), "%03d %ld.%02ld\r\n", age, atDeath / 100, atDeath % 100);
        bytes += line;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: gen-life-data TABLE.tsv OUTPUT_DIR\n";
        return 2;
    }
    std::vector<std::string> header; // "age  male_remaining  female_remaining"
    std::vector<tsv::Line> lines;
    if (!tsv::readFile(argv[1], header, lines)) {
        std::cerr << "gen-life-data: cannot read " << argv[1] << "\n";
        return 1;
    }

    std::vector<long> male;
    std::vector<long> female;
    for (const tsv::Line& line : lines) {
        const std::vector<std::string>& fields = line.fields;
        const int lineNumber = line.number;
        long age = 0;
        long maleYears = 0;
        long femaleYears = 0;
        if (fields.size() != 3 || !parseHundredths(fields[0], age) || age % 100 != 0
            || !parseHundredths(fields[1], maleYears) || !parseHundredths(fields[2], femaleYears)) {
            std::cerr << "gen-life-data: " << argv[1] << ":" << lineNumber << ": not \"age<TAB>male<TAB>female\"\n";
            return 1;
        }
        if (age / 100 != static_cast<long>(male.size())) {
            std::cerr << "gen-life-data: " << argv[1] << ":" << lineNumber
                      << ": ages must run 0, 1, 2, ... without gaps\n";
            return 1;
        }
        male.push_back(maleYears);
        female.push_back(femaleYears);
    }
    if (male.empty()) {
        std::cerr << "gen-life-data: " << argv[1] << ": no ages found\n";
        return 1;
    }

    std::string dir = argv[2];
    if (dir.back() != '/')
        dir += '/';
    if (!writeDataFile(dir + "男余命.dat", male) || !writeDataFile(dir + "女余命.dat", female)) {
        std::cerr << "gen-life-data: cannot write the data files into " << dir << "\n";
        return 1;
    }
    return 0;
}

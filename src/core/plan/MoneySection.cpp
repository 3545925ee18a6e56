// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/MoneySection.h"

#include "core/plan/FamilyPlan.h"
#include "core/plan/HomeSection.h"
#include "core/plan/PlanFile.h"
#include "core/plan/TaxSettings.h"

#include <array>
#include <cstdlib>

namespace harukaze {

namespace {

// The rules of the settings' values.
constexpr NumberRule AMOUNT { NumberRule::Form::Amount, 0, MAX_AMOUNT }; // 0 .. 99999.9
constexpr NumberRule SIGNED_AMOUNT { NumberRule::Form::Amount, -MAX_AMOUNT, MAX_AMOUNT };
constexpr NumberRule RATE { NumberRule::Form::Rate, -MAX_RATE, MAX_RATE }; // -10.0 .. 10.0
constexpr NumberRule AGE { NumberRule::Form::Whole, 0, MAX_AGE };
constexpr NumberRule PENSION_AGE { NumberRule::Form::Whole, MIN_PENSION_AGE, MAX_PENSION_AGE };
constexpr NumberRule YEAR { NumberRule::Form::Whole, 0, MAX_YEAR };
constexpr NumberRule FLAG { NumberRule::Form::Flag, 0, 1 };

struct Setting
{
    const char* key;
    NumberRule rule;
    int MoneySettings::*field;
};

// The settings in the order they are written.
const std::array<Setting, 31> SETTINGS { {
    { "SAVINGS_START", SIGNED_AMOUNT, &MoneySettings::savingsStart },
    { "INVEST_RATE", RATE, &MoneySettings::investRate },
    { "HUSBAND_INCOME", AMOUNT, &MoneySettings::husbandIncome },
    { "HUSBAND_INCOME_RATE", RATE, &MoneySettings::husbandIncomeRate },
    { "WIFE_INCOME", AMOUNT, &MoneySettings::wifeIncome },
    { "WIFE_INCOME_RATE", RATE, &MoneySettings::wifeIncomeRate },
    { "HUSBAND_SEVERANCE", AMOUNT, &MoneySettings::husbandSeverance },
    { "WIFE_SEVERANCE", AMOUNT, &MoneySettings::wifeSeverance },
    { "HUSBAND_REEMPLOY_INCOME", AMOUNT, &MoneySettings::husbandReemployIncome },
    { "HUSBAND_REEMPLOY_END_AGE", AGE, &MoneySettings::husbandReemployEndAge },
    { "WIFE_REEMPLOY_INCOME", AMOUNT, &MoneySettings::wifeReemployIncome },
    { "WIFE_REEMPLOY_END_AGE", AGE, &MoneySettings::wifeReemployEndAge },
    { "HUSBAND_PENSION", AMOUNT, &MoneySettings::husbandPension },
    { "HUSBAND_PENSION_AGE", PENSION_AGE, &MoneySettings::husbandPensionAge },
    { "WIFE_PENSION", AMOUNT, &MoneySettings::wifePension },
    { "WIFE_PENSION_AGE", PENSION_AGE, &MoneySettings::wifePensionAge },
    { "PENSION_RATE", RATE, &MoneySettings::pensionRate },
    { "LIVING", AMOUNT, &MoneySettings::living },
    { "LIVING_RATE", RATE, &MoneySettings::livingRate },
    { "HOUSING", AMOUNT, &MoneySettings::housing },
    { "HOUSING_RATE", RATE, &MoneySettings::housingRate },
    { "HOUSING_END_YEAR", YEAR, &MoneySettings::housingEndYear },
    { "INSURANCE", AMOUNT, &MoneySettings::insurance },
    { "INSURANCE_END_YEAR", YEAR, &MoneySettings::insuranceEndYear },
    { "OTHER", AMOUNT, &MoneySettings::other },
    { "OTHER_RATE", RATE, &MoneySettings::otherRate },
    { "EDUCATION_RATE", RATE, &MoneySettings::educationRate },
    { "CARE_HUSBAND_PARENTS", FLAG, &MoneySettings::careHusbandParents },
    { "CARE_WIFE_PARENTS", FLAG, &MoneySettings::careWifeParents },
    { "CARE_MONTHLY", AMOUNT, &MoneySettings::careMonthly },
    { "CARE_ONCE", AMOUNT, &MoneySettings::careOnce },
} };

// The child keys' stage names, in the order they are written.
const std::array<const char*, EDUCATION_STAGES> STAGE_KEYS {
    "KINDERGARTEN",
    "ELEMENTARY",
    "JUNIOR_HIGH",
    "HIGH_SCHOOL",
    "UNIVERSITY",
};

// Written right after SAVINGS_START; it has a word, not a number.
constexpr std::string_view SAVINGS_BASIS_KEY = "SAVINGS_BASIS";
constexpr std::string_view INCOME_PREFIX = "INCOME";
constexpr std::string_view EXPENSE_PREFIX = "EXPENSE";
constexpr std::string_view CHILD_PREFIX = "CHILD";

// What the writer may add to the kept lines: the header, every setting, every child's stages,
// every entry, END_MONEY; a setting or child line's value may grow by LONGEST_VALUE_GROWTH bytes
// and an entry takes at most LONGEST_ENTRY_HEAD bytes besides its label, which a new entry may
// make NEW_LABEL_BYTES long (40 characters of up to 3 bytes each; the room is generous on purpose).
constexpr size_t LONGEST_VALUE_GROWTH = 24;
constexpr size_t LONGEST_ENTRY_HEAD = 32;
constexpr size_t NEW_LABEL_BYTES = 160;

// The number 1..max written right after `prefix` at the start of `key` without leading zeros,
// followed by `rest`; 0 when the key is not of that form.
int numberedKey(std::string_view key, std::string_view prefix, int max, std::string_view& rest)
{
    if (key.substr(0, prefix.size()) != prefix)
        return 0;
    size_t end = prefix.size();
    while (end < key.size() && key[end] >= '0' && key[end] <= '9' && end - prefix.size() < 3)
        ++end;
    const std::string_view digits = key.substr(prefix.size(), end - prefix.size());
    if (digits.empty() || digits[0] == '0')
        return 0;
    const std::optional<int> number = parseWholeNumber(digits, 1, max);
    if (!number)
        return 0;
    rest = key.substr(end);
    return *number;
}

// A line with a CR or LF inside would split in two on reading; such characters become spaces.
std::string oneLine(const std::string& text)
{
    std::string line = text;
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return line;
}

std::string entryValue(const MoneyEntry& entry)
{
    return std::to_string(entry.year) + "," + formatAmount(entry.amount) + "," + oneLine(entry.label);
}

// Applies one line of a known key; false when the key is unknown (the line is then kept).
bool applyKnownLine(std::string_view key, std::string_view value, MoneySettings& settings)
{
    if (key == SAVINGS_BASIS_KEY) {
        if (const std::optional<SavingsBasis> basis = savingsBasisFromWord(std::string(value)))
            settings.savingsBasis = *basis;
        return true;
    }
    if (applyPensionSectionLine(key, value, settings))
        return true;
    for (const Setting& setting : SETTINGS) {
        if (key == setting.key) {
            if (const std::optional<int> parsed = parseNumber(setting.rule, value))
                settings.*setting.field = *parsed;
            return true;
        }
    }

    if (applyTaxSettingLine(key, value, settings.tax))
        return true;
    if (applyHomeLine(key, value, settings.home))
        return true;

    std::string_view rest;
    if (const int index = numberedKey(key, INCOME_PREFIX, MAX_MONEY_ENTRIES, rest); index != 0 && rest.empty()) {
        if (std::optional<MoneyEntry> entry = parseMoneyEntry(value))
            settings.incomes[static_cast<size_t>(index - 1)] = std::move(entry);
        return true;
    }
    if (const int index = numberedKey(key, EXPENSE_PREFIX, MAX_MONEY_ENTRIES, rest); index != 0 && rest.empty()) {
        if (std::optional<MoneyEntry> entry = parseMoneyEntry(value))
            settings.expenses[static_cast<size_t>(index - 1)] = std::move(entry);
        return true;
    }
    if (const int child = numberedKey(key, CHILD_PREFIX, static_cast<int>(settings.children.size()), rest);
        child != 0 && !rest.empty() && rest[0] == '_') {
        const std::string_view stageKey = rest.substr(1);
        ChildEducation& education = settings.children[static_cast<size_t>(child - 1)];
        for (size_t s = 0; s < STAGE_KEYS.size(); ++s) {
            if (stageKey != STAGE_KEYS[s])
                continue;
            const auto stage = static_cast<EducationStage>(s);
            const std::string word(value);
            if (stage == EducationStage::University) {
                if (const std::optional<UniversityChoice> choice = universityChoiceFromWord(word))
                    education.university = *choice;
            } else if (const std::optional<SchoolChoice> choice = schoolChoiceFromWord(word)) {
                education.setSchool(stage, *choice);
            }
            return true;
        }
    }
    return false;
}

} // namespace

std::string formatAmount(int tenths)
{
    const long long magnitude = std::llabs(static_cast<long long>(tenths));
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(magnitude / 10);
    if (magnitude % 10 != 0)
        text += "." + std::to_string(magnitude % 10);
    return text;
}

std::string formatRate(int tenths)
{
    const long long magnitude = std::llabs(static_cast<long long>(tenths));
    std::string text = tenths < 0 ? "-" : "";
    return text + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

std::optional<int> parseTenths(std::string_view text, int min, int max)
{
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        ++i;
    const size_t digitsBegin = i;
    long long whole = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        // Leading zeros are fine; a value past any range only needs to stay out of range.
        if (whole < 1000000000LL)
            whole = whole * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digitsBegin)
        return std::nullopt;
    long long tenths = whole * 10;
    if (i < text.size()) {
        if (text[i] != '.' || i + 2 != text.size() || text[i + 1] < '0' || text[i + 1] > '9')
            return std::nullopt;
        tenths += text[i + 1] - '0';
    }
    if (negative)
        tenths = -tenths;
    if (tenths < min || tenths > max)
        return std::nullopt;
    return static_cast<int>(tenths);
}

std::optional<int> parseNumber(const NumberRule& rule, std::string_view text)
{
    switch (rule.form) {
    case NumberRule::Form::Amount:
    case NumberRule::Form::Rate:
        return parseTenths(text, rule.min, rule.max);
    case NumberRule::Form::Whole:
        return parseWholeNumber(text, rule.min, rule.max);
    case NumberRule::Form::Flag:
        if (text == "0" || text == "1")
            return text == "1" ? 1 : 0;
        return std::nullopt;
    }
    return std::nullopt;
}

std::string formatNumber(const NumberRule& rule, int value)
{
    switch (rule.form) {
    case NumberRule::Form::Amount:
        return formatAmount(value);
    case NumberRule::Form::Rate:
        return formatRate(value);
    case NumberRule::Form::Whole:
    case NumberRule::Form::Flag:
        break;
    }
    return std::to_string(value);
}

std::optional<int> parseWholeNumber(std::string_view text, int min, int max)
{
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        if (value < 1000000000LL)
            value = value * 10 + (c - '0');
    }
    if (value < min || value > max)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<MoneyEntry> parseMoneyEntry(std::string_view value)
{
    const size_t first = value.find(',');
    if (first == std::string_view::npos)
        return std::nullopt;
    const size_t second = value.find(',', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> year = parseWholeNumber(value.substr(0, first), 1, MAX_YEAR);
    const std::optional<int> amount = parseTenths(value.substr(first + 1, second - first - 1), 0, MAX_AMOUNT);
    if (!year || !amount)
        return std::nullopt;
    MoneyEntry entry;
    entry.year = *year;
    entry.amount = *amount;
    entry.label = std::string(value.substr(second + 1));
    return entry;
}

std::vector<std::string> moneySectionLines(const MoneySettings& settings)
{
    std::vector<std::string> lines;
    lines.reserve(SETTINGS.size() + 60 + settings.unknownLines.size());
    lines.emplace_back(MONEY_SECTION_HEADER);
    for (const Setting& setting : SETTINGS) {
        if (setting.field == &MoneySettings::pensionRate)
            appendPensionSectionLines(settings, lines); // the estimate's keys, when a spouse uses it
        lines.push_back(std::string(setting.key) + "=" + formatNumber(setting.rule, settings.*setting.field));
        if (setting.field == &MoneySettings::savingsStart)
            lines.push_back(std::string(SAVINGS_BASIS_KEY) + "=" + savingsBasisWord(settings.savingsBasis));
        if (setting.field == &MoneySettings::pensionRate)
            appendTaxSettingLines(settings.tax, lines);
    }

    for (size_t c = 0; c < settings.children.size(); ++c) {
        const ChildEducation& education = settings.children[c];
        const std::string prefix = std::string(CHILD_PREFIX) + std::to_string(c + 1) + "_";
        for (size_t s = 0; s < STAGE_KEYS.size(); ++s) {
            const auto stage = static_cast<EducationStage>(s);
            const char* word = stage == EducationStage::University ? universityChoiceWord(education.university)
                                                                   : schoolChoiceWord(education.school(stage));
            lines.push_back(prefix + STAGE_KEYS[s] + "=" + word);
        }
    }

    for (size_t i = 0; i < settings.incomes.size(); ++i) {
        if (settings.incomes[i])
            lines.push_back(
                std::string(INCOME_PREFIX) + std::to_string(i + 1) + "=" + entryValue(*settings.incomes[i]));
    }
    for (size_t i = 0; i < settings.expenses.size(); ++i) {
        if (settings.expenses[i]) {
            lines.push_back(
                std::string(EXPENSE_PREFIX) + std::to_string(i + 1) + "=" + entryValue(*settings.expenses[i]));
        }
    }

    appendHomeLines(settings.home, lines);

    for (const std::string& unknown : settings.unknownLines) {
        std::string line = oneLine(unknown);
        if (!line.empty() && line != MONEY_SECTION_END)
            lines.push_back(std::move(line));
    }
    lines.emplace_back(MONEY_SECTION_END);
    return lines;
}

std::optional<MoneySettings> readMoneySection(const std::vector<std::string>& trailing, MoneySectionCut* cut)
{
    if (trailing.empty() || trailing.front() != MONEY_SECTION_HEADER)
        return std::nullopt;
    MoneySettings settings;
    // The first version wrote no basis: its balance was the one at the start of the first year.
    settings.savingsBasis = SavingsBasis::YearStart;
    for (size_t i = 1; i < trailing.size(); ++i) {
        const std::string& line = trailing[i];
        if (line == MONEY_SECTION_END)
            break;
        if (line.empty())
            continue;
        const size_t eq = line.find('=');
        const bool known = eq != std::string::npos
            && applyKnownLine(std::string_view(line).substr(0, eq), std::string_view(line).substr(eq + 1), settings);
        if (!known)
            settings.unknownLines.push_back(line);
    }

    // The room the writer needs besides the kept lines (UTF-8 bytes are never fewer than the
    // CP932 bytes written): every line it writes whatever the settings, each as long as its value
    // may grow, and every entry there may be.
    // 額面 writes its eleven keys besides the others, each spouse's pension estimate its block,
    // a housing loan its keys and up to twenty rate changes and twenty 繰上返済.
    MoneySettings widest;
    widest.tax.incomeBasis = IncomeBasis::Gross;
    widest.husbandPensionEstimate.mode = PensionMode::Record;
    widest.wifePensionEstimate.mode = PensionMode::Record;
    HomeSettings& home = widest.home;
    home.loanYear = 9999;
    for (std::optional<LoanRateChange>& change : home.rateChanges)
        change = LoanRateChange { 9999, 12, 20000 };
    for (std::optional<Prepayment>& prepayment : home.prepayments)
        prepayment = Prepayment { 9999, 12, 999999, PrepaymentKind::LowerPayment };
    const std::vector<std::string> fixed = moneySectionLines(widest);
    const size_t fixedLines = fixed.size();
    const size_t entryLines = settings.incomes.size() + settings.expenses.size();
    size_t roomBytes = entryLines * (LONGEST_ENTRY_HEAD + NEW_LABEL_BYTES);
    for (const std::string& line : fixed)
        roomBytes += line.size() + LONGEST_VALUE_GROWTH;
    for (const auto* entries : { &settings.incomes, &settings.expenses }) {
        for (const std::optional<MoneyEntry>& entry : *entries) {
            if (entry)
                roomBytes += entry->label.size();
        }
    }
    const size_t keptLines = MAX_TRAILING_LINES - fixedLines - entryLines;
    const size_t keptBytes = MAX_TRAILING_BYTES > roomBytes ? MAX_TRAILING_BYTES - roomBytes : 0;
    size_t bytes = 0;
    size_t fitting = 0;
    while (fitting < settings.unknownLines.size() && fitting < keptLines
        && bytes + settings.unknownLines[fitting].size() <= keptBytes)
        bytes += settings.unknownLines[fitting++].size();
    if (cut)
        cut->droppedKept = settings.unknownLines.size() - fitting;
    settings.unknownLines.resize(fitting);
    return settings;
}

void parseMoneySection(const std::vector<std::string>& trailing, FamilyPlan& plan, MoneySectionCut* cut)
{
    plan.money = readMoneySection(trailing, cut);
}

std::string moneySectionCutText(const MoneySectionCut& cut)
{
    std::string text;
    if (cut.firstLine != 0) {
        text += "・ファイルの" + std::to_string(cut.firstLine) + "行目から後の";
        text += cut.unreadCounted ? std::to_string(cut.unreadLines) + "行" : std::string("すべての行");
    }
    if (cut.droppedKept != 0) {
        if (!text.empty())
            text += "\n";
        text += "・このバージョンで使わない行（新しい版の設定など）のうち後ろの" + std::to_string(cut.droppedKept)
            + "行";
    }
    return text;
}

} // namespace harukaze

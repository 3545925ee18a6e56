// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/HomeSection.h"

#include "core/plan/MoneySection.h"

#include <functional>

namespace harukaze {

namespace {

constexpr int MAX_MONTH = 12;

enum class Grammar { Amount, Rate, Year, Month, LoanYears, LoanMonths, LoanRate, Flag };

// One scalar key: its grammar, and how it is read from and written to the settings.
struct HomeKey
{
    const char* key;
    std::function<bool(HomeSettings&, const std::string&)> read;
    std::function<std::string(const HomeSettings&)> write;
};

std::optional<int> parseGrammar(Grammar grammar, const std::string& value)
{
    switch (grammar) {
    case Grammar::Amount:
        return parseTenths(value, 0, MAX_AMOUNT);
    case Grammar::Rate:
        return parseTenths(value, -MAX_RATE, MAX_RATE);
    case Grammar::Year:
        return parseWholeNumber(value, 0, MAX_YEAR);
    case Grammar::Month:
        return parseWholeNumber(value, 1, MAX_MONTH);
    case Grammar::LoanYears:
        return parseWholeNumber(value, 0, MAX_LOAN_YEARS);
    case Grammar::LoanMonths:
        return parseWholeNumber(value, 0, MAX_MONTH - 1);
    case Grammar::LoanRate:
        return parseLoanRate(value);
    case Grammar::Flag:
        if (value == "0" || value == "1")
            return value == "1" ? 1 : 0;
        return std::nullopt;
    }
    return std::nullopt;
}

std::string formatGrammar(Grammar grammar, int value)
{
    switch (grammar) {
    case Grammar::Amount:
        return formatAmount(value);
    case Grammar::Rate:
        return formatRate(value);
    case Grammar::LoanRate:
        return formatLoanRate(value);
    default:
        return std::to_string(value);
    }
}

HomeKey number(const char* key, Grammar grammar, int HomeSettings::*field)
{
    return { key,
        [grammar, field](HomeSettings& home, const std::string& value) {
            const std::optional<int> parsed = parseGrammar(grammar, value);
            if (parsed)
                home.*field = *parsed;
            return parsed.has_value();
        },
        [grammar, field](const HomeSettings& home) { return formatGrammar(grammar, home.*field); } };
}

template <typename Choice>
HomeKey choice(const char* key,
    Choice HomeSettings::*field,
    std::optional<Choice> (*fromWord)(const std::string&),
    const char* (*toWord)(Choice))
{
    return { key,
        [field, fromWord](HomeSettings& home, const std::string& value) {
            const std::optional<Choice> parsed = fromWord(value);
            if (parsed)
                home.*field = *parsed;
            return parsed.has_value();
        },
        [field, toWord](const HomeSettings& home) { return std::string(toWord(home.*field)); } };
}

// The keys in the order they are written.
const std::vector<HomeKey>& homeKeys()
{
    static const std::vector<HomeKey> keys {
        number("RENT", Grammar::Amount, &HomeSettings::rent),
        number("RENT_RATE", Grammar::Rate, &HomeSettings::rentRate),
        number("MOVE_YEAR", Grammar::Year, &HomeSettings::moveYear),
        number("MOVE_MONTH", Grammar::Month, &HomeSettings::moveMonth),
        number("HOUSE_COST", Grammar::Amount, &HomeSettings::houseCost),
        number("HOUSE_COST_RATE", Grammar::Rate, &HomeSettings::houseCostRate),
        number("LOAN_YEAR", Grammar::Year, &HomeSettings::loanYear),
        number("LOAN_MONTH", Grammar::Month, &HomeSettings::loanMonth),
        number("LOAN_AMOUNT", Grammar::Amount, &HomeSettings::loanAmount),
        number("LOAN_YEARS", Grammar::LoanYears, &HomeSettings::loanYears),
        number("LOAN_MONTHS", Grammar::LoanMonths, &HomeSettings::loanMonths),
        choice("LOAN_METHOD", &HomeSettings::loanMethod, loanMethodFromWord, loanMethodWord),
        choice("LOAN_RATE_TYPE", &HomeSettings::loanRateType, loanRateTypeFromWord, loanRateTypeWord),
        number("LOAN_RATE", Grammar::LoanRate, &HomeSettings::loanRate),
        choice("LOAN_DANSHIN", &HomeSettings::insured, loanInsuredFromWord, loanInsuredWord),
        number("CREDIT", Grammar::Flag, &HomeSettings::credit),
        choice("CREDIT_KIND", &HomeSettings::creditKind, creditHouseKindFromWord, creditHouseKindWord),
        choice("CREDIT_NEW", &HomeSettings::creditNew, creditNewFromWord, creditNewWord),
        number("CREDIT_CHILD", Grammar::Flag, &HomeSettings::creditChild),
        number("CREDIT_SMALL", Grammar::Flag, &HomeSettings::creditSmall),
        choice("CREDIT_TAXPAYER", &HomeSettings::creditTaxpayer, creditTaxpayerFromWord, creditTaxpayerWord),
        number("CREDIT_INCOME_TAX", Grammar::Amount, &HomeSettings::creditIncomeTax),
        number("CREDIT_TAXABLE", Grammar::Amount, &HomeSettings::creditTaxable),
        number("CREDIT_RESIDENT_TAX", Grammar::Amount, &HomeSettings::creditResidentTax),
        number("CREDIT_TOTAL_INCOME", Grammar::Amount, &HomeSettings::creditTotalIncome),
    };
    return keys;
}

constexpr std::string_view RATE_PREFIX = "LOAN_RATE";
constexpr std::string_view PREPAY_PREFIX = "PREPAY";

// The entry number 1..20 of "PREFIXn" (n without leading zeros), or 0.
int entryNumber(std::string_view key, std::string_view prefix)
{
    if (key.size() <= prefix.size() || key.substr(0, prefix.size()) != prefix)
        return 0;
    const std::string_view digits = key.substr(prefix.size());
    if (digits.size() > 2 || digits[0] == '0')
        return 0;
    return parseWholeNumber(digits, 1, MAX_LOAN_ENTRIES).value_or(0);
}

std::vector<std::string> splitFields(std::string_view value)
{
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = value.find(',', start);
        fields.emplace_back(
            value.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

} // namespace

std::optional<LoanRateChange> parseLoanRateChange(std::string_view value)
{
    const std::vector<std::string> fields = splitFields(value);
    if (fields.size() != 3)
        return std::nullopt;
    const std::optional<int> year = parseWholeNumber(fields[0], 1, MAX_YEAR);
    const std::optional<int> month = parseWholeNumber(fields[1], 1, MAX_MONTH);
    const std::optional<int> rate = parseLoanRate(fields[2]);
    if (!year || !month || !rate)
        return std::nullopt;
    return LoanRateChange { *year, *month, *rate };
}

std::optional<Prepayment> parsePrepayment(std::string_view value)
{
    const std::vector<std::string> fields = splitFields(value);
    if (fields.size() != 4)
        return std::nullopt;
    const std::optional<int> year = parseWholeNumber(fields[0], 1, MAX_YEAR);
    const std::optional<int> month = parseWholeNumber(fields[1], 1, MAX_MONTH);
    const std::optional<int> amount = parseTenths(fields[2], 0, MAX_AMOUNT);
    const std::optional<PrepaymentKind> kind = prepaymentKindFromWord(fields[3]);
    if (!year || !month || !amount || !kind)
        return std::nullopt;
    return Prepayment { *year, *month, *amount, *kind };
}

bool applyHomeLine(std::string_view key, std::string_view value, HomeSettings& home)
{
    const std::string text(value);
    for (const HomeKey& homeKey : homeKeys()) {
        if (key == homeKey.key) {
            homeKey.read(home, text);
            return true;
        }
    }
    if (const int index = entryNumber(key, RATE_PREFIX)) {
        if (const std::optional<LoanRateChange> entry = parseLoanRateChange(value))
            home.rateChanges[static_cast<size_t>(index - 1)] = entry;
        return true;
    }
    if (const int index = entryNumber(key, PREPAY_PREFIX)) {
        if (const std::optional<Prepayment> entry = parsePrepayment(value))
            home.prepayments[static_cast<size_t>(index - 1)] = entry;
        return true;
    }
    return false;
}

void appendHomeLines(const HomeSettings& home, std::vector<std::string>& lines)
{
    if (home.isDefault())
        return;
    for (const HomeKey& homeKey : homeKeys())
        lines.push_back(std::string(homeKey.key) + "=" + homeKey.write(home));
    for (size_t i = 0; i < home.rateChanges.size(); ++i) {
        if (const std::optional<LoanRateChange>& entry = home.rateChanges[i]) {
            lines.push_back(std::string(RATE_PREFIX) + std::to_string(i + 1) + "=" + std::to_string(entry->year) + ","
                + std::to_string(entry->month) + "," + formatLoanRate(entry->rate));
        }
    }
    for (size_t i = 0; i < home.prepayments.size(); ++i) {
        if (const std::optional<Prepayment>& entry = home.prepayments[i]) {
            lines.push_back(std::string(PREPAY_PREFIX) + std::to_string(i + 1) + "=" + std::to_string(entry->year) + ","
                + std::to_string(entry->month) + "," + formatAmount(entry->amount) + ","
                + prepaymentKindWord(entry->kind));
        }
    }
}

} // namespace harukaze

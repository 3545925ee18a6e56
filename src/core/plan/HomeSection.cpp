// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/HomeSection.h"

#include "core/plan/MoneySection.h"

#include <functional>

namespace harukaze {

namespace {

constexpr int MAX_MONTH = 12;

constexpr NumberRule AMOUNT { NumberRule::Form::Amount, 0, MAX_AMOUNT };
constexpr NumberRule RATE { NumberRule::Form::Rate, -MAX_RATE, MAX_RATE };
constexpr NumberRule YEAR { NumberRule::Form::Whole, 0, MAX_YEAR };
constexpr NumberRule MONTH { NumberRule::Form::Whole, 1, MAX_MONTH };
constexpr NumberRule LOAN_YEARS { NumberRule::Form::Whole, 0, MAX_LOAN_YEARS };
constexpr NumberRule LOAN_MONTHS { NumberRule::Form::Whole, 0, MAX_MONTH - 1 };
constexpr NumberRule FLAG { NumberRule::Form::Flag, 0, 1 };

// One scalar key: how it is read from and written to the settings.
struct HomeKey
{
    const char* key;
    std::function<bool(HomeSettings&, const std::string&)> read;
    std::function<std::string(const HomeSettings&)> write;
};

HomeKey number(const char* key, NumberRule rule, int HomeSettings::*field)
{
    return { key,
        [rule, field](HomeSettings& home, const std::string& value) {
            const std::optional<int> parsed = parseNumber(rule, value);
            if (parsed)
                home.*field = *parsed;
            return parsed.has_value();
        },
        [rule, field](const HomeSettings& home) { return formatNumber(rule, home.*field); } };
}

// The loan's rate, written with three decimals ("0.875").
HomeKey loanRate(const char* key, int HomeSettings::*field)
{
    return { key,
        [field](HomeSettings& home, const std::string& value) {
            const std::optional<int> parsed = parseLoanRate(value);
            if (parsed)
                home.*field = *parsed;
            return parsed.has_value();
        },
        [field](const HomeSettings& home) { return formatLoanRate(home.*field); } };
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
        number("RENT", AMOUNT, &HomeSettings::rent),
        number("RENT_RATE", RATE, &HomeSettings::rentRate),
        number("MOVE_YEAR", YEAR, &HomeSettings::moveYear),
        number("MOVE_MONTH", MONTH, &HomeSettings::moveMonth),
        number("HOUSE_COST", AMOUNT, &HomeSettings::houseCost),
        number("HOUSE_COST_RATE", RATE, &HomeSettings::houseCostRate),
        number("LOAN_YEAR", YEAR, &HomeSettings::loanYear),
        number("LOAN_MONTH", MONTH, &HomeSettings::loanMonth),
        number("LOAN_AMOUNT", AMOUNT, &HomeSettings::loanAmount),
        number("LOAN_YEARS", LOAN_YEARS, &HomeSettings::loanYears),
        number("LOAN_MONTHS", LOAN_MONTHS, &HomeSettings::loanMonths),
        choice("LOAN_METHOD", &HomeSettings::loanMethod, loanMethodFromWord, loanMethodWord),
        choice("LOAN_RATE_TYPE", &HomeSettings::loanRateType, loanRateTypeFromWord, loanRateTypeWord),
        loanRate("LOAN_RATE", &HomeSettings::loanRate),
        choice("LOAN_DANSHIN", &HomeSettings::insured, loanInsuredFromWord, loanInsuredWord),
        number("CREDIT", FLAG, &HomeSettings::credit),
        choice("CREDIT_KIND", &HomeSettings::creditKind, creditHouseKindFromWord, creditHouseKindWord),
        choice("CREDIT_NEW", &HomeSettings::creditNew, creditNewFromWord, creditNewWord),
        number("CREDIT_CHILD", FLAG, &HomeSettings::creditChild),
        number("CREDIT_SMALL", FLAG, &HomeSettings::creditSmall),
        choice("CREDIT_TAXPAYER", &HomeSettings::creditTaxpayer, creditTaxpayerFromWord, creditTaxpayerWord),
        number("CREDIT_INCOME_TAX", AMOUNT, &HomeSettings::creditIncomeTax),
        number("CREDIT_TAXABLE", AMOUNT, &HomeSettings::creditTaxable),
        number("CREDIT_RESIDENT_TAX", AMOUNT, &HomeSettings::creditResidentTax),
        number("CREDIT_TOTAL_INCOME", AMOUNT, &HomeSettings::creditTotalIncome),
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

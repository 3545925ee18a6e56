// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/TaxSettings.h"

#include "core/plan/MoneySection.h"
#include "harukaze/TaxTableData.h"

#include <array>
#include <optional>
#include <tuple>

namespace harukaze {

namespace {

constexpr const char* NET_WORD = "手取り";
constexpr const char* GROSS_WORD = "額面";

enum class Grammar {
    Months, ///< an amount 0 .. 12
    Count, ///< a whole number 0 .. 3
    Flag, ///< exactly "0" or "1"
    Years, ///< a whole number 0 .. 60
    Rate, ///< a rate 0.0 .. 20.0
};

struct Key
{
    const char* key;
    Grammar grammar;
    int TaxSettings::*field;
};

// The keys after INCOME_BASIS and PREFECTURE, in the order they are written.
const std::array<Key, 9> KEYS { {
    { "HUSBAND_BONUS_MONTHS", Grammar::Months, &TaxSettings::husbandBonusMonths },
    { "WIFE_BONUS_MONTHS", Grammar::Months, &TaxSettings::wifeBonusMonths },
    { "HUSBAND_BONUS_COUNT", Grammar::Count, &TaxSettings::husbandBonusCount },
    { "WIFE_BONUS_COUNT", Grammar::Count, &TaxSettings::wifeBonusCount },
    { "HUSBAND_SOCIAL_INSURANCE", Grammar::Flag, &TaxSettings::husbandSocialInsurance },
    { "WIFE_SOCIAL_INSURANCE", Grammar::Flag, &TaxSettings::wifeSocialInsurance },
    { "HUSBAND_SERVICE_YEARS", Grammar::Years, &TaxSettings::husbandServiceYears },
    { "WIFE_SERVICE_YEARS", Grammar::Years, &TaxSettings::wifeServiceYears },
    { "PENSION_HEALTH_RATE", Grammar::Rate, &TaxSettings::pensionHealthRate },
} };

std::optional<int> parse(Grammar grammar, std::string_view value)
{
    switch (grammar) {
    case Grammar::Months:
        return parseTenths(value, 0, MAX_BONUS_MONTHS);
    case Grammar::Count:
        return parseWholeNumber(value, 0, MAX_BONUS_COUNT);
    case Grammar::Flag:
        if (value == "0" || value == "1")
            return value == "1" ? 1 : 0;
        return std::nullopt;
    case Grammar::Years:
        return parseWholeNumber(value, 0, MAX_SERVICE_YEARS);
    case Grammar::Rate:
        return parseTenths(value, 0, MAX_PENSION_HEALTH_RATE);
    }
    return std::nullopt;
}

std::string format(Grammar grammar, int value)
{
    switch (grammar) {
    case Grammar::Months:
        return formatAmount(value);
    case Grammar::Rate:
        return formatRate(value);
    case Grammar::Count:
    case Grammar::Flag:
    case Grammar::Years:
        break;
    }
    return std::to_string(value);
}

auto fields(const TaxSettings& s)
{
    return std::tie(s.incomeBasis,
        s.prefecture,
        s.husbandBonusMonths,
        s.wifeBonusMonths,
        s.husbandBonusCount,
        s.wifeBonusCount,
        s.husbandSocialInsurance,
        s.wifeSocialInsurance,
        s.husbandServiceYears,
        s.wifeServiceYears,
        s.pensionHealthRate);
}

} // namespace

bool operator==(const TaxSettings& a, const TaxSettings& b)
{
    return fields(a) == fields(b);
}

const char* incomeBasisWord(IncomeBasis basis)
{
    return basis == IncomeBasis::Gross ? GROSS_WORD : NET_WORD;
}

const std::vector<std::string>& prefectureNames()
{
    static const std::vector<std::string> names(std::begin(tax_data::PREFECTURES), std::end(tax_data::PREFECTURES));
    return names;
}

int prefectureIndex(std::string_view name)
{
    const std::vector<std::string>& names = prefectureNames();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return static_cast<int>(i);
    }
    return -1;
}

void appendTaxSettingLines(const TaxSettings& settings, std::vector<std::string>& lines)
{
    if (!settings.gross())
        return;
    lines.push_back(std::string("INCOME_BASIS=") + incomeBasisWord(settings.incomeBasis));
    lines.push_back("PREFECTURE=" + settings.prefecture);
    for (const Key& key : KEYS)
        lines.push_back(std::string(key.key) + "=" + format(key.grammar, settings.*key.field));
}

bool applyTaxSettingLine(std::string_view key, std::string_view value, TaxSettings& settings)
{
    if (key == "INCOME_BASIS") {
        if (value == NET_WORD)
            settings.incomeBasis = IncomeBasis::Net;
        else if (value == GROSS_WORD)
            settings.incomeBasis = IncomeBasis::Gross;
        return true;
    }
    if (key == "PREFECTURE") {
        if (prefectureIndex(value) >= 0)
            settings.prefecture = std::string(value);
        return true;
    }
    for (const Key& entry : KEYS) {
        if (key == entry.key) {
            if (const std::optional<int> parsed = parse(entry.grammar, value))
                settings.*entry.field = *parsed;
            return true;
        }
    }
    return false;
}

} // namespace harukaze

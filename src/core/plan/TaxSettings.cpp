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

constexpr NumberRule BONUS_MONTHS { NumberRule::Form::Amount, 0, MAX_BONUS_MONTHS }; // 0 .. 12
constexpr NumberRule BONUS_COUNT { NumberRule::Form::Whole, 0, MAX_BONUS_COUNT }; // 0 .. 3
constexpr NumberRule FLAG { NumberRule::Form::Flag, 0, 1 };
constexpr NumberRule SERVICE_YEARS { NumberRule::Form::Whole, 0, MAX_SERVICE_YEARS }; // 0 .. 60
constexpr NumberRule HEALTH_RATE { NumberRule::Form::Rate, 0, MAX_PENSION_HEALTH_RATE }; // 0.0 .. 20.0

struct Key
{
    const char* key;
    NumberRule rule;
    int TaxSettings::*field;
};

// The keys after INCOME_BASIS and PREFECTURE, in the order they are written.
const std::array<Key, 9> KEYS { {
    { "HUSBAND_BONUS_MONTHS", BONUS_MONTHS, &TaxSettings::husbandBonusMonths },
    { "WIFE_BONUS_MONTHS", BONUS_MONTHS, &TaxSettings::wifeBonusMonths },
    { "HUSBAND_BONUS_COUNT", BONUS_COUNT, &TaxSettings::husbandBonusCount },
    { "WIFE_BONUS_COUNT", BONUS_COUNT, &TaxSettings::wifeBonusCount },
    { "HUSBAND_SOCIAL_INSURANCE", FLAG, &TaxSettings::husbandSocialInsurance },
    { "WIFE_SOCIAL_INSURANCE", FLAG, &TaxSettings::wifeSocialInsurance },
    { "HUSBAND_SERVICE_YEARS", SERVICE_YEARS, &TaxSettings::husbandServiceYears },
    { "WIFE_SERVICE_YEARS", SERVICE_YEARS, &TaxSettings::wifeServiceYears },
    { "PENSION_HEALTH_RATE", HEALTH_RATE, &TaxSettings::pensionHealthRate },
} };

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
        lines.push_back(std::string(key.key) + "=" + formatNumber(key.rule, settings.*key.field));
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
            if (const std::optional<int> parsed = parseNumber(entry.rule, value))
                settings.*entry.field = *parsed;
            return true;
        }
    }
    return false;
}

} // namespace harukaze

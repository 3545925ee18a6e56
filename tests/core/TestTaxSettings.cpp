// SPDX-License-Identifier: GPL-3.0-or-later
// The eleven keys of 額面 income in the money section: written only for 額面, in their place and
// order; read with the last valid line winning.
#include "core/plan/MoneySection.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace harukaze;

namespace {

std::vector<std::string> linesAfterPensionRate(const MoneySettings& settings)
{
    const std::vector<std::string> lines = moneySectionLines(settings);
    const auto pensionRate = std::find_if(
        lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("PENSION_RATE=", 0) == 0; });
    const auto living = std::find_if(
        lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("LIVING=", 0) == 0; });
    EXPECT_NE(pensionRate, lines.end());
    EXPECT_NE(living, lines.end());
    return std::vector<std::string>(pensionRate + 1, living);
}

MoneySettings read(const std::vector<std::string>& body)
{
    std::vector<std::string> section { "HARUKAZE_MONEY(1)" };
    section.insert(section.end(), body.begin(), body.end());
    section.emplace_back("END_MONEY");
    return readMoneySection(section).value();
}

} // namespace

TEST(TestTaxSettings, grossWritesAllElevenKeysBetweenPensionRateAndLiving)
{
    MoneySettings settings;
    settings.tax.incomeBasis = IncomeBasis::Gross;
    settings.tax.prefecture = "大阪府";
    settings.tax.husbandBonusMonths = 40;
    settings.tax.wifeBonusMonths = 45;
    settings.tax.wifeBonusCount = 3;
    settings.tax.wifeSocialInsurance = 0;
    settings.tax.husbandServiceYears = 38;
    EXPECT_EQ(linesAfterPensionRate(settings),
        (std::vector<std::string> { "INCOME_BASIS=額面",
            "PREFECTURE=大阪府",
            "HUSBAND_BONUS_MONTHS=4",
            "WIFE_BONUS_MONTHS=4.5",
            "HUSBAND_BONUS_COUNT=2",
            "WIFE_BONUS_COUNT=3",
            "HUSBAND_SOCIAL_INSURANCE=1",
            "WIFE_SOCIAL_INSURANCE=0",
            "HUSBAND_SERVICE_YEARS=38",
            "WIFE_SERVICE_YEARS=0",
            "PENSION_HEALTH_RATE=0.0" }));
    EXPECT_EQ(read(moneySectionLines(settings)).tax, settings.tax);

    // 手取り: none of them, whatever their values, so such a plan is written as before.
    settings.tax.incomeBasis = IncomeBasis::Net;
    EXPECT_TRUE(linesAfterPensionRate(settings).empty());
    MoneySettings plain;
    plain.tax.incomeBasis = IncomeBasis::Net;
    EXPECT_EQ(moneySectionLines(plain), moneySectionLines(MoneySettings {}));
}

// Each row: the section's lines and the value the setting reads as.
struct KeyRow
{
    std::vector<std::string> lines;
    int TaxSettings::*field;
    int expected;
};

class TaxKeyGrammar : public testing::TestWithParam<KeyRow>
{
};

TEST_P(TaxKeyGrammar, lastValidLineWins)
{
    EXPECT_EQ(read(GetParam().lines).tax.*GetParam().field, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows,
    TaxKeyGrammar,
    testing::Values(KeyRow { { "HUSBAND_BONUS_MONTHS=4.5" }, &TaxSettings::husbandBonusMonths, 45 },
        KeyRow { { "HUSBAND_BONUS_MONTHS=12", "HUSBAND_BONUS_MONTHS=12.1" }, &TaxSettings::husbandBonusMonths, 120 },
        KeyRow { { "WIFE_BONUS_MONTHS=4.50" }, &TaxSettings::wifeBonusMonths, 0 },
        KeyRow { { "WIFE_BONUS_COUNT=0", "WIFE_BONUS_COUNT=4" }, &TaxSettings::wifeBonusCount, 0 },
        KeyRow { { "HUSBAND_BONUS_COUNT=03" }, &TaxSettings::husbandBonusCount, 3 },
        KeyRow {
            { "HUSBAND_SOCIAL_INSURANCE=0", "HUSBAND_SOCIAL_INSURANCE=01" }, &TaxSettings::husbandSocialInsurance, 0 },
        KeyRow { { "WIFE_SOCIAL_INSURANCE=0", "WIFE_SOCIAL_INSURANCE= 1", "WIFE_SOCIAL_INSURANCE=00" },
            &TaxSettings::wifeSocialInsurance,
            0 },
        KeyRow { { "WIFE_SERVICE_YEARS=60", "WIFE_SERVICE_YEARS=61" }, &TaxSettings::wifeServiceYears, 60 },
        KeyRow { { "PENSION_HEALTH_RATE=8.5", "PENSION_HEALTH_RATE=-0.5" }, &TaxSettings::pensionHealthRate, 85 },
        KeyRow { { "PENSION_HEALTH_RATE=20.0", "PENSION_HEALTH_RATE=20.1" }, &TaxSettings::pensionHealthRate, 200 }));

TEST(TestTaxSettings, choicesKeepTheirLastValidWord)
{
    const MoneySettings s = read({ "PREFECTURE=大阪府", "PREFECTURE=大阪", "INCOME_BASIS=額面", "INCOME_BASIS=gross" });
    EXPECT_EQ(s.tax.prefecture, "大阪府");
    EXPECT_TRUE(s.tax.gross());
    EXPECT_TRUE(s.unknownLines.empty()); // invalid lines of known keys are not kept
    EXPECT_FALSE(read({ "INCOME_BASIS=額面", "INCOME_BASIS=手取り" }).tax.gross());
    EXPECT_EQ(read({ "PREFECTURE=北海道 " }).tax.prefecture, "東京都");
}

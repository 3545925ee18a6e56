// SPDX-License-Identifier: GPL-3.0-or-later
// The pension estimate's keys in the money section: written only when a spouse uses an estimate,
// between WIFE_PENSION_AGE and PENSION_RATE, read with the section's rules.
#include "core/io/Cp932.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace harukaze;

namespace {

// A section's lines read back as the Open command reads them.
MoneySettings readLines(std::vector<std::string> lines)
{
    lines.insert(lines.begin(), "HARUKAZE_MONEY(1)");
    const std::optional<MoneySettings> settings = readMoneySection(lines);
    EXPECT_TRUE(settings);
    return settings.value_or(MoneySettings {});
}

size_t indexOf(const std::vector<std::string>& lines, const std::string& line)
{
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

} // namespace

TEST(TestPensionSection, amountModeWritesNothingNew)
{
    MoneySettings money;
    money.husbandPensionEstimate.birthMonthDay = 715; // unused in 金額: not written
    money.husbandPensionEstimate.kiso65 = 780;
    const std::vector<std::string> lines = moneySectionLines(money);
    EXPECT_EQ(lines, moneySectionLines(MoneySettings {}));
}

TEST(TestPensionSection, blocksFollowWifePensionAgeInTheirOrder)
{
    MoneySettings money;
    money.wifePensionEstimate.mode = PensionMode::Record;
    money.wifePensionEstimate.birthMonthDay = 229;
    money.wifePensionEstimate.koseiPayNew = 415;
    money.wifePensionEstimate.recordKind = PensionRecordKind::Public;
    money.husbandPensionEstimate.kiso65 = 780; // he is in 金額: forgotten
    const std::vector<std::string> lines = moneySectionLines(money);
    const size_t first = indexOf(lines, "WIFE_PENSION_AGE=65") + 1;
    ASSERT_LT(first + 28, lines.size());
    const std::vector<std::string> expected { "HUSBAND_PENSION_MODE=金額",
        "HUSBAND_BIRTH_MD=0101",
        "WIFE_PENSION_MODE=加入記録",
        "WIFE_BIRTH_MD=0229",
        "WIFE_KISO_65=0",
        "WIFE_KOSEI_65=0",
        "WIFE_KOSEI_MONTHS=0",
        "WIFE_TEIKI_WORK_AGE=0",
        "WIFE_KISO_MONTHS=480",
        "WIFE_KISO_EXEMPT_FULL=0",
        "WIFE_KISO_EXEMPT_3Q=0",
        "WIFE_KISO_EXEMPT_HALF=0",
        "WIFE_KISO_EXEMPT_1Q=0",
        "WIFE_KISO_EXEMPT_FULL_OLD=0",
        "WIFE_KISO_EXEMPT_3Q_OLD=0",
        "WIFE_KISO_EXEMPT_HALF_OLD=0",
        "WIFE_KISO_EXEMPT_1Q_OLD=0",
        "WIFE_KOSEI_MONTHS_OLD=0",
        "WIFE_KOSEI_PAY_OLD=0",
        "WIFE_KOSEI_MONTHS_NEW=0",
        "WIFE_KOSEI_PAY_NEW=41.5",
        "WIFE_KOSEI_MONTHS_OUT=0",
        "WIFE_FUTURE_PAY=0",
        "WIFE_REEMPLOY_PAY=0",
        "WIFE_KAKYU=1",
        "WIFE_KOSEI_KIND=公務員",
        "WIFE_TOKUBETSU=0",
        "PENSION_RATE=0.0" };
    EXPECT_EQ(std::vector<std::string>(
                  lines.begin() + static_cast<long>(first), lines.begin() + static_cast<long>(first + expected.size())),
        expected);

    // Read back, his figures are gone and hers are the same.
    MoneySettings forgotten = money;
    forgetUnusedPensionFigures(forgotten.husbandPensionEstimate);
    EXPECT_EQ(forgotten.husbandPensionEstimate.kiso65, 0);
    EXPECT_EQ(readLines(std::vector<std::string>(lines.begin() + 1, lines.end() - 1)), forgotten);
}

struct KeyLine
{
    const char* line;
    bool valid; // false: the key keeps its value
};

class PensionKeyGrammar : public testing::TestWithParam<KeyLine>
{
};

TEST_P(PensionKeyGrammar, invalidLinesChangeNothingAndAreNotKept)
{
    const std::string line = GetParam().line;
    const std::string key = line.substr(0, line.find('='));
    MoneySettings base;
    base.husbandPensionEstimate.mode = PensionMode::Statement;
    base.husbandPensionEstimate.birthMonthDay = 1010;
    base.husbandPensionEstimate.kiso65 = 500;
    base.husbandPensionEstimate.koseiMonths = 100;
    std::vector<std::string> lines = moneySectionLines(base);
    lines = std::vector<std::string>(lines.begin() + 1, lines.end() - 1);
    lines.push_back(line);
    const MoneySettings read = readLines(lines);
    EXPECT_TRUE(read.unknownLines.empty());
    std::vector<std::string> written = moneySectionLines(read);
    const bool same = std::find(written.begin(), written.end(), line) != written.end();
    EXPECT_EQ(same, GetParam().valid) << line;
    if (!GetParam().valid) {
        EXPECT_EQ(read, base) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Lines,
    PensionKeyGrammar,
    testing::Values(KeyLine { "HUSBAND_BIRTH_MD=0229", true },
        KeyLine { "HUSBAND_BIRTH_MD=0230", false },
        KeyLine { "HUSBAND_BIRTH_MD=1301", false },
        KeyLine { "HUSBAND_BIRTH_MD=101", false },
        KeyLine { "HUSBAND_BIRTH_MD=0431", false },
        KeyLine { "HUSBAND_PENSION_MODE=加入", false },
        KeyLine { "HUSBAND_PENSION_MODE=加入記録", true },
        KeyLine { "HUSBAND_KISO_65=150", true },
        KeyLine { "HUSBAND_KISO_65=150.1", false },
        KeyLine { "HUSBAND_KOSEI_MONTHS=600", true },
        KeyLine { "HUSBAND_KOSEI_MONTHS=601", false },
        KeyLine { "HUSBAND_KOSEI_MONTHS=+5", false },
        KeyLine { "HUSBAND_KISO_MONTHS=481", false },
        KeyLine { "HUSBAND_TEIKI_WORK_AGE=71", false },
        KeyLine { "HUSBAND_KAKYU=01", false },
        KeyLine { "HUSBAND_KAKYU=0", true },
        KeyLine { "HUSBAND_KOSEI_KIND=公務員", true },
        KeyLine { "HUSBAND_KOSEI_KIND=官", false },
        KeyLine { "HUSBAND_FUTURE_PAY=999.9", true },
        KeyLine { "HUSBAND_FUTURE_PAY=-1", false }));

// SPDX-License-Identifier: GPL-3.0-or-later
// Plans side by side: each indicator worked through by hand from the shown 万円 figures of small
// families whose money moves in whole 万円 (one-time entries, 介護) unless a row says otherwise.
#include "TableTestSupport.h"

#include "core/money/PlanComparison.h"
#include "support/PlanBuilder.h"

#include <gtest/gtest.h>

using namespace harukaze;
using namespace tabletest;

namespace {

constexpr int Y0 = 2026;

void entry(std::array<std::optional<MoneyEntry>, MAX_MONEY_ENTRIES>& entries, int year, int man)
{
    for (std::optional<MoneyEntry>& slot : entries) {
        if (!slot) {
            slot = MoneyEntry { year, man * 10, "" };
            return;
        }
    }
}

// 500万 saved; +200 in 2030, -900 in 2035, -300 in 2040, +1,000 in 2050; no other income or costs
// (the first year has no entry, so either savings basis starts from 500).
MoneySettings shapedSavings()
{
    MoneySettings money;
    money.savingsStart = 5000;
    entry(money.incomes, 2030, 200);
    entry(money.expenses, 2035, 900);
    entry(money.expenses, 2040, 300);
    entry(money.incomes, 2050, 1000);
    return money;
}

// The husband (born 1970: 65 in 2035, 75 in 2045, 90 in 2060), the wife (born 1972) and his father
// (born 1950, dies at 90: 介護 at 88 and 89, 2038 and 2039), whose 介護 the household pays: 9万 a
// month and 48万 once, so 108 + 48 = 156 in 2038 and 108 in 2039.
// Savings: 2026-2029 500; 2030-2034 700; 2035-2037 -200; 2038 -356; 2039 -464; 2040-2049 -764;
// 2050-2076 236 (500 + 1,200 - 1,464).
FamilyPlan worked()
{
    FamilyPlan plan = testplan::PlanBuilder().husband(1970).wife(1972).husbandFather(1950, 90).build();
    plan.money = shapedSavings();
    plan.money->careHusbandParents = 1;
    plan.money->careOnce = 480;
    return plan;
}

// 長男 born 2010, only his 私立文系 university costed at 0.0%: 2028 970,973 + 223,867 = 1,194,840
// yen shows 119; 2029-2031 970,973 shows 97 each.
FamilyPlan universityOnly()
{
    FamilyPlan plan = testplan::PlanBuilder().husband(1980).child(2010).schools(0, 0, 0, 0, 18).build();
    plan.money = MoneySettings {};
    plan.money->educationRate = 0;
    return plan;
}

FamilyPlan wifeOnly()
{
    // The wife alone, born 1968: 65 in 2033 (savings 700), 75 in 2043 (-500), 90 in 2058 (500).
    FamilyPlan plan = testplan::PlanBuilder().wife(1968).build();
    plan.money = shapedSavings();
    return plan;
}

FamilyPlan youngHusband()
{
    // Born 1990: 90 in 2080, after the table's last year 2076.
    FamilyPlan plan = testplan::PlanBuilder().husband(1990).wife(1992).build();
    plan.money = shapedSavings();
    return plan;
}

FamilyPlan childrenOnly()
{
    FamilyPlan plan = testplan::PlanBuilder().child(2020).build();
    plan.money = shapedSavings();
    return plan;
}

FamilyPlan neverNegative()
{
    // 1,000万 saved, 100万 a year of pay and 100万 of living costs at 0.0%: 1,000 every year.
    FamilyPlan plan = testplan::PlanBuilder().husband(1970).build();
    plan.money = MoneySettings {};
    plan.money->savingsStart = 10000;
    plan.money->husbandIncome = 1000;
    plan.money->husbandIncomeRate = 0;
    plan.money->living = 1000;
    plan.money->livingRate = 0;
    return plan;
}

struct IndicatorCase
{
    const char* name;
    FamilyPlan (*plan)();
    Indicator indicator;
    const char* expected;
};

void PrintTo(const IndicatorCase& row, std::ostream* out)
{
    *out << row.name;
}

class TestPlanIndicator : public testing::TestWithParam<IndicatorCase>
{
};

TableContext contextIn(const TempDir& data)
{
    TableContext context;
    context.y0 = Y0;
    context.appDir = data.path();
    return context;
}

} // namespace

TEST_P(TestPlanIndicator, isWorkedOutFromTheShownFigures)
{
    const IndicatorCase& row = GetParam();
    TempDir data;
    const FamilyPlan plan = row.plan();
    const ComparedPlan compared = comparedPlan("A.HRZ", plan, contextIn(data));
    EXPECT_EQ(compared.at(row.indicator).text, row.expected) << indicatorLabel(row.indicator);
}

INSTANTIATE_TEST_SUITE_P(Rows,
    TestPlanIndicator,
    testing::Values(
        // The lowest of the 51 balances, -764 (500 + 200 - 900 - 156 - 108 - 300), first in 2040.
        IndicatorCase { "lowest", worked, Indicator::LowestSavings, "-764" },
        IndicatorCase { "lowestYear", worked, Indicator::LowestSavingsYear, "2040" },
        // 700 - 900 = -200 in 2035 is the first balance below 0.
        IndicatorCase { "firstNegative", worked, Indicator::FirstNegativeYear, "2035" },
        // The husband is the 世帯主: 1970 + 65 = 2035 (-200), 1970 + 75 = 2045 (-764), 1970 + 90 = 2060 (236).
        IndicatorCase { "at65", worked, Indicator::SavingsAt65, "-200" },
        IndicatorCase { "at75", worked, Indicator::SavingsAt75, "-764" },
        IndicatorCase { "at90", worked, Indicator::SavingsAt90, "236" },
        // 2076: -764 + 1,000.
        IndicatorCase { "final", worked, Indicator::FinalSavings, "236" },
        // 200 + 1,000; 900 + 156 + 108 + 300; the 介護 156 + 108.
        IndicatorCase { "income", worked, Indicator::IncomeSum, "1200" },
        IndicatorCase { "expense", worked, Indicator::ExpenseSum, "1464" },
        IndicatorCase { "care", worked, Indicator::CareSum, "264" },
        // 119 + 97 × 3 = 410 from the shown figures (the yen, 4,107,759, would round to 411).
        IndicatorCase { "education", universityOnly, Indicator::EducationSum, "410" },
        IndicatorCase { "wifeAt65", wifeOnly, Indicator::SavingsAt65, "700" },
        IndicatorCase { "wifeAt75", wifeOnly, Indicator::SavingsAt75, "-500" },
        IndicatorCase { "wifeAt90", wifeOnly, Indicator::SavingsAt90, "500" },
        IndicatorCase { "youngAt90AfterTheTable", youngHusband, Indicator::SavingsAt90, "" },
        IndicatorCase { "noHeadOfHousehold", childrenOnly, Indicator::SavingsAt65, "" },
        IndicatorCase { "neverNegative", neverNegative, Indicator::FirstNegativeYear, "なし" },
        // Every year is 1,000: the first of them is the lowest.
        IndicatorCase { "flatLowestYear", neverNegative, Indicator::LowestSavingsYear, "2026" }),
    [](const testing::TestParamInfo<IndicatorCase>& info) { return std::string(info.param.name); });

TEST(TestPlanComparison, differencesAndCsvOfTwoPlans)
{
    TempDir data;
    const TableContext context = contextIn(data);
    const PlanComparison comparison = comparePlans(
        { comparedPlan("案A.HRZ", worked(), context), comparedPlan("案B, 賃貸.HRZ", wifeOnly(), context) });

    // Plan B minus plan A: final 500 - 236 = 264; at 65 700 - (-200) = 900; years have no difference.
    EXPECT_EQ(indicatorDifference(comparison, 1, Indicator::FinalSavings), 264);
    EXPECT_EQ(indicatorDifference(comparison, 1, Indicator::SavingsAt65), 900);
    EXPECT_EQ(indicatorDifference(comparison, 1, Indicator::FirstNegativeYear), std::nullopt);
    EXPECT_EQ(indicatorDifference(comparison, 0, Indicator::FinalSavings), std::nullopt);

    const std::string csv = cp932ToUtf8(planComparisonCsvBytes(comparison));
    const std::string expectedStart = "項目,案A.HRZ,\"案B, 賃貸.HRZ\"\r\n"
                                      "最小の貯蓄残高,-764,-500\r\n"
                                      "最小の年,2040,2040\r\n"
                                      "初めてマイナスになる年,2035,2035\r\n"
                                      "世帯主65歳の貯蓄残高,-200,700\r\n"
                                      "世帯主75歳の貯蓄残高,-764,-500\r\n"
                                      "世帯主90歳の貯蓄残高,236,500\r\n"
                                      "最終年の貯蓄残高,236,500\r\n"
                                      "収入の合計,1200,1200\r\n"
                                      "支出の合計,1464,1200\r\n"
                                      "教育費の合計,0,0\r\n"
                                      "介護費の合計,264,0\r\n"
                                      "2026,500,500\r\n";
    EXPECT_EQ(csv.substr(0, expectedStart.size()), expectedStart);
    EXPECT_NE(csv.find("\r\n2038,-356,-200\r\n"), std::string::npos);
    const std::string expectedEnd = "\r\n2076,236,500\r\n";
    EXPECT_EQ(csv.substr(csv.size() - expectedEnd.size()), expectedEnd);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + INDICATORS + TABLE_YEARS);
}

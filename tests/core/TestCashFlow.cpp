// SPDX-License-Identifier: GPL-3.0-or-later
// The cash-flow table worked through by hand: each test sets up a small family, and the expected
// figures follow from the settings with the arithmetic written beside them. Amounts grow exactly
// and are rounded once, to whole 万円, where the table shows them; totals and savings add up the
// shown figures.
#include "TableTestSupport.h"

#include "core/money/CashFlow.h"
#include "core/money/EducationCosts.h"

#include <gtest/gtest.h>

using namespace harukaze;
using namespace tabletest;

namespace {

constexpr int Y0 = 2026;

// The year's column of a row of the table.
int col(int year)
{
    return year - Y0;
}

TableContext contextIn(const std::string& appDir)
{
    TableContext context;
    context.y0 = Y0;
    context.appDir = appDir;
    return context;
}

TableModel tableOf(const FamilyPlan& plan, const TempDir& data)
{
    return buildLifeCycleTable(plan, contextIn(data.path()));
}

// The shown figures of `plan` with `money`, over the plan's built table.
CashFlowFigures figuresOf(const FamilyPlan& plan, const MoneySettings& money, const TempDir& data)
{
    return computeCashFlow(plan, money, tableOf(plan, data));
}

// A row's exact value in a year, in whole yen (exact for rows without growth).
struct ExactRows
{
    CashFlowLedger ledger;
    int64_t operator()(MoneyRow row, int year) const { return roundToYen(ledger.exact(row, col(year)), col(year)); }
};

ExactRows exactOf(const FamilyPlan& plan, const MoneySettings& money, const TempDir& data)
{
    return ExactRows { startCashFlow(money, tableOf(plan, data)) };
}

} // namespace

TEST(TestCashFlow, childThroughPublicSchoolAndPrivateHumanitiesUniversity)
{
    // 長女, born 2023: 幼稚園 at 4 (2027, 2028: E − K = 2 years), 小学校 at 6 (2029-2034),
    // 中学校 at 12 (2035-2037), 高校 at 15 (2038-2040), 大学 at 18 (2041-2044).
    FamilyPlan plan;
    plan.ST1_CHILDREN = 1;
    plan.ST1_CHILDREN_NOW = 1;
    plan.ST3_COUNT = 1;
    plan.mtx2(1, MTX2_ZOKUGARA) = "長女";
    plan.mtx1(1, MTX1_BIRTH_YEAR) = 2023;
    plan.mtx1(1, MTX1_KINDERGARTEN) = 4;
    plan.mtx1(1, MTX1_ELEMENTARY) = 6;
    plan.mtx1(1, MTX1_JUNIOR_HIGH) = 12;
    plan.mtx1(1, MTX1_HIGH_SCHOOL) = 15;
    plan.mtx1(1, MTX1_UNIVERSITY) = 18;
    plan.money = MoneySettings {}; // 公立 four times, then 私立文系
    plan.money->educationRate = 0;
    TempDir data;

    const ExactRows flat = exactOf(plan, *plan.money, data);
    auto education = [&flat](int year) { return flat(MoneyRow::Education, year); };
    EXPECT_EQ(education(2026), 0); // age 3
    EXPECT_EQ(education(2027), 184646); // 幼稚園 公立 学習費総額
    EXPECT_EQ(education(2028), 184646);
    EXPECT_EQ(education(2029), 366599); // 小学校 公立, six years
    EXPECT_EQ(education(2034), 366599);
    EXPECT_EQ(education(2035), 542450); // 中学校 公立, three years
    EXPECT_EQ(education(2037), 542450);
    EXPECT_EQ(education(2038), 596954); // 高校 公立, three years
    EXPECT_EQ(education(2040), 596954);
    EXPECT_EQ(education(2041), 1194840); // 授業料 827,135 + 施設設備費 143,838 + 入学料 223,867
    EXPECT_EQ(education(2042), 970973); // 827,135 + 143,838
    EXPECT_EQ(education(2044), 970973);
    EXPECT_EQ(education(2045), 0); // four years only
    // Nothing else costs money: 1,194,840 yen shows 119万円, the total and the balance follow it.
    const CashFlowFigures shown = figuresOf(plan, *plan.money, data);
    EXPECT_EQ(shown.man(MoneyRow::Education, col(2041)), 119);
    EXPECT_EQ(shown.man(MoneyRow::ExpenseTotal, col(2041)), 119);
    EXPECT_EQ(shown.man(MoneyRow::Balance, col(2041)), -119);

    // At 1.0% a year each stage-year's fee grows exactly from the first year of the table:
    // 2027: 184,646 × 1.01 = 186,492.46; 2028: 184,646 × 1.01² = 188,357.3846;
    // 2041 (n = 15): 1,194,840 × 1.01¹⁵ = 1,387,172.1466… (rounded every year it would be 1,387,170).
    plan.money->educationRate = 10;
    const ExactRows grown = exactOf(plan, *plan.money, data);
    EXPECT_EQ(grown(MoneyRow::Education, 2027), 186492);
    EXPECT_EQ(grown(MoneyRow::Education, 2028), 188357);
    EXPECT_EQ(grown(MoneyRow::Education, 2041), 1387172);
    EXPECT_EQ(figuresOf(plan, *plan.money, data).man(MoneyRow::Education, col(2041)), 139); // 138.717…万円

    // 私立医歯 lasts six years with its own 入学料: 3,744,279 + 1,077,425 in 2041, then 3,744,279.
    plan.money->educationRate = 0;
    plan.money->children[0].university = UniversityChoice::PrivateMedical;
    plan.money->children[0].elementary = SchoolChoice::None;
    const ExactRows medical = exactOf(plan, *plan.money, data);
    EXPECT_EQ(medical(MoneyRow::Education, 2029), 0); // なし costs nothing
    EXPECT_EQ(medical(MoneyRow::Education, 2041), 4821704);
    EXPECT_EQ(medical(MoneyRow::Education, 2046), 3744279);
    EXPECT_EQ(medical(MoneyRow::Education, 2047), 0);
    EXPECT_EQ(universityYears(plan, 1), 6);
}

TEST(TestCashFlow, stageLengthsAndOverlaps)
{
    // Child born 2026 with 幼稚園 at 3 and 小学校 at 6: three kindergarten years (2029-2031).
    // A second child whose 小学校 entry is not shown (0) keeps two kindergarten years and pays no
    // 小学校; its 中学校 entry at 12 overlaps a 高校 entry at 13, and both are paid.
    FamilyPlan plan;
    plan.ST1_CHILDREN = 1;
    plan.ST1_CHILDREN_NOW = 1;
    plan.ST1_CHILDREN_FUTURE = 1;
    plan.mtx1(1, MTX1_BIRTH_YEAR) = 2026;
    plan.mtx1(1, MTX1_KINDERGARTEN) = 3;
    plan.mtx1(1, MTX1_ELEMENTARY) = 6;
    plan.mtx1(2, MTX1_BIRTH_YEAR) = 2020;
    plan.mtx1(2, MTX1_KINDERGARTEN) = 4;
    plan.mtx1(2, MTX1_JUNIOR_HIGH) = 12;
    plan.mtx1(2, MTX1_HIGH_SCHOOL) = 13;
    MoneySettings money;
    money.educationRate = 0;
    money.children[1].university = UniversityChoice::None;
    TempDir data;
    const ExactRows exact = exactOf(plan, money, data);
    auto education = [&exact](int year) { return exact(MoneyRow::Education, year); };
    EXPECT_EQ(education(2026), 0); // child 2 is 6: no 小学校 entry, kindergarten was 2024-2025
    EXPECT_EQ(education(2029), 184646); // child 1 kindergarten, first of three years
    EXPECT_EQ(education(2031), 184646);
    EXPECT_EQ(education(2032), 542450 + 366599); // child 2 中学校 (2032-2034), child 1 小学校 (2032-2037)
    EXPECT_EQ(education(2033), 542450 + 596954 + 366599); // and child 2's 高校 (2033-2035)
    EXPECT_EQ(education(2035), 596954 + 366599);
    EXPECT_EQ(education(2036), 366599);
    // The row is rounded once, over both children: 1,506,003 yen shows 151万円.
    EXPECT_EQ(figuresOf(plan, money, data).man(MoneyRow::Education, col(2033)), 151);

    // Children out of the table pay nothing, whatever their choices.
    plan.ST1_CHILDREN = 0;
    EXPECT_EQ(figuresOf(plan, money, data).man(MoneyRow::Education, col(2033)), 0);
}

TEST(TestCashFlow, retirementWithSeveranceReemploymentAndPension)
{
    // Husband born 1968 (58 in 2026), retiring at 60 in 2028.
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1968;
    plan.ST2_HUSBAND_RETIRE_AGE = 60;
    plan.ST2_WIFE_BIRTH_YEAR = 1970;
    plan.ST2_WIFE_RETIRE_AGE = 60;
    MoneySettings money;
    money.husbandIncome = 5000; // 500万円 at 2.0% a year
    money.husbandIncomeRate = 20;
    money.husbandSeverance = 20000; // 2,000万円
    money.husbandReemployIncome = 3000; // 300万円 flat, ages 60 to 64
    money.husbandReemployEndAge = 65;
    money.husbandPension = 2000; // 200万円 from 65 (2033), at 0.5% a year from 2026 on
    money.pensionRate = 5;
    money.wifeIncome = 1000; // the wife is not in the table: none of hers counts
    money.wifePension = 1000;
    TempDir data;
    const ExactRows at = exactOf(plan, money, data);

    EXPECT_EQ(at(MoneyRow::HusbandIncome, 2026), 5000000);
    EXPECT_EQ(at(MoneyRow::HusbandIncome, 2027), 5100000); // 5,000,000 × 1.02
    EXPECT_EQ(at(MoneyRow::HusbandIncome, 2028), 3000000); // 60 = R: 再雇用
    EXPECT_EQ(at(MoneyRow::Severance, 2028), 20000000);
    EXPECT_EQ(at(MoneyRow::Severance, 2029), 0);
    EXPECT_EQ(at(MoneyRow::HusbandIncome, 2032), 3000000); // 64
    EXPECT_EQ(at(MoneyRow::HusbandIncome, 2033), 0); // 65: 再雇用 stops
    EXPECT_EQ(at(MoneyRow::Pension, 2032), 0);
    // 2,000,000 × 1.005⁷ = 2,071,058.79…; × 1.005⁸ = 2,081,414.09… (exact, not rounded every year).
    EXPECT_EQ(at(MoneyRow::Pension, 2033), 2071059);
    EXPECT_EQ(at(MoneyRow::Pension, 2034), 2081414);
    EXPECT_EQ(at.ledger.husband.pension[static_cast<size_t>(col(2033))], at.ledger.exact(MoneyRow::Pension, col(2033)));
    EXPECT_EQ(at.ledger.husband.severance[static_cast<size_t>(col(2028))], flatYen(20000000, col(2028)));
    EXPECT_EQ(at(MoneyRow::WifeIncome, 2026), 0);
    EXPECT_FALSE(at.ledger.wife.inTable);
    const CashFlowFigures f = figuresOf(plan, money, data);
    EXPECT_EQ(f.man(MoneyRow::IncomeTotal, col(2028)), 2300); // 再雇用 300 + 退職金 2,000
    EXPECT_EQ(f.man(MoneyRow::Pension, col(2033)), 207);
    // Pension runs on past the 寿命 year: the plan assumes a long life.
    EXPECT_GT(f.man(MoneyRow::Pension, col(2076)), 0);

    // No retirement age: the pay grows on through all 51 years, with no severance.
    plan.ST2_HUSBAND_RETIRE_AGE = 0;
    const ExactRows never = exactOf(plan, money, data);
    EXPECT_EQ(never(MoneyRow::HusbandIncome, 2028), 5202000); // 5,000,000 × 1.02²
    EXPECT_EQ(never(MoneyRow::Severance, 2028), 0);
}

struct GrowthCase
{
    const char* name;
    int tenths; // the amount in tenths of 万円
    int rateTenths;
    int years;
    int64_t shown; // 万円
};

class TestCashFlowGrowth : public ::testing::TestWithParam<GrowthCase>
{
};

TEST_P(TestCashFlowGrowth, growsExactlyAndRoundsOnceWhereShown)
{
    // The husband's pay as the grown row; nobody retires.
    const GrowthCase& c = GetParam();
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1990;
    MoneySettings money;
    money.husbandIncome = c.tenths;
    money.husbandIncomeRate = c.rateTenths;
    TempDir data;
    EXPECT_EQ(figuresOf(plan, money, data).man(MoneyRow::HusbandIncome, c.years), c.shown);
}

INSTANTIATE_TEST_SUITE_P(TestCashFlow,
    TestCashFlowGrowth,
    ::testing::Values(
        // 175万 × 1.01⁸ = 189.49992…万: 189 (rounding every year would give 190).
        GrowthCase { "textbook", 1750, 10, 8, 189 },
        // 0.5万 × 1.01² = 0.51005万: 1, and 0.5万 itself is a half: 1.
        GrowthCase { "halfUp", 5, 10, 0, 1 },
        GrowthCase { "justOverHalf", 5, 10, 2, 1 },
        // 0.5万 × 0.9 = 0.45万: 0.
        GrowthCase { "shrinksBelowHalf", 5, -100, 1, 0 },
        // 99999.9万 × 1.1⁵⁰ = 11,739,073.548…万: the largest value still exact.
        GrowthCase { "largest", 999999, 100, 50, 11739074 }),
    [](const ::testing::TestParamInfo<GrowthCase>& info) { return std::string(info.param.name); });

TEST(TestCashFlow, totalsAddTheShownFigures)
{
    // 基本生活費 0.6万 and その他支出 0.6万, flat: each shows 1, so 支出合計 shows 2 (not 1.2 → 1).
    FamilyPlan plan;
    MoneySettings money;
    money.living = 6;
    money.livingRate = 0;
    money.other = 6;
    money.otherRate = 0;
    money.incomes[0] = MoneyEntry { 2026, 6, "" }; // 一時的収入 0.6万: 1
    TempDir data;
    const CashFlowFigures f = figuresOf(plan, money, data);
    EXPECT_EQ(f.man(MoneyRow::Living, 0), 1);
    EXPECT_EQ(f.man(MoneyRow::Other, 0), 1);
    EXPECT_EQ(f.man(MoneyRow::ExpenseTotal, 0), 2);
    EXPECT_EQ(f.man(MoneyRow::IncomeTotal, 0), 1);
    EXPECT_EQ(f.man(MoneyRow::Balance, 0), -1); // 1 − 2
    EXPECT_EQ(f.man(MoneyRow::Balance, 1), -2);
    // 年末 (the default): the first year's balance is the one given, 0; then 0 − 2.
    EXPECT_EQ(f.man(MoneyRow::Savings, 0), 0);
    EXPECT_EQ(f.man(MoneyRow::Savings, 1), -2);
    EXPECT_EQ(f.rows.size(), static_cast<size_t>(MONEY_ROWS));
}

struct SavingsCase
{
    const char* name;
    int start; // SAVINGS_START in tenths of 万円
    SavingsBasis basis;
    int investRate;
    int64_t first; // 貯蓄残高 of the first three years
    int64_t second;
    int64_t third;
};

class TestCashFlowSavings : public ::testing::TestWithParam<SavingsCase>
{
};

TEST_P(TestCashFlowSavings, growsFromTheShownFigureOfTheYearBefore)
{
    // 基本生活費 10万円 flat, nothing else: 年間収支 −10 every year.
    const SavingsCase& c = GetParam();
    FamilyPlan plan;
    MoneySettings money;
    money.savingsStart = c.start;
    money.savingsBasis = c.basis;
    money.investRate = c.investRate;
    money.living = 100;
    money.livingRate = 0;
    money.otherRate = 0;
    TempDir data;
    const CashFlowFigures f = figuresOf(plan, money, data);
    EXPECT_EQ(f.man(MoneyRow::Balance, 0), -10);
    EXPECT_EQ(f.man(MoneyRow::Savings, 0), c.first);
    EXPECT_EQ(f.man(MoneyRow::Savings, 1), c.second);
    EXPECT_EQ(f.man(MoneyRow::Savings, 2), c.third);
}

INSTANTIATE_TEST_SUITE_P(TestCashFlow,
    TestCashFlowSavings,
    ::testing::Values(
        // 年末 500万 at 1.0%: 500 as given; 500 × 1.01 = 505 − 10 = 495; 495 × 1.01 = 499.95 → 500 − 10 = 490.
        SavingsCase { "yearEnd", 5000, SavingsBasis::YearEnd, 10, 500, 495, 490 },
        // 年初 500万 at 1.0%: 500 × 1.01 = 505 − 10 = 495; 499.95 → 500 − 10 = 490; 494.9 → 495 − 10 = 485.
        SavingsCase { "yearStart", 5000, SavingsBasis::YearStart, 10, 495, 490, 485 },
        // 年末 −100万 at 2.5%: −100; −100 × 1.025 = −102.5 → −103 (half away from zero) − 10 = −113;
        // −113 × 1.025 = −115.825 → −116 − 10 = −126. A debt costs the same rate.
        SavingsCase { "negativeWithAHalf", -1000, SavingsBasis::YearEnd, 25, -100, -113, -126 },
        // 年初 −100万 at 2.5%: −102.5 → −103 − 10 = −113; −115.825 → −116 − 10 = −126; −129.15 → −129 − 10.
        SavingsCase { "negativeYearStart", -1000, SavingsBasis::YearStart, 25, -113, -126, -139 },
        // 年末 12.5万: the given balance is shown rounded, 13, and grows from 13: 13 − 10 = 3.
        SavingsCase { "givenHalf", 125, SavingsBasis::YearEnd, 0, 13, 3, -7 }),
    [](const ::testing::TestParamInfo<SavingsCase>& info) { return std::string(info.param.name); });

TEST(TestCashFlow, careFollowsTheParentsColumns)
{
    // 夫側父 born 1946 with an entered 寿命 of 83: 介護 at 81 (2027) and 82 (2028).
    // 夫側母 born 1950 from the data file, which says 90 for every age: 介護 at 88 (2038), 89 (2039).
    // 妻側父 born 1950 with 寿命 80: his side is not paid by the household.
    // 妻側母 born 1946 with 寿命 81 is not in the table.
    FamilyPlan plan;
    plan.ST1_HUSBAND_FATHER = 1;
    plan.ST1_HUSBAND_MOTHER = 1;
    plan.ST1_WIFE_FATHER = 1;
    plan.ST4_FATHER_BIRTH_YEAR = 1946;
    plan.ST4_FATHER_LIFESPAN = 83;
    plan.ST4_MOTHER_BIRTH_YEAR = 1950;
    plan.ST4_MOTHER_LIFE_STAT = 1;
    plan.ST5_FATHER_BIRTH_YEAR = 1950;
    plan.ST5_FATHER_LIFESPAN = 80;
    plan.ST5_MOTHER_BIRTH_YEAR = 1946;
    plan.ST5_MOTHER_LIFESPAN = 81;
    plan.money = MoneySettings {};
    plan.money->careHusbandParents = 1; // 月々 9.0万円, 一時的 47.2万円 by default
    TempDir data;
    data.write(FEMALE_FILE, uniformLifeFile(90));
    const CashFlowTable table = buildCashFlowTable(plan, contextIn(data.path()));
    const CashFlowFigures& f = table.figures;

    EXPECT_EQ(f.man(MoneyRow::Care, col(2026)), 0);
    EXPECT_EQ(f.man(MoneyRow::Care, col(2027)), 155); // 90,000 × 12 + 472,000 = 155.2万
    EXPECT_EQ(f.man(MoneyRow::Care, col(2028)), 108); // 90,000 × 12; 妻側父's 78 is not paid
    EXPECT_EQ(f.man(MoneyRow::Care, col(2029)), 0);
    EXPECT_EQ(f.man(MoneyRow::Care, col(2038)), 155);
    EXPECT_EQ(f.man(MoneyRow::Care, col(2039)), 108);
    // The money falls in the years the table shows 介護 for those parents.
    const CashFlowRow& events = table.rows.at(static_cast<size_t>(table.rowIndex(MoneyRow::HusbandIncome) - 1));
    EXPECT_EQ(events.label, "家族のイベント");
    EXPECT_NE(events.cells[static_cast<size_t>(col(2027))].find("夫側父 介　護"), std::string::npos);
    EXPECT_NE(events.cells[static_cast<size_t>(col(2039))].find("夫側母 介　護"), std::string::npos);

    // The first 介護 year before the table: its one-time cost is lost, the second year is paid.
    plan.ST4_FATHER_LIFESPAN = 81; // 介護 at 79 (2025) and 80 (2026)
    plan.money->careWifeParents = 1; // now 妻側父 (78 in 2028, 79 in 2029) counts too
    const ExactRows g = exactOf(plan, *plan.money, data);
    EXPECT_EQ(g(MoneyRow::Care, 2026), 1080000);
    EXPECT_EQ(g(MoneyRow::Care, 2027), 0);
    EXPECT_EQ(g(MoneyRow::Care, 2028), 1552000);
    EXPECT_EQ(g(MoneyRow::Care, 2029), 1080000);
}

TEST(TestCashFlow, livingHousingInsuranceAndOneTimeEntries)
{
    FamilyPlan plan;
    MoneySettings money;
    money.living = 3000; // 300万円 at 1.0%
    money.housing = 1200; // 120万円 until 2028
    money.housingEndYear = 2028;
    money.insurance = 240; // 24万円 flat until 2027
    money.insuranceEndYear = 2027;
    money.other = 5; // 0.5万円 at 1.0%: 5,000 × 1.01² = 5,100.5 yen in 2028
    money.incomes[0] = MoneyEntry { 2027, 100, "祝い金" };
    money.incomes[1] = MoneyEntry { 2027, 5, "" };
    money.incomes[2] = MoneyEntry { 2025, 100, "before the table" };
    money.incomes[3] = MoneyEntry { 2077, 100, "after the table" };
    money.expenses[9] = MoneyEntry { 2076, 2500, "車" };
    TempDir data;
    const ExactRows exact = exactOf(plan, money, data);
    EXPECT_EQ(exact(MoneyRow::Living, 2027), 3030000);
    EXPECT_EQ(exact(MoneyRow::Other, 2028), 5101); // 5,100.5 to the yen, for a module's input
    EXPECT_EQ(exact(MoneyRow::Housing, 2028), 1200000);
    EXPECT_EQ(exact(MoneyRow::Housing, 2029), 0);
    EXPECT_EQ(exact(MoneyRow::Insurance, 2027), 240000);
    EXPECT_EQ(exact(MoneyRow::Insurance, 2028), 0);
    EXPECT_EQ(exact(MoneyRow::OneTimeIncome, 2027), 105000); // 100,000 + 5,000
    EXPECT_EQ(exact(MoneyRow::OneTimeIncome, 2026), 0);
    EXPECT_EQ(exact(MoneyRow::OneTimeExpense, 2076), 2500000);
    const CashFlowFigures f = figuresOf(plan, money, data);
    EXPECT_EQ(f.man(MoneyRow::OneTimeIncome, col(2027)), 11); // 10.5万, half away from zero
    int64_t income = 0;
    for (int n = 0; n < TABLE_YEARS; ++n)
        income += f.man(MoneyRow::OneTimeIncome, n);
    EXPECT_EQ(income, 11) << "entries outside 2026-2076 add nothing";
}

TEST(TestCashFlow, aModuleRowCountsInItsTotalFromItsShownFigure)
{
    // What a tax module does: 所得税 1.4万 and 住民税 1.4万 show 1 each; 可処分所得 = 収入合計 − 1 − 1.
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1990;
    MoneySettings money;
    money.husbandIncome = 3000;
    money.husbandIncomeRate = 0;
    TempDir data;
    CashFlowLedger ledger = startCashFlow(money, tableOf(plan, data));
    ledger.include(MoneyRow::Disposable);
    ledger.addYen(MoneyRow::IncomeTax, 0, 14000);
    ledger.addYen(MoneyRow::ResidentTax, 0, 14000);
    ledger.addYen(MoneyRow::LoanBalance, 0, 25000000); // in no total
    const CashFlowFigures f = finishCashFlow(ledger, money);
    const std::vector<MoneyRow> expectedRows { MoneyRow::HusbandIncome,
        MoneyRow::WifeIncome,
        MoneyRow::Severance,
        MoneyRow::Pension,
        MoneyRow::OneTimeIncome,
        MoneyRow::IncomeTotal,
        MoneyRow::Disposable,
        MoneyRow::IncomeTax,
        MoneyRow::ResidentTax,
        MoneyRow::Living,
        MoneyRow::Housing,
        MoneyRow::Insurance,
        MoneyRow::Other,
        MoneyRow::Education,
        MoneyRow::Care,
        MoneyRow::OneTimeExpense,
        MoneyRow::ExpenseTotal,
        MoneyRow::Balance,
        MoneyRow::Savings,
        MoneyRow::LoanBalance };
    EXPECT_EQ(f.rows, expectedRows);
    EXPECT_EQ(f.man(MoneyRow::IncomeTotal, 0), 300);
    EXPECT_EQ(f.man(MoneyRow::Disposable, 0), 298); // 300 − 1 − 1
    EXPECT_EQ(f.man(MoneyRow::ExpenseTotal, 0), 2); // 1 + 1, not round(2.8) = 3
    EXPECT_EQ(f.man(MoneyRow::Balance, 0), 298);
    EXPECT_EQ(f.man(MoneyRow::LoanBalance, 0), 2500);
    EXPECT_EQ(f.man(MoneyRow::Savings, 0), 0); // 年末: the balance given, the year's flow already in it
    EXPECT_EQ(f.man(MoneyRow::Savings, 1), 300); // 0 + 300 (no tax added in year 1)
}

TEST(TestCashFlow, rowsFollowTheLifeCycleTable)
{
    // Husband born 1964 and a son to be born in 2029, in a plan without money settings.
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST1_CHILDREN = 1;
    plan.ST1_CHILDREN_NOW = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1964;
    plan.ST2_HUSBAND_RETIRE_AGE = 65;
    plan.ST2_HUSBAND_RETIRE = 1;
    plan.ST2_HUSBAND_LIFESPAN = 80;
    plan.ST3_COUNT = 1;
    plan.mtx2(1, MTX2_ZOKUGARA) = "長男,\"A\"";
    plan.mtx1(1, MTX1_BIRTH_YEAR) = 2029;
    plan.mtx1(1, MTX1_KINDERGARTEN) = 4;
    TempDir data; // no data files: the son's 介護 and 寿命 fall around his birth
    const CashFlowTable table = buildCashFlowTable(plan, contextIn(data.path()));
    EXPECT_FALSE(table.hasMoneySettings);
    ASSERT_EQ(table.rows.size(), 3u + 2u + 1u + 16u);
    EXPECT_EQ(table.rows[2].cells[0], "08");
    EXPECT_EQ(table.rows[3].cells[0], "62");
    EXPECT_EQ(table.rows[4].label, "長男,\"A\"");
    EXPECT_EQ(table.rows[4].cells[0], "-3");
    EXPECT_EQ(table.rows[4].cells[3], "0");
    const CashFlowRow& events = table.rows[5];
    EXPECT_EQ(events.cells[col(2027)], "長男,\"A\" 介　護"); // the son's age −2 without data files
    // Column order, each part the label and the cell after its age, no spaces around ／.
    EXPECT_EQ(events.cells[col(2029)], "夫 長男,\"A\"誕生 定年／長男,\"A\" 寿　命");
    EXPECT_EQ(events.cells[col(2030)], "");
    EXPECT_EQ(table.row(MoneyRow::HusbandIncome).rate, "1.0%");
    // At the defaults the son's 幼稚園 (2033, n = 7, 公立 at 1.0%) is 184,646 × 1.01⁷ = 197,965.50…
    // yen, shown as 20万円, and the savings (年末, 0 given) fall by it.
    EXPECT_EQ(table.figures.man(MoneyRow::Education, col(2033)), 20);
    EXPECT_EQ(table.row(MoneyRow::Education).cells[col(2033)], "20");
    EXPECT_EQ(table.row(MoneyRow::Savings).cells[col(2033)], "-20");
    EXPECT_EQ(table.row(MoneyRow::HusbandIncome).cells[0], "0");

    // The CSV: label, rate, 51 values; a field with a comma or quote is quoted; CP932, CR LF.
    const std::string csv = cp932ToUtf8(cashFlowCsvBytes(table));
    const std::vector<std::string> lines = [&csv] {
        std::vector<std::string> split;
        for (size_t pos = 0, end; (end = csv.find("\r\n", pos)) != std::string::npos; pos = end + 2)
            split.push_back(csv.substr(pos, end - pos));
        return split;
    }();
    ASSERT_EQ(lines.size(), table.rows.size());
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
    auto startsWith = [](const std::string& line, const std::string& start) { return line.rfind(start, 0) == 0; };
    EXPECT_TRUE(startsWith(lines[0], "経過年数,,0,1,2,")) << lines[0];
    EXPECT_TRUE(startsWith(lines[4], "\"長男,\"\"A\"\"\",,-3,-2,-1,0,1,")) << lines[4];
    EXPECT_TRUE(startsWith(lines[6], "夫の収入,1.0%,0,0,")) << lines[6];
    EXPECT_TRUE(startsWith(lines[21], "貯蓄残高,0.0%,")) << lines[21];
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The cash-flow table worked through by hand: each test sets up a small family, and the expected
// yen follow from the settings with the arithmetic written beside them.
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

    const CashFlowFigures flat = computeCashFlow(plan, *plan.money, contextIn(data.path()));
    auto education = [&flat](int year) { return flat.at(MoneyRow::Education, col(year)); };
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
    // Nothing else costs money, so every year's balance is minus the education.
    EXPECT_EQ(flat.at(MoneyRow::ExpenseTotal, col(2041)), 1194840);
    EXPECT_EQ(flat.at(MoneyRow::Balance, col(2041)), -1194840);

    // At 1.0% a year each stage-year's fee grows from the first year of the table, rounded yearly:
    // 2027: 184,646 × 1.01 = 186,492.46 → 186,492; 2028: 186,492 × 1.01 = 188,356.92 → 188,357;
    // 2041 (n = 15): 1,194,840 → 1,206,788 → 1,218,856 → … → 1,373,436 → 1,387,170.
    plan.money->educationRate = 10;
    const CashFlowFigures grown = computeCashFlow(plan, *plan.money, contextIn(data.path()));
    EXPECT_EQ(grown.at(MoneyRow::Education, col(2027)), 186492);
    EXPECT_EQ(grown.at(MoneyRow::Education, col(2028)), 188357);
    EXPECT_EQ(grown.at(MoneyRow::Education, col(2041)), 1387170);

    // 私立医歯 lasts six years with its own 入学料: 3,744,279 + 1,077,425 in 2041, then 3,744,279.
    plan.money->educationRate = 0;
    plan.money->children[0].university = UniversityChoice::PrivateMedical;
    plan.money->children[0].elementary = SchoolChoice::None;
    const CashFlowFigures medical = computeCashFlow(plan, *plan.money, contextIn(data.path()));
    EXPECT_EQ(medical.at(MoneyRow::Education, col(2029)), 0); // なし costs nothing
    EXPECT_EQ(medical.at(MoneyRow::Education, col(2041)), 4821704);
    EXPECT_EQ(medical.at(MoneyRow::Education, col(2046)), 3744279);
    EXPECT_EQ(medical.at(MoneyRow::Education, col(2047)), 0);
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
    const CashFlowFigures f = computeCashFlow(plan, money, contextIn(data.path()));
    auto education = [&f](int year) { return f.at(MoneyRow::Education, col(year)); };
    EXPECT_EQ(education(2026), 0); // child 2 is 6: no 小学校 entry, kindergarten was 2024-2025
    EXPECT_EQ(education(2029), 184646); // child 1 kindergarten, first of three years
    EXPECT_EQ(education(2031), 184646);
    EXPECT_EQ(education(2032), 542450 + 366599); // child 2 中学校 (2032-2034), child 1 小学校 (2032-2037)
    EXPECT_EQ(education(2033), 542450 + 596954 + 366599); // and child 2's 高校 (2033-2035)
    EXPECT_EQ(education(2035), 596954 + 366599);
    EXPECT_EQ(education(2036), 366599);

    // Children out of the table pay nothing, whatever their choices.
    plan.ST1_CHILDREN = 0;
    EXPECT_EQ(computeCashFlow(plan, money, contextIn(data.path())).at(MoneyRow::Education, col(2033)), 0);
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
    const CashFlowFigures f = computeCashFlow(plan, money, contextIn(data.path()));
    auto at = [&f](MoneyRow row, int year) { return f.at(row, col(year)); };

    EXPECT_EQ(at(MoneyRow::HusbandIncome, 2026), 5000000);
    EXPECT_EQ(at(MoneyRow::HusbandIncome, 2027), 5100000); // 5,000,000 × 1.02
    EXPECT_EQ(at(MoneyRow::HusbandIncome, 2028), 3000000); // 60 = R: 再雇用
    EXPECT_EQ(at(MoneyRow::Severance, 2028), 20000000);
    EXPECT_EQ(at(MoneyRow::Severance, 2029), 0);
    EXPECT_EQ(at(MoneyRow::HusbandIncome, 2032), 3000000); // 64
    EXPECT_EQ(at(MoneyRow::HusbandIncome, 2033), 0); // 65: 再雇用 stops
    EXPECT_EQ(at(MoneyRow::Pension, 2032), 0);
    // 2,000,000 grown seven times by 0.5%: 2,010,000; 2,020,050; 2,030,150.25 → 2,030,150;
    // 2,040,300.75 → 2,040,301; 2,050,502.505 → 2,050,503; 2,060,755.515 → 2,060,756;
    // 2,071,059.78 → 2,071,060. And once more in 2034: 2,081,415.3 → 2,081,415.
    EXPECT_EQ(at(MoneyRow::Pension, 2033), 2071060);
    EXPECT_EQ(at(MoneyRow::Pension, 2034), 2081415);
    EXPECT_EQ(at(MoneyRow::IncomeTotal, 2028), 23000000); // 再雇用 + 退職金
    EXPECT_EQ(at(MoneyRow::WifeIncome, 2026), 0);
    // Pension runs on past the 寿命 year: the plan assumes a long life.
    EXPECT_GT(at(MoneyRow::Pension, 2076), 0);

    // No retirement age: the pay grows on through all 51 years, with no severance.
    plan.ST2_HUSBAND_RETIRE_AGE = 0;
    const CashFlowFigures never = computeCashFlow(plan, money, contextIn(data.path()));
    EXPECT_EQ(never.at(MoneyRow::HusbandIncome, col(2028)), 5202000); // 5,100,000 × 1.02
    EXPECT_EQ(never.at(MoneyRow::Severance, col(2028)), 0);
}

TEST(TestCashFlow, aNegativeBalancePaysTheRateAsInterest)
{
    // No members: 貯蓄残高 −100万円 at 2.5%, 基本生活費 10万円 flat.
    FamilyPlan plan;
    MoneySettings money;
    money.savingsStart = -1000;
    money.investRate = 25;
    money.living = 100;
    money.livingRate = 0;
    money.otherRate = 0;
    TempDir data;
    const CashFlowFigures f = computeCashFlow(plan, money, contextIn(data.path()));
    // 2026: −1,000,000 × 1.025 = −1,025,000, − 100,000 = −1,125,000.
    // 2027: −1,125,000 × 1.025 = −1,153,125, − 100,000 = −1,253,125.
    // 2028: −1,253,125 × 1.025 = −1,284,453.125 → −1,284,453, − 100,000 = −1,384,453.
    EXPECT_EQ(f.at(MoneyRow::Balance, 0), -100000);
    EXPECT_EQ(f.at(MoneyRow::Savings, 0), -1125000);
    EXPECT_EQ(f.at(MoneyRow::Savings, 1), -1253125);
    EXPECT_EQ(f.at(MoneyRow::Savings, 2), -1384453);
    EXPECT_EQ(formatManYen(-1125000), "-113"); // −112.5万円, half away from zero
    EXPECT_EQ(formatManYen(-1253125), "-125");

    // Halves round away from zero on both sides: ±1,000,020 × 1.025 = ±1,025,020.5.
    EXPECT_EQ(growOneYear(-1000020, 25), -1025021);
    EXPECT_EQ(growOneYear(1000020, 25), 1025021);
    EXPECT_EQ(growOneYear(-1000019, 25), -1025019); // −1,025,019.475
    EXPECT_EQ(grow(1000, -100, 2), 810); // 1,000 × 0.9 × 0.9
    EXPECT_EQ(formatManYen(-4999), "0"); // never "-0"
    EXPECT_EQ(formatManYen(-5000), "-1");
    EXPECT_EQ(formatManYen(15000), "2");
}

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

    EXPECT_EQ(f.at(MoneyRow::Care, col(2026)), 0);
    EXPECT_EQ(f.at(MoneyRow::Care, col(2027)), 1552000); // 90,000 × 12 + 472,000
    EXPECT_EQ(f.at(MoneyRow::Care, col(2028)), 1080000); // 90,000 × 12; 妻側父's 78 is not paid
    EXPECT_EQ(f.at(MoneyRow::Care, col(2029)), 0);
    EXPECT_EQ(f.at(MoneyRow::Care, col(2038)), 1552000);
    EXPECT_EQ(f.at(MoneyRow::Care, col(2039)), 1080000);
    // The money falls in the years the table shows 介護 for those parents.
    const CashFlowRow& events = table.rows.at(static_cast<size_t>(table.rowIndex(MoneyRow::HusbandIncome) - 1));
    EXPECT_EQ(events.label, "家族のイベント");
    EXPECT_NE(events.cells[static_cast<size_t>(col(2027))].find("夫側父 介　護"), std::string::npos);
    EXPECT_NE(events.cells[static_cast<size_t>(col(2039))].find("夫側母 介　護"), std::string::npos);

    // The first 介護 year before the table: its one-time cost is lost, the second year is paid.
    plan.ST4_FATHER_LIFESPAN = 81; // 介護 at 79 (2025) and 80 (2026)
    plan.money->careWifeParents = 1; // now 妻側父 (78 in 2028, 79 in 2029) counts too
    const CashFlowFigures g = computeCashFlow(plan, *plan.money, contextIn(data.path()));
    EXPECT_EQ(g.at(MoneyRow::Care, col(2026)), 1080000);
    EXPECT_EQ(g.at(MoneyRow::Care, col(2027)), 0);
    EXPECT_EQ(g.at(MoneyRow::Care, col(2028)), 1552000);
    EXPECT_EQ(g.at(MoneyRow::Care, col(2029)), 1080000);
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
    money.other = 5; // 0.5万円 at 1.0%: 5,000 → 5,050 → 5,100.5 → 5,101 (half up)
    money.incomes[0] = MoneyEntry { 2027, 100, "祝い金" };
    money.incomes[1] = MoneyEntry { 2027, 5, "" };
    money.incomes[2] = MoneyEntry { 2025, 100, "before the table" };
    money.incomes[3] = MoneyEntry { 2077, 100, "after the table" };
    money.expenses[9] = MoneyEntry { 2076, 2500, "車" };
    TempDir data;
    const CashFlowFigures f = computeCashFlow(plan, money, contextIn(data.path()));
    EXPECT_EQ(f.at(MoneyRow::Living, 1), 3030000);
    EXPECT_EQ(f.at(MoneyRow::Other, 2), 5101);
    EXPECT_EQ(f.at(MoneyRow::Housing, col(2028)), 1200000);
    EXPECT_EQ(f.at(MoneyRow::Housing, col(2029)), 0);
    EXPECT_EQ(f.at(MoneyRow::Insurance, col(2027)), 240000);
    EXPECT_EQ(f.at(MoneyRow::Insurance, col(2028)), 0);
    EXPECT_EQ(f.at(MoneyRow::OneTimeIncome, col(2027)), 105000); // 100,000 + 5,000
    EXPECT_EQ(f.at(MoneyRow::OneTimeIncome, col(2026)), 0);
    EXPECT_EQ(f.at(MoneyRow::OneTimeExpense, col(2076)), 2500000);
    int64_t income = 0;
    for (int n = 0; n < TABLE_YEARS; ++n)
        income += f.at(MoneyRow::OneTimeIncome, n);
    EXPECT_EQ(income, 105000) << "entries outside 2026-2076 add nothing";
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
    // At the defaults the son's 幼稚園 (2033, n = 7, 公立 at 1.0%) is 184,646 grown seven times,
    // 197,965 yen, shown as 20万円, and the savings fall by it.
    EXPECT_EQ(table.figures.at(MoneyRow::Education, col(2033)), 197965);
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

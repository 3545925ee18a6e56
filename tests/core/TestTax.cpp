// SPDX-License-Identifier: GPL-3.0-or-later
// 所得税, 住民税 and 社会保険料 of one year checked against published figures (国税庁's 2026 給与所得
// table and 速算表, 協会けんぽ 東京都 rates) and against the steps worked by hand beside each row.
#include "core/money/Tax.h"
#include "core/money/TaxYears.h"
#include "core/plan/MoneySettings.h"
#include "core/plan/TaxSettings.h"
#include "core/table/TableBuilder.h"
#include "support/PlanBuilder.h"

#include <gtest/gtest.h>

using namespace harukaze;

namespace {

constexpr int Y = 2026;

int prefecture(const char* name)
{
    return prefectureIndex(name);
}

TaxPersonInput employee(int age, int64_t pay, int bonusMonths = 0)
{
    TaxPersonInput person;
    person.inTable = true;
    person.age = age;
    person.pay = pay;
    person.bonusMonths = bonusMonths;
    return person;
}

TaxYearInput couple(const TaxPersonInput& husband, const TaxPersonInput& wife, std::vector<int> childAges = {})
{
    TaxYearInput input;
    input.year = Y;
    input.prefecture = prefecture("東京都");
    input.childAges = std::move(childAges);
    input.spouses = { husband, wife };
    return input;
}

TaxPersonInput absent()
{
    return TaxPersonInput {};
}

struct Pair
{
    int64_t in;
    int64_t out;
};

} // namespace

// 給与所得控除後の給与等の金額, 令和8年分: the rows as printed, with the edges of each band.
class SalaryIncome : public testing::TestWithParam<Pair>
{
};

TEST_P(SalaryIncome, followsThe2026Table)
{
    EXPECT_EQ(salaryIncome(GetParam().in, Y), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Rows,
    SalaryIncome,
    testing::Values(Pair { 740999, 0 }, // below the 74万 minimum deduction
        Pair { 741000, 1000 }, // 741,000 − 740,000
        Pair { 2190999, 1450999 }, // 2,190,999 − 740,000
        Pair { 2191000, 1451000 }, // printed row 2,191,000–2,192,999
        Pair { 2192999, 1451000 },
        Pair { 2193000, 1453000 }, // printed row 2,193,000–2,195,999
        Pair { 2196000, 1456000 }, // printed row 2,196,000–2,199,999
        Pair { 2199999, 1456000 },
        Pair { 2200000, 1460000 }, // 550 × 2,800 − 80,000
        Pair { 3599999, 2437200 }, // 899 × 2,800 − 80,000
        Pair { 3600000, 2440000 }, // 900 × 3,200 − 440,000
        Pair { 6599999, 4836800 }, // 1,649 × 3,200 − 440,000
        Pair { 6600000, 4840000 }, // 6,600,000 × 90 % − 1,100,000
        Pair { 8499999, 6549999 }, // 7,649,999.1 → 7,649,999, − 1,100,000
        Pair { 8500000, 6550000 })); // 8,500,000 − 1,950,000

// 所得税の速算表: 基準所得税額 of a 課税所得.
class IncomeTaxTable : public testing::TestWithParam<Pair>
{
};

TEST_P(IncomeTaxTable, followsTheQuickTable)
{
    EXPECT_EQ(baseIncomeTax(GetParam().in, Y), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Rows,
    IncomeTaxTable,
    testing::Values(Pair { 7000000, 974000 }, // 国税庁's example: 7,000,000 × 23 % − 636,000
        Pair { 1950000, 97500 }, // 5 %
        Pair { 1951000, 97600 }, // 1,951,000 × 10 % − 97,500
        Pair { 50000000, 17704000 })); // 50,000,000 × 45 % − 4,796,000

// 標準報酬月額 at the edges of the grades: 健康保険 (58,000 … 1,390,000), 厚生年金 (88,000 … 650,000).
struct Grade
{
    int64_t monthly;
    int64_t health;
    int64_t pension;
};

class StandardMonthly : public testing::TestWithParam<Grade>
{
};

TEST_P(StandardMonthly, fallsInTheGrade)
{
    EXPECT_EQ(standardHealthMonthly(GetParam().monthly, Y), GetParam().health);
    EXPECT_EQ(standardPensionMonthly(GetParam().monthly, Y), GetParam().pension);
}

INSTANTIATE_TEST_SUITE_P(Edges,
    StandardMonthly,
    testing::Values(Grade { 0, 58000, 88000 },
        Grade { 62999, 58000, 88000 },
        Grade { 63000, 68000, 88000 },
        Grade { 92999, 88000, 88000 },
        Grade { 93000, 98000, 98000 },
        Grade { 634999, 620000, 620000 },
        Grade { 635000, 650000, 650000 },
        Grade { 665000, 680000, 650000 },
        Grade { 1354999, 1330000, 650000 },
        Grade { 1355000, 1390000, 650000 }));

TEST(TestTax, employeeShareDropsHalfAYenAndCountsMore)
{
    EXPECT_EQ(employeeShare(78000, 9850), 3841); // 78,000 × 9.85 % / 2 = 3,841.5 → 3,841
    EXPECT_EQ(employeeShare(98000, 10130), 4964); // 98,000 × 10.13 % / 2 = 4,963.7 → 4,964
    EXPECT_EQ(employeeShare(300000, 18300), 27450); // exact
}

TEST(TestTax, pensionPremiumOnMonthlyPayAndTwoBonuses)
{
    // 30万 a month and two bonuses of 60万: G = 4,800,000 with 4.0 bonus months.
    // M = 48,000,000 div 160 = 300,000; B = 1,200,000 in two payments of 600,000.
    // 厚生年金 18.3 %: 300,000 × 18.3 % / 2 = 27,450 × 12 = 329,400; 600,000 × 18.3 % / 2 = 54,900 × 2.
    const TaxYearResult year = computeTaxYear(couple(employee(45, 4800000, 40), absent()));
    const TaxBreakdown& h = year.of(Spouse::Husband);
    EXPECT_EQ(h.monthlyPay, 300000);
    EXPECT_EQ(h.bonuses, (std::vector<int64_t> { 600000, 600000 }));
    EXPECT_EQ(h.pensionPremium, 329400 + 109800);
}

TEST(TestTax, bonusSplitGivesTheRestToTheLastPayment)
{
    // G = 5,000,000 at 4.5 months: M = 50,000,000 div 165 = 303,030; B = 5,000,000 − 3,636,360 = 1,363,640;
    // three payments: 454,546 twice (1,363,640 div 3), the last 1,363,640 − 909,092 = 454,548.
    TaxPersonInput person = employee(30, 5000000, 45);
    person.bonusCount = 3;
    const TaxBreakdown h = computeTaxYear(couple(person, absent())).of(Spouse::Husband);
    EXPECT_EQ(h.monthlyPay, 303030);
    EXPECT_EQ(h.bonuses, (std::vector<int64_t> { 454546, 454546, 454548 }));
}

TEST(TestTax, healthBonusCapCountsTheCalendarYear)
{
    // G = 30,000,000 at 12 months: M = 300,000,000 div 240 = 1,250,000 (SH 1,270,000); B = 15,000,000,
    // two bonuses of 7,500,000. 健康保険 takes 5,730,000 of the first and nothing of the second;
    // 厚生年金 1,500,000 of each. At 45, 東京都 9.85 % + 介護 1.62 % = 11.47 %:
    // monthly 1,270,000 × 11.47 % / 2 = 72,834.5 → 72,834 × 12 = 874,008; bonus 5,730,000 × 11.47 % / 2
    // = 328,615.5 → 328,615. 厚生年金 SP 650,000: 59,475 × 12 = 713,700 + 2 × 137,250.
    const TaxBreakdown h = computeTaxYear(couple(employee(45, 30000000, 120), absent())).of(Spouse::Husband);
    EXPECT_EQ(h.standardHealth, 1270000);
    EXPECT_EQ(h.healthPremium, 874008 + 328615);
    EXPECT_EQ(h.pensionPremium, 713700 + 274500);
}

// Membership by age for 30万 a month, no bonus, 東京都:
// 健保 300,000 × 9.85 % / 2 = 14,775 (× 12 = 177,300); with 介護 11.47 %: 17,205 (× 12 = 206,460);
// 支援金 300,000 × 0.23 % / 2 = 345 × 9 months = 3,105; 厚生年金 27,450 × 12 = 329,400;
// 雇用保険 300,000 × 0.5 % = 1,500 × 12 = 18,000.
struct AgeRow
{
    int age;
    int64_t health;
    int64_t support;
    int64_t pension;
    int64_t employment;
};

class MembershipByAge : public testing::TestWithParam<AgeRow>
{
};

TEST_P(MembershipByAge, chargesThePremiumsOfTheAge)
{
    const AgeRow& row = GetParam();
    const TaxBreakdown h = computeTaxYear(couple(employee(row.age, 3600000), absent())).of(Spouse::Husband);
    EXPECT_EQ(h.healthPremium, row.health);
    EXPECT_EQ(h.supportPremium, row.support);
    EXPECT_EQ(h.pensionPremium, row.pension);
    EXPECT_EQ(h.employmentPremium, row.employment);
    EXPECT_EQ(h.socialInsurance, row.health + row.support + row.pension + row.employment);
}

INSTANTIATE_TEST_SUITE_P(Ages,
    MembershipByAge,
    testing::Values(AgeRow { 39, 177300, 3105, 329400, 18000 },
        AgeRow { 40, 206460, 3105, 329400, 18000 }, // 介護保険 from 40
        AgeRow { 64, 206460, 3105, 329400, 18000 },
        AgeRow { 65, 177300, 3105, 329400, 18000 }, // 介護 as 第1号, outside the pay
        AgeRow { 70, 177300, 3105, 0, 18000 }, // no 厚生年金 from 70
        AgeRow { 75, 0, 0, 0, 18000 })); // 後期高齢者医療: no 健康保険

// 公的年金等控除 by age and the pensioner's premium at 10.0 % (G = 0, so not covered by 協会けんぽ).
struct PensionRow
{
    int age;
    int64_t pension;
    int64_t deduction;
    int64_t income;
};

class PublicPension : public testing::TestWithParam<PensionRow>
{
};

TEST_P(PublicPension, deductsByAgeAndAmount)
{
    const PensionRow& row = GetParam();
    TaxPersonInput person = employee(row.age, 0);
    person.pension = row.pension;
    TaxYearInput input = couple(person, absent());
    input.pensionHealthRate = 100;
    const TaxBreakdown h = computeTaxYear(input).of(Spouse::Husband);
    EXPECT_EQ(h.pensionDeduction, row.deduction);
    EXPECT_EQ(h.pensionIncome, row.income);
    EXPECT_EQ(h.pensionerPremium, row.pension / 10);
    EXPECT_EQ(h.socialInsurance, row.pension / 10);
}

INSTANTIATE_TEST_SUITE_P(Ages,
    PublicPension,
    testing::Values(PensionRow { 64, 1300000, 600000, 700000 }, // minimum under 65
        PensionRow { 64, 2000000, 775000, 1225000 }, // 2,000,000 × 25 % + 275,000
        PensionRow { 65, 2000000, 1100000, 900000 }, // minimum from 65
        PensionRow { 65, 3300001, 1100001, 2200000 }, // ceil(3,300,001 × 25 %) = 825,001 + 275,000
        PensionRow { 70, 500000, 1100000, 0 }));

TEST(TestTax, salaryAndPensionAdjustmentTakesUpTo100000)
{
    // Pay 1,240,000 → K = 500,000; pension 2,000,000 at 66 with other income 500,000:
    // Z = 2,000,000 − 1,100,000 = 900,000; A2 = 100,000 + 100,000 − 100,000 = 100,000; K2 = 400,000.
    TaxPersonInput person = employee(66, 1240000);
    person.pension = 2000000;
    const TaxBreakdown h = computeTaxYear(couple(person, absent())).of(Spouse::Husband);
    EXPECT_EQ(h.pensionAdjustment, 100000);
    EXPECT_EQ(h.adjustedSalaryIncome, 400000);
    EXPECT_EQ(h.combinedIncome, 1300000);
}

TEST(TestTax, childAdjustmentForHighPayWhileAChildIsUnder23)
{
    // G = 9,000,000: K = 7,050,000; A1 = ceil((9,000,000 − 8,500,000) / 10) = 50,000 → 7,000,000.
    // Each spouse qualifies on their own; a child of 23 does not count.
    const TaxYearResult both = computeTaxYear(couple(employee(50, 9000000), employee(50, 9000000), { 22 }));
    EXPECT_EQ(both.of(Spouse::Husband).childAdjustment, 50000);
    EXPECT_EQ(both.of(Spouse::Wife).childAdjustment, 50000);
    EXPECT_EQ(both.of(Spouse::Wife).adjustedSalaryIncome, 7000000);
    EXPECT_EQ(computeTaxYear(couple(employee(50, 9000000), absent(), { 23 })).of(Spouse::Husband).childAdjustment, 0);
    // Capped at 150,000 from 10,000,000 of pay.
    EXPECT_EQ(
        computeTaxYear(couple(employee(50, 12000000), absent(), { 5 })).of(Spouse::Husband).childAdjustment, 150000);
}

// 退職所得 and its taxes, withheld in the year of the 退職金.
struct SeveranceRow
{
    int64_t severance;
    int years;
    int64_t retirementIncome;
    int64_t incomeTax;
    int64_t residentTax;
};

class Severance : public testing::TestWithParam<SeveranceRow>
{
};

TEST_P(Severance, isTaxedApart)
{
    const SeveranceRow& row = GetParam();
    TaxPersonInput person = employee(60, 0);
    person.severance = row.severance;
    person.serviceYears = row.years;
    const TaxBreakdown h = computeTaxYear(couple(person, absent())).of(Spouse::Husband);
    EXPECT_EQ(h.retirementIncome, row.retirementIncome);
    EXPECT_EQ(h.retirementIncomeTax, row.incomeTax);
    EXPECT_EQ(h.retirementResidentTax, row.residentTax);
    EXPECT_EQ(h.incomeTaxTotal, row.incomeTax); // 退職所得 does not reach the year's 課税所得
    EXPECT_EQ(h.takeHome, row.severance - row.incomeTax - row.residentTax);
}

INSTANTIATE_TEST_SUITE_P(Rows,
    Severance,
    testing::Values(
        // 2,000万 after 30 years: 控除 8,000,000 + 700,000 × 10 = 15,000,000; R = 5,000,000 / 2 = 2,500,000;
        // 2,500,000 × 10 % − 97,500 = 152,500 × 1.021 = 155,702.5 → 155,702;
        // 住民税 2,500,000 × 4 % = 100,000 + × 6 % = 150,000.
        SeveranceRow { 20000000, 30, 2500000, 155702, 250000 },
        // 3 years, 5,000,000: 控除 1,200,000; x = 3,800,000 > 3,000,000 (短期): 1,500,000 + 800,000;
        // 2,300,000 × 10 % − 97,500 = 132,500 × 1.021 = 135,282.5; 92,000 + 138,000.
        SeveranceRow { 5000000, 3, 2300000, 135282, 230000 },
        // 1 year: 控除 800,000; 1,000,001 → x = 200,001, R = 100,000; TR 100,000: 5,000 × 1.021 = 5,105.
        SeveranceRow { 1000001, 1, 100000, 5105, 10000 },
        SeveranceRow { 800000, 1, 0, 0, 0 }));

TEST(TestTax, familyOfFourWorkedThrough)
{
    // 東京都, husband 45 with G = 4,800,000 (30万 a month + 60万 × 2), wife 43 without income,
    // children 10 and 17.
    const TaxYearResult year = computeTaxYear(couple(employee(45, 4800000, 40), employee(43, 0), { 10, 17 }));
    const TaxBreakdown& h = year.of(Spouse::Husband);
    // 健保+介護 11.47 %: 17,205 × 12 + 34,410 × 2 = 275,280; 支援金 345 × 9 + 690 × 2 = 4,485;
    // 厚生年金 439,200; 雇用 1,500 × 12 + 3,000 × 2 = 24,000; total 742,965.
    EXPECT_EQ(h.healthPremium, 275280);
    EXPECT_EQ(h.supportPremium, 4485);
    EXPECT_EQ(h.socialInsurance, 742965);
    // K = 1,200 × 3,200 − 440,000 = 3,400,000. 所得税: 3,400,000 − (742,965 + 基礎 1,040,000 + 配偶者
    // 380,000 + 扶養 (17) 380,000) = 857,035 → 857,000; × 5 % = 42,850 × 1.021 = 43,749.85 → 43,700.
    EXPECT_TRUE(h.claimsFamily);
    EXPECT_EQ(h.spouseDeduction, 380000);
    EXPECT_EQ(h.taxableIncome, 857000);
    EXPECT_EQ(h.baseIncomeTax, 42850);
    EXPECT_EQ(h.incomeTax, 43700);
    // 住民税: 3,400,000 − (742,965 + 430,000 + 330,000 + 330,000) → 1,567,000; H = 50,000 + (380,000 −
    // 330,000) + 50,000 = 150,000; 県 1,567,000 × 4 % − 150,000 × 2 % = 59,680 → 59,600; 市 94,020 −
    // 4,500 = 89,520 → 89,500; 均等割 1,000 + 3,000 + 森林環境税 1,000. Four persons (wife, both children).
    EXPECT_EQ(h.persons, 4);
    EXPECT_EQ(h.residentTaxable, 1567000);
    EXPECT_EQ(h.adjustmentBase, 150000);
    EXPECT_EQ(h.prefectureIncomeLevy + h.municipalIncomeLevy, 59600 + 89500);
    EXPECT_EQ(h.residentTax, 154100);
    EXPECT_EQ(h.takeHome, 4800000 - 43700 - 154100 - 742965);
    // The wife: nothing to pay, 均等割 included (T_r 0 is within every limit).
    EXPECT_EQ(year.of(Spouse::Wife).residentTax, 0);
    EXPECT_EQ(year.of(Spouse::Wife).takeHome, 0);
}

TEST(TestTax, retiringSpouseLosesTheSpouseDeductionThatYear)
{
    // Husband 62 with 6,000,000 claims the wife (60, no pay). In her retirement year she receives
    // 2,000万 after 30 years: her 所得税 合計所得 is the 退職所得 2,500,000 > 1,330,000, so no 配偶者
    // (特別)控除; her 住民税 合計所得 stays 0, so the 住民税 配偶者控除 330,000 remains.
    TaxPersonInput wife = employee(60, 0);
    const TaxBreakdown before = computeTaxYear(couple(employee(62, 6000000), wife)).of(Spouse::Husband);
    EXPECT_EQ(before.spouseDeduction, 380000);
    wife.severance = 20000000;
    wife.serviceYears = 30;
    const TaxBreakdown retiring = computeTaxYear(couple(employee(62, 6000000), wife)).of(Spouse::Husband);
    EXPECT_TRUE(retiring.claimsFamily);
    EXPECT_EQ(retiring.spouseDeduction, 0);
    EXPECT_EQ(retiring.residentSpouseDeduction, 330000);
    EXPECT_EQ(retiring.personalDifference, 50000); // max(0, 0 − 330,000) adds nothing
    EXPECT_EQ(retiring.persons, 2);
    EXPECT_GT(retiring.incomeTax, before.incomeTax);
}

TEST(TestTax, theSpouseWithTheLargerIncomeClaimsTheFamily)
{
    // Wife 7,000,000, husband 1,000,000 (T 260,000 ≤ 620,000): the wife claims 配偶者控除 and the child.
    const TaxYearResult year = computeTaxYear(couple(employee(40, 1000000), employee(40, 7000000), { 19 }));
    EXPECT_FALSE(year.of(Spouse::Husband).claimsFamily);
    EXPECT_EQ(year.of(Spouse::Wife).spouseDeduction, 380000);
    EXPECT_EQ(year.of(Spouse::Wife).dependentDeduction, 630000); // 特定扶養 at 19
    EXPECT_EQ(year.of(Spouse::Wife).residentDependentDeduction, 450000);
    EXPECT_EQ(year.of(Spouse::Husband).dependentDeduction, 0);
    // Her 住民税 合計所得 is far above 580,000: the husband counts for himself alone.
    EXPECT_EQ(year.of(Spouse::Husband).persons, 1);
    EXPECT_EQ(year.of(Spouse::Wife).persons, 3);
}

// 住民税 limits for one person: 均等割 and 所得割 both start above 450,000 of 合計所得.
struct LimitRow
{
    int64_t pay;
    int64_t residentTax;
};

class SingleLimit : public testing::TestWithParam<LimitRow>
{
};

TEST_P(SingleLimit, taxesOnlyAboveTheLimit)
{
    TaxPersonInput person = employee(30, GetParam().pay);
    person.socialInsurance = false;
    EXPECT_EQ(computeTaxYear(couple(person, absent())).of(Spouse::Husband).residentTax, GetParam().residentTax);
}

INSTANTIATE_TEST_SUITE_P(Edges,
    SingleLimit,
    testing::Values(LimitRow { 1190000, 0 }, // K = 450,000
                                             // K = 451,000; TX = 21,000; base min(50,000, 21,000): 県 840 − 420 → 400;
                                             // 市 1,260 − 630 → 600; 均等割 5,000.
        LimitRow { 1191000, 400 + 600 + 5000 }));

TEST(TestTax, kanagawaAddsToBothLevies)
{
    // Single, 4,000,000 without insurance: K = 1,000 × 3,200 − 440,000 = 2,760,000; TX = 2,760,000 −
    // 430,000 = 2,330,000; base = max(50,000 − 330,000, 50,000) = 50,000; 県 2,330,000 × 4.025 % =
    // 93,782 − 1,000 = 92,782 → 92,700 (東京都: 93,200 − 1,000 → 92,200); 均等割 県 1,300.
    TaxPersonInput person = employee(30, 4000000);
    person.socialInsurance = false;
    TaxYearInput input = couple(person, absent());
    input.prefecture = prefecture("神奈川県");
    const TaxBreakdown h = computeTaxYear(input).of(Spouse::Husband);
    EXPECT_EQ(h.prefectureIncomeLevy, 92700);
    EXPECT_EQ(h.prefecturePerCapita, 1300);
}

TEST(TestTax, planYearsTakeTheFamilysAgesAndTheExactGrownPay)
{
    // Husband born 1966, retiring at 60 in 2026 after the default 38 years (60 − 22); wife born 1970,
    // never retiring; a child born 2010.
    FamilyPlan plan = testplan::PlanBuilder().husband(1966, 60).wife(1970, 0).child(2010, "長女");
    MoneySettings settings;
    settings.tax.incomeBasis = IncomeBasis::Gross;
    settings.tax.husbandBonusMonths = 40;
    settings.tax.wifeBonusMonths = 20;
    settings.husbandIncome = 6000;
    settings.husbandReemployIncome = 3000;
    settings.husbandSeverance = 20000;
    settings.wifeIncome = 14900;
    settings.wifeIncomeRate = 10;
    TableContext context;
    context.y0 = 2026;
    const PlanTaxes taxes = planTaxes(plan, settings, buildLifeCycleTable(plan, context));

    // 2026: the retirement year pays 再雇用 pay monthly, no bonus, and the 退職金.
    const TaxYearInput& first = taxes.inputs[0];
    EXPECT_EQ(first.childAges, std::vector<int> { 16 });
    EXPECT_EQ(first.spouses[0].age, 60);
    EXPECT_EQ(first.spouses[0].pay, 3000000);
    EXPECT_EQ(first.spouses[0].bonusMonths, 0);
    EXPECT_EQ(first.spouses[0].severance, 20000000);
    EXPECT_EQ(first.spouses[0].serviceYears, 38);
    EXPECT_EQ(first.spouses[1].bonusMonths, 20);
    // 退職所得控除 8,000,000 + 700,000 × 18 = 20,600,000 covers the 退職金: no tax on it.
    EXPECT_EQ(taxes.years[0].of(Spouse::Husband).retirementIncomeTax, 0);

    // 1,490.0万 at 1.0 % in year 4: 14,900,000 × 1.01^4 = 15,504,999.749 → 15,505,000 yen.
    EXPECT_EQ(taxes.inputs[4].spouses[1].pay, 15505000);
    EXPECT_EQ(taxes.inputs[1].spouses[0].severance, 0);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The public pension estimate worked through by hand with the published figures of 令和8年度
// (満額 847,300 / 844,900, 定額単価 1,766, 加給年金 243,800 + 特別加算 179,900, 支給停止調整額 650,000).
#include "support/PlanBuilder.h"

#include "core/money/CashFlow.h"
#include "core/money/Pension.h"
#include "core/money/PensionComparison.h"
#include "core/table/TableBuilder.h"

#include <gtest/gtest.h>

using namespace harukaze;
using testplan::PlanBuilder;

namespace {

constexpr int Y0 = 2026;

PensionPerson spouse(int birthYear, int monthDay, PensionMode mode, bool wife = false)
{
    PensionPerson person;
    person.inTable = true;
    person.wife = wife;
    person.birthYear = birthYear;
    person.pension.mode = mode;
    person.pension.birthMonthDay = monthDay;
    return person;
}

// A 定期便 spouse whose printed figures are 老齢基礎年金 `kiso` and 老齢厚生年金 `kosei` (tenths of 万円).
PensionPerson statement(int birthYear, int monthDay, int kiso, int kosei, bool wife = false)
{
    PensionPerson person = spouse(birthYear, monthDay, PensionMode::Statement, wife);
    person.pension.kiso65 = kiso;
    person.pension.kosei65 = kosei;
    return person;
}

// The husband of the published example: born 1966-07-15, retired at 60 and re-employed until 65 at
// 30.0万 (covered); 456 納付 months, 156 厚生年金 months before 2003-04 at 32.0万 and 276 after at 48.5万.
PensionPerson exampleHusband()
{
    PensionPerson husband = spouse(1966, 715, PensionMode::Record);
    husband.retireAge = 60;
    husband.reemployEndAge = 65;
    husband.pension.kisoMonths = 456;
    husband.pension.koseiMonthsOld = 156;
    husband.pension.koseiPayOld = 320;
    husband.pension.koseiMonthsNew = 276;
    husband.pension.koseiPayNew = 485;
    husband.pension.reemployPay = 300;
    return husband;
}

// His wife: born 1968-12-01, 定期便 78.0万 / 12.3万 with 60 厚生年金 months.
PensionPerson exampleWife()
{
    PensionPerson wife = statement(1968, 1201, 780, 123, true);
    wife.pension.koseiMonths = 60;
    return wife;
}

} // namespace

TEST(TestPension, publishedHusbandAndWifeExample)
{
    const PensionEstimate husband(exampleHusband(), exampleWife(), Y0);
    // 老齢基礎年金: 847,300 × 456·24 / 11,520 = 804,935.
    EXPECT_EQ(husband.basic(), 804935);
    // 報酬比例: (320,000·7,125·156 + (485,000·276 + 5·12·300,000)·5,481) / 10^6 = 1,188,024.66 → 1,188,025
    // (the five re-employed years 2026-2030 accrue; 2031 has no pay).
    EXPECT_EQ(husband.earnings(), 1188025);
    // 経過的加算: 1,766 · min(492, 480) − 847,300 · 432 / 480 = 847,680 − 762,570 = 85,110.
    EXPECT_EQ(husband.transitional(), 85110);
    EXPECT_EQ(husband.yearly(), 2078070);
    // 加給年金: 243,800 + 179,900; she has 60 months, he 492.
    EXPECT_EQ(husband.spouseAddition(), 423700);
    EXPECT_EQ(pensionMonthText(husband.firstMonth()), "2031年8月");

    // 2031: August-December, 5 months with 加給: (2,078,070 + 423,700)·5 / 12 = 1,042,404.17.
    // 2033: 加給 until she reaches 65 on 30 November: 2,078,070 + 423,700·11/12 = 2,466,461.67.
    const std::vector<std::pair<int, int64_t>> years {
        { 2030, 0 }, { 2031, 1042404 }, { 2032, 2501770 }, { 2033, 2466462 }, { 2034, 2078070 }
    };
    for (const auto& [year, yen] : years)
        EXPECT_EQ(husband.yearAmount(year), yen) << year;

    // Her row starts in December 2033: (780,000 + 123,000) / 12 = 75,250.
    const PensionEstimate wife(exampleWife(), exampleHusband(), Y0);
    EXPECT_EQ(wife.yearAmount(2033), 75250);
    EXPECT_EQ(wife.yearAmount(2034), 903000);
    EXPECT_EQ(wife.spouseAddition(), 0);
}

TEST(TestPension, exampleTwoBothPartsStartedBeforeTheEarlyPensionAge)
{
    // A 民間 wife born 1964-08-15 has 特別支給 from 64; starting at 63 reduces the 老齢基礎年金 by
    // 0.4%·24 = 9.6% and the 報酬比例部分 by 0.4%·12 = 4.8% (months to 64), all from September 2027.
    PensionPerson wife = statement(1964, 815, 780, 1000, true);
    wife.pension.tokubetsu = 1000;
    wife.startAge = 63;
    const PensionEstimate estimate(wife, PensionPerson(), Y0);
    EXPECT_EQ(estimate.earlyCase(), EarlyPensionCase::AllEarly);
    EXPECT_EQ(estimate.ratePermille(), -96);
    EXPECT_EQ(pensionMonthText(estimate.firstMonth()), "2027年9月");
    EXPECT_EQ(estimate.basic(), 780000 - 74880);
    EXPECT_EQ(estimate.earnings(), 1000000 - 48000);
    // 2027: 4 months of 1,657,120 = 552,373.33; then the whole year.
    EXPECT_EQ(estimate.yearAmount(2027), 552373);
    EXPECT_EQ(estimate.yearAmount(2028), 1657120);
}

struct FullAmountRow
{
    int birthYear;
    int monthDay;
    int y0;
    int64_t basic;
};

class FullBasicPension : public testing::TestWithParam<FullAmountRow>
{
};

TEST_P(FullBasicPension, by480MonthsBirthGroupAndDataYear)
{
    const FullAmountRow& row = GetParam();
    PensionPerson person = spouse(row.birthYear, row.monthDay, PensionMode::Record);
    EXPECT_EQ(PensionEstimate(person, PensionPerson(), row.y0).basic(), row.basic);
}

// Born on or before 1956-04-01: the 既裁定者 figure; a year without data uses the one before it, a
// year before all data the earliest.
INSTANTIATE_TEST_SUITE_P(Groups,
    FullBasicPension,
    testing::Values(FullAmountRow { 1956, 401, 2026, 844900 },
        FullAmountRow { 1956, 402, 2026, 847300 },
        FullAmountRow { 1956, 401, 2025, 829300 },
        FullAmountRow { 1970, 1015, 2025, 831700 },
        FullAmountRow { 1970, 1015, 2031, 847300 },
        FullAmountRow { 1970, 1015, 2001, 831700 }));

struct StartRateRow
{
    int birthYear;
    int monthDay;
    int startAge;
    int effectiveStartAge;
    int permille;
};

class StartAgeRates : public testing::TestWithParam<StartRateRow>
{
};

TEST_P(StartAgeRates, byBirthDate)
{
    const StartRateRow& row = GetParam();
    PensionPerson person = statement(row.birthYear, row.monthDay, 800, 0);
    person.startAge = row.startAge;
    const PensionEstimate estimate(person, PensionPerson(), 2010);
    EXPECT_EQ(estimate.effectiveStartAge(), row.effectiveStartAge);
    EXPECT_EQ(estimate.ratePermille(), row.permille);
}

// 繰上げ 0.5% a month before 1962-04-02, 0.4% from it; 繰下げ 0.7% up to 70 before 1952-04-02, 75 from it.
INSTANTIATE_TEST_SUITE_P(Boundaries,
    StartAgeRates,
    testing::Values(StartRateRow { 1962, 401, 60, 60, -300 },
        StartRateRow { 1962, 402, 60, 60, -240 },
        StartRateRow { 1962, 402, 63, 63, -96 },
        StartRateRow { 1952, 401, 72, 70, 420 },
        StartRateRow { 1952, 402, 72, 72, 588 },
        StartRateRow { 1952, 402, 75, 75, 840 },
        StartRateRow { 1980, 101, 65, 65, 0 }));

struct ReachRow
{
    int monthDay;
    const char* first;
    int64_t firstYear; // the yen of 2031 of a 120万 pension
};

class BirthdayFirstMonth : public testing::TestWithParam<ReachRow>
{
};

TEST_P(BirthdayFirstMonth, startsTheMonthAfterTheDayBeforeTheBirthday)
{
    const ReachRow& row = GetParam();
    const PensionEstimate estimate(statement(1966, row.monthDay, 0, 1200), PensionPerson(), Y0);
    EXPECT_EQ(pensionMonthText(estimate.firstMonth()), row.first);
    EXPECT_EQ(estimate.yearAmount(2031), row.firstYear);
}

// Born 1 January: reaches 65 on 31 December 2030, paid for all of 2031; born 1 April: reaches it in
// March, paid from April (9 months).
INSTANTIATE_TEST_SUITE_P(Days,
    BirthdayFirstMonth,
    testing::Values(ReachRow { 101, "2031年1月", 1200000 },
        ReachRow { 401, "2031年4月", 900000 },
        ReachRow { 402, "2031年5月", 800000 },
        ReachRow { 229, "2031年3月", 1000000 },
        ReachRow { 1231, "2032年1月", 0 }));

struct EarlyRow
{
    int birthYear;
    int monthDay;
    bool wife;
    PensionRecordKind kind;
    int firstYear;
    int64_t firstYearYen;
};

class EarlyPensionAge : public testing::TestWithParam<EarlyRow>
{
};

TEST_P(EarlyPensionAge, paidFromTheScheduleAgeUntil65)
{
    const EarlyRow& row = GetParam();
    PensionPerson person = statement(row.birthYear, row.monthDay, 0, 1200, row.wife);
    person.pension.tokubetsu = 1200;
    person.pension.recordKind = row.kind;
    const PensionEstimate estimate(person, PensionPerson(), 2015);
    int year = 2015;
    while (estimate.yearAmount(year) == 0 && year < 2040)
        ++year;
    EXPECT_EQ(year, row.firstYear);
    EXPECT_EQ(estimate.yearAmount(year), row.firstYearYen);
}

// 1958-06-15: men and 公務員 women at 63 (July 2021), 民間 women at 61 (July 2019); 1961-04-02 has
// no 特別支給 and starts at 65 in May 2026; 1961-04-01 reaches 64 in March 2025 (from April).
INSTANTIATE_TEST_SUITE_P(Schedules,
    EarlyPensionAge,
    testing::Values(EarlyRow { 1958, 615, false, PensionRecordKind::Private, 2021, 600000 },
        EarlyRow { 1958, 615, true, PensionRecordKind::Public, 2021, 600000 },
        EarlyRow { 1958, 615, true, PensionRecordKind::Private, 2019, 600000 },
        EarlyRow { 1961, 401, false, PensionRecordKind::Private, 2025, 900000 },
        EarlyRow { 1961, 402, false, PensionRecordKind::Private, 2026, 800000 }));

TEST(TestPension, basicPensionAloneStartedEarly)
{
    // Born 1958-06-15 (特別支給 from 63), starting at 64: the 老齢基礎年金 loses 0.5%·12 = 6% from
    // July 2022, the 報酬比例部分 stays whole (特別支給 until June 2023, then 老齢厚生年金).
    PensionPerson person = statement(1958, 615, 800, 1200);
    person.pension.tokubetsu = 1200;
    person.startAge = 64;
    const PensionEstimate estimate(person, PensionPerson(), 2020);
    EXPECT_EQ(estimate.earlyCase(), EarlyPensionCase::BasicEarly);
    EXPECT_EQ(estimate.yearly(), 752000 + 1200000);
    // 2022: 1,200,000 特別支給 all year + 752,000 for 6 months = 1,576,000.
    EXPECT_EQ(estimate.yearAmount(2022), 1576000);
    EXPECT_EQ(estimate.yearAmount(2024), 1952000);
}

struct WorkingRow
{
    int reemployPay; // tenths of 万円 a month
    int64_t year2026;
};

class WorkingPensionCut : public testing::TestWithParam<WorkingRow>
{
};

TEST_P(WorkingPensionCut, aroundThe650000Threshold)
{
    // 老齢厚生年金 120万 (基本月額 100,000) while re-employed at 66 in 2026.
    PensionPerson person = statement(1960, 715, 0, 1200);
    person.retireAge = 60;
    person.reemployEndAge = 70;
    person.pension.statementWorkAge = 70; // no accrual: the cut alone
    person.pension.reemployPay = GetParam().reemployPay;
    EXPECT_EQ(PensionEstimate(person, PensionPerson(), Y0).yearAmount(2026), GetParam().year2026);
}

// 100,000 + 550,000 = 650,000: no cut; 551,000: 500 a month; 560,000: (660,000 − 650,000)/2 = 5,000 a month;
// 900,000: (1,000,000 − 650,000)/2 = 175,000 > 100,000, all of it stops.
INSTANTIATE_TEST_SUITE_P(Pay,
    WorkingPensionCut,
    testing::Values(
        WorkingRow { 550, 1200000 }, WorkingRow { 560, 1140000 }, WorkingRow { 551, 1194000 }, WorkingRow { 9000, 0 }));

struct AdditionRow
{
    int birthYear;
    int monthDay;
    int64_t addition;
};

class SpouseAddition : public testing::TestWithParam<AdditionRow>
{
};

TEST_P(SpouseAddition, specialAdditionByBirthDate)
{
    const AdditionRow& row = GetParam();
    PensionPerson husband = statement(row.birthYear, row.monthDay, 800, 1200);
    husband.pension.koseiMonths = 240;
    PensionPerson wife = statement(row.birthYear + 5, 101, 800, 0, true);
    wife.pension.koseiMonths = 239;
    EXPECT_EQ(PensionEstimate(husband, wife, Y0).spouseAddition(), row.addition);
}

// 243,800 + 36,000 / 143,900 / 179,900; born before 1934-04-02 no 特別加算.
INSTANTIATE_TEST_SUITE_P(Brackets,
    SpouseAddition,
    testing::Values(AdditionRow { 1934, 401, 243800 },
        AdditionRow { 1934, 402, 279800 },
        AdditionRow { 1943, 401, 387700 },
        AdditionRow { 1943, 402, 423700 },
        AdditionRow { 1975, 1010, 423700 }));

TEST(TestPension, noAdditionWhenTheSpouseHas240MonthsOrIsNotInTheTable)
{
    PensionPerson husband = statement(1970, 505, 800, 1200);
    husband.pension.koseiMonths = 300;
    PensionPerson wife = statement(1972, 505, 800, 300, true);
    wife.pension.koseiMonths = 240;
    EXPECT_EQ(PensionEstimate(husband, wife, Y0).spouseAddition(), 0);
    wife.pension.koseiMonths = 200;
    wife.inTable = false;
    EXPECT_EQ(PensionEstimate(husband, wife, Y0).spouseAddition(), 0);
}

TEST(TestPension, transitionalAdditionAndQualification)
{
    // 加入記録 with 300 厚生年金 months, 60 of them outside 20-59, no future work:
    // 1,766·300 − 847,300·240/480 = 529,800 − 423,650 = 106,150.
    PensionPerson person = spouse(1970, 505, PensionMode::Record);
    person.pension.koseiMonthsNew = 300;
    person.pension.koseiPayNew = 400;
    person.pension.koseiMonthsOut = 60;
    EXPECT_EQ(PensionEstimate(person, PensionPerson(), Y0).transitional(), 106150);

    // 100 納付 months and nothing else: below 10 years, nothing is paid.
    person.pension.kisoMonths = 100;
    person.pension.koseiMonthsOut = 0;
    person.pension.koseiMonthsNew = 0;
    const PensionEstimate unqualified(person, PensionPerson(), Y0);
    EXPECT_EQ(unqualified.yearly(), 0);
    EXPECT_EQ(unqualified.yearAmount(2040), 0);
}

TEST(TestPension, exemptMonthsWeighAndStopAt480)
{
    // 400 納付 + 60 全額免除 (from 2009-04, 12/24) + 40 半額免除 before 2009-04 of which 20 fit:
    // W = 400·24 + 60·12 + 20·16 = 10,640; 847,300·10,640/11,520 = 782,575.69 → 782,576.
    PensionPerson person = spouse(1970, 505, PensionMode::Record);
    person.pension.kisoMonths = 400;
    person.pension.exemptMonths[static_cast<size_t>(PensionExemption::Full)] = 60;
    person.pension.exemptMonths[static_cast<size_t>(PensionExemption::HalfOld)] = 40;
    EXPECT_EQ(PensionEstimate(person, PensionPerson(), Y0).basic(), 782576);
}

TEST(TestPension, deferralDoesNotIncreaseWhatWorkWouldHaveStopped)
{
    // 120万 (基本月額 100,000), working at 66-69 for 70.0万 a month until 70 and starting at 70:
    // 2031-2034 (ages 65-69) each cut (100,000 + 700,000 − 650,000)/2 = 75,000 → q = 250‰.
    // The waiting months F65 … F65 + 59 (Aug 2031 – Jul 2036): 2031 Aug-Dec 5 + 2032-2035 48 at 250,
    // 2036 Jan-Jul 7 without pay at 1000: Q = 53·250 + 7·1000 = 20,250;
    // K_adj = 1,200,000 + 1,200,000·420·20,250 / (10^6·60) = 1,200,000 + 170,100.
    PensionPerson person = statement(1966, 715, 0, 1200);
    person.retireAge = 60;
    person.reemployEndAge = 70;
    person.pension.reemployPay = 700;
    person.pension.statementWorkAge = 70;
    person.startAge = 70;
    EXPECT_EQ(PensionEstimate(person, PensionPerson(), Y0).earnings(), 1370100);
}

TEST(TestPension, comparisonBreakEvenAt81Years11Months)
{
    // 120万 at 65, 1,704,000 at 70 (+42%): 142,000·m ≥ 100,000·(60 + m) first at m = 143,
    // 143 months after the start at 70: 81歳11ヵ月.
    FamilyPlan plan = PlanBuilder().husband(1970).wife(1972);
    MoneySettings money;
    money.husbandPensionEstimate.mode = PensionMode::Statement;
    money.husbandPensionEstimate.birthMonthDay = 515;
    money.husbandPensionEstimate.kosei65 = 1200;
    const std::optional<PensionComparison> comparison = comparePensionStartAges(plan, money, Y0, false);
    ASSERT_TRUE(comparison);
    const PensionStartAgeRow& at65 = comparison->rows[5];
    const PensionStartAgeRow& at70 = comparison->rows[10];
    EXPECT_EQ(at70.yearly, 1704000);
    EXPECT_EQ(pensionRateText(at70.ratePermille), "+42.0%");
    EXPECT_EQ(pensionRateText(at65.ratePermille), "±0.0%");
    EXPECT_EQ(pensionRateText(comparison->rows[0].ratePermille), "−24.0%");
    ASSERT_TRUE(at70.breakEvenMonths);
    EXPECT_EQ(pensionAgeText(*at70.breakEvenMonths), "81歳11ヵ月");
    EXPECT_FALSE(at65.breakEvenMonths);
    EXPECT_EQ(at65.differenceTo65, 0);
    EXPECT_EQ(*at70.differenceTo65, at70.expectedTotal - at65.expectedTotal);
    int marked = 0;
    for (const PensionStartAgeRow& row : comparison->rows)
        marked += row.best ? 1 : 0;
    EXPECT_EQ(marked, 1);
    EXPECT_FALSE(comparePensionStartAges(plan, money, Y0, true)); // she is in 金額
}

TEST(TestPension, comparisonEarlyStartBreaksEvenAt76Years8Months)
{
    // 0.5% 繰上げ at 60 (born 1961): 840,000 against 1,200,000 from 65; 100,000·m ≥ 70,000·(60 + m)
    // first at m = 140, 200 months after the start at 60: 76歳8ヵ月.
    FamilyPlan plan = PlanBuilder().husband(1961);
    MoneySettings money;
    money.husbandPensionEstimate.mode = PensionMode::Statement;
    money.husbandPensionEstimate.birthMonthDay = 615;
    money.husbandPensionEstimate.kosei65 = 1200;
    const std::optional<PensionComparison> comparison = comparePensionStartAges(plan, money, 2021, false);
    ASSERT_TRUE(comparison);
    const PensionStartAgeRow& at60 = comparison->rows[0];
    ASSERT_TRUE(at60.offered);
    EXPECT_EQ(at60.yearly, 840000);
    EXPECT_EQ(pensionMonthText(at60.firstMonth), "2021年7月");
    ASSERT_TRUE(at60.breakEvenMonths);
    EXPECT_EQ(pensionAgeText(*at60.breakEvenMonths), "76歳8ヵ月");
    // 2026 is past 60: the ages before the first year are not offered.
    const std::optional<PensionComparison> later = comparePensionStartAges(plan, money, 2026, false);
    ASSERT_TRUE(later);
    EXPECT_FALSE(later->rows[0].offered);
    EXPECT_TRUE(later->rows[5].offered);
}

TEST(TestPension, survivorsFromTheLifeTable)
{
    // l_1 = round(10^8·(8,156 − 50) / (E_1 + 50)) with e_0 81.56 and e_1 80.71 (men): 10^8·8,106/8,121.
    const auto men = survivors(false);
    EXPECT_EQ(men[0], 100000000);
    EXPECT_EQ(men[1], 99815294);
    EXPECT_EQ(men[114], 0);
    for (size_t x = 1; x < men.size(); ++x)
        EXPECT_LE(men[x], men[x - 1]);
}

TEST(TestPension, cashFlowRowSumsBothSpousesAndKeepsTheAmountMode)
{
    FamilyPlan plan = PlanBuilder().husband(1966, 60).wife(1968);
    plan.money = MoneySettings();
    MoneySettings& money = *plan.money;
    money.husbandPensionEstimate = exampleHusband().pension;
    money.wifePensionEstimate = exampleWife().pension;
    money.wifePension = 5000; // ignored outside 金額
    TableContext context;
    context.y0 = Y0;
    const TableModel table = buildLifeCycleTable(plan, context);
    auto pensionYen = [&](int year) {
        CashFlowLedger ledger = startCashFlow(money, table);
        addEstimatedPensions(ledger, plan, money, table);
        return roundToYen(ledger.exact(MoneyRow::Pension, year - Y0), year - Y0);
    };
    EXPECT_EQ(pensionYen(2031), 1042404);
    EXPECT_EQ(pensionYen(2033), 2466462 + 75250);

    // PENSION_RATE grows the sum exactly: 2,501,770 × 1.005^6 = 2,577,767.54 → 258万;
    // (2,466,462 + 75,250) × 1.005^7 = 2,632,017.49 → 263万.
    money.pensionRate = 5;
    const CashFlowFigures grown = computeCashFlow(plan, money, table);
    EXPECT_EQ(grown.man(MoneyRow::Pension, 2032 - Y0), 258);
    EXPECT_EQ(grown.man(MoneyRow::Pension, 2033 - Y0), 263);
    money.pensionRate = 0;

    // Back in 金額 she gets her typed amount from 65 (2033), as before.
    money.wifePensionEstimate.mode = PensionMode::Amount;
    EXPECT_EQ(pensionYen(2033), 2466462 + 5000000);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The housing loan's monthly schedule and the 住宅ローン控除, checked against lenders' published
// schedules and the tax offices' worked figures.
#include "core/money/HousingCredit.h"
#include "core/money/Loan.h"

#include <gtest/gtest.h>

using namespace harukaze;

namespace {

LoanTerms terms(int64_t principal, int payments, int rate, int year, int month)
{
    LoanTerms t;
    t.principal = principal;
    t.payments = payments;
    t.rate = rate;
    t.year = year;
    t.month = month;
    return t;
}

const LoanEvent& lastLine(const LoanSchedule& schedule)
{
    return schedule.events.back();
}

int64_t largestUnpaid(const LoanSchedule& schedule)
{
    int64_t largest = 0;
    for (const LoanEvent& event : schedule.events)
        largest = std::max(largest, event.unpaidAfter);
    return largest;
}

struct PaymentCase
{
    const char* name;
    int64_t balance;
    int rate;
    int months;
    int64_t payment;
};

class LoanPaymentTest : public ::testing::TestWithParam<PaymentCase>
{
};

TEST_P(LoanPaymentTest, isTheExactFloor)
{
    const PaymentCase& c = GetParam();
    EXPECT_EQ(loanPayment(c.balance, c.rate, c.months), c.payment);
    EXPECT_EQ(loanPaymentExact(c.balance, c.rate, c.months), c.payment);
}

INSTANTIATE_TEST_SUITE_P(Published,
    LoanPaymentTest,
    ::testing::Values(
        // 3,000万円 3% 35年: 30,000,000 × 0.0025 × 1.0025^420 / (1.0025^420 − 1) = 115,455.2…
        PaymentCase { "man3000_3pct_35y", 30000000, 3000, 420, 115455 },
        // 4,000万円 0.6% 35年: r = 0.0005, 20,000 × 1.0005^420 / (1.0005^420 − 1) = 105,611.5…; 切り捨て
        // gives 105,611 where 四捨五入 would give 105,612.
        PaymentCase { "man4000_06pct_35y", 40000000, 600, 420, 105611 },
        // 1億円 3% 35年: 384,850.5… → 384,850.
        PaymentCase { "oku1_3pct_35y", 100000000, 3000, 420, 384850 },
        // 1,000万円 2.375% 30年 (国土交通省の例): 38,865.
        PaymentCase { "man1000_2375_30y", 10000000, 2375, 360, 38865 },
        // 0%: floor(30,000,000 / 420) = 71,428.
        PaymentCase { "zeroRate", 30000000, 0, 420, 71428 },
        // One month: B × (1 + r) = 1,000,000 × 1.0025 = 1,002,500 exactly, a whole number.
        PaymentCase { "oneMonthWholeNumber", 1000000, 3000, 1, 1002500 },
        // 12 months at 12% (r = 1/100): 1,000 × 0.01 × 1.01^12 / (1.01^12 − 1) = 88.848… → 88.
        PaymentCase { "twelveMonthsSmall", 1000, 12000, 12, 88 }),
    [](const auto& info) { return std::string(info.param.name); });

struct ScheduleCase
{
    const char* name;
    LoanTerms terms;
    int64_t firstPayment;
    int64_t totalPaid;
    int lastNumber; ///< the final payment's number
};

class LoanScheduleTest : public ::testing::TestWithParam<ScheduleCase>
{
};

TEST_P(LoanScheduleTest, totalsAndEnd)
{
    const ScheduleCase& c = GetParam();
    const LoanSchedule schedule = computeLoanSchedule(c.terms);
    EXPECT_EQ(schedule.firstPayment(), c.firstPayment);
    EXPECT_EQ(schedule.totalPaid(), c.totalPaid);
    EXPECT_EQ(lastLine(schedule).number, c.lastNumber);
    EXPECT_EQ(lastLine(schedule).balanceAfter, 0);
}

LoanTerms variable(int step)
{
    // 国土交通省: 1,000万円 2.375% 30年 元利均等 変動, the rate up by `step`% from the second year on.
    LoanTerms t = terms(10000000, 360, 2375, 2000, 12);
    t.rateType = LoanRateType::Variable;
    t.rateChanges.push_back({ 2002, 1, 2375 + 1000 * step });
    return t;
}

LoanTerms equalPrincipal()
{
    LoanTerms t = terms(1200000, 12, 1200, 2026, 3);
    t.method = LoanMethod::EqualPrincipal;
    return t;
}

INSTANTIATE_TEST_SUITE_P(Published,
    LoanScheduleTest,
    ::testing::Values(
        // 1億円 3% 35年: 419 × 384,850 + the last payment = 161,636,772.
        ScheduleCase { "oku1_3pct_35y", terms(100000000, 420, 3000, 2026, 1), 384850, 161636772, 420 },
        // 3,000万円 3% 25年: 142,263 a month, 42,678,858 in all.
        ScheduleCase { "man3000_3pct_25y", terms(30000000, 300, 3000, 2026, 1), 142263, 42678858, 300 },
        // 3,000万円 3% 30年: 126,481 a month, 45,533,001 in all.
        ScheduleCase { "man3000_3pct_30y", terms(30000000, 360, 3000, 2009, 12), 126481, 45533001, 360 },
        // 国土交通省 変動 examples: 総返済額 at +0/+1/+2/+3%.
        ScheduleCase { "variablePlus0", variable(0), 38865, 13991280, 360 },
        ScheduleCase { "variablePlus1", variable(1), 38865, 15940991, 360 },
        ScheduleCase { "variablePlus2", variable(2), 38865, 18299322, 360 },
        ScheduleCase { "variablePlus3", variable(3), 38865, 21043742, 360 },
        // A one-month loan pays B + interest: 1,000,000 + floor(1,000,000 × 3000 / 1,200,000) = 1,002,500.
        ScheduleCase { "oneMonth", terms(1000000, 1, 3000, 2026, 1), 1002500, 1002500, 1 },
        // 0%: 71,428 × 419 = 29,928,332; the last pays the remaining 71,668.
        ScheduleCase { "zeroRate", terms(30000000, 420, 0, 2026, 1), 71428, 30000000, 420 },
        // 元金均等 1,200,000 over 12 at 1.2% (r = 0.001): C = 100,000; interest 1,200, 1,100, …, 100:
        // 1,200,000 + 100 × (12 + 11 + … + 1) = 1,207,800.
        ScheduleCase { "equalPrincipal", equalPrincipal(), 101200, 1207800, 12 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TestLoan, yearlySumsOfThe30YearLoan)
{
    // 3,000万円 3% 360回, first payment January 2010 (paid out December 2009).
    const LoanSchedule schedule = computeLoanSchedule(terms(30000000, 360, 3000, 2009, 12));
    const LoanYear first = schedule.year(2010);
    // 12 × 126,481 = 1,517,772 = 元金 626,342 + 利息 891,430; 30,000,000 − 626,342 = 29,373,658.
    EXPECT_EQ(first.payments, 1517772);
    EXPECT_EQ(first.principal, 626342);
    EXPECT_EQ(first.interest, 891430);
    EXPECT_EQ(first.balance, 29373658);
    // The last year: 11 × 126,481 + the last payment 126,322 = 1,517,613.
    EXPECT_EQ(schedule.year(2039).payments, 1517613);
    EXPECT_EQ(schedule.year(2039).balance, 0);
    // The 融資実行 year before any payment holds P; the year before it and the years after hold 0.
    EXPECT_EQ(schedule.year(2009).balance, 30000000);
    EXPECT_FALSE(schedule.year(2009).hasEvents);
    EXPECT_EQ(schedule.year(2008).balance, 0);
    EXPECT_EQ(schedule.year(2040).balance, 0);
}

TEST(TestLoan, secondPaymentOfThe25YearLoan)
{
    // Payment 2: interest floor(29,932,569 × 3000 / 1,200,000) = 74,831, principal 142,263 − 74,831.
    const LoanSchedule schedule = computeLoanSchedule(terms(30000000, 300, 3000, 2026, 1));
    const LoanEvent& second = schedule.events.at(1);
    EXPECT_EQ(second.principal, 67432);
    EXPECT_EQ(second.interest, 74831);
    EXPECT_EQ(second.balanceAfter, 29865305);
}

struct VariableYearCase
{
    int step;
    int64_t principal;
    int64_t interest;
};

class VariableSecondYearTest : public ::testing::TestWithParam<VariableYearCase>
{
};

TEST_P(VariableSecondYearTest, splitsTheUnchangedPayment)
{
    // The payment stays 38,865 for five years (5年ルール): 12 × 38,865 = 466,380 = 元金 + 利息.
    const VariableYearCase& c = GetParam();
    const LoanYear year = computeLoanSchedule(variable(c.step)).year(2002);
    EXPECT_EQ(year.principal, c.principal);
    EXPECT_EQ(year.interest, c.interest);
    EXPECT_EQ(year.payments, 466380);
}

INSTANTIATE_TEST_SUITE_P(Published,
    VariableSecondYearTest,
    ::testing::Values(VariableYearCase { 0, 236949, 229431 },
        VariableYearCase { 1, 138829, 327551 },
        VariableYearCase { 2, 39802, 426578 },
        // +3%: the interest exceeds the payment; the payment is all interest.
        VariableYearCase { 3, 0, 466380 }));

TEST(TestLoan, unpaidInterestAt5Point375Percent)
{
    // At 5.375% the month's interest exceeds 38,865: 12 months leave 58,680 of 未払利息, and the
    // most carried at once is 234,720 (four years), paid with the final payment.
    const LoanSchedule schedule = computeLoanSchedule(variable(3));
    EXPECT_EQ(schedule.year(2002).unpaid, 58680);
    EXPECT_EQ(largestUnpaid(schedule), 234720);
    EXPECT_EQ(lastLine(schedule).unpaidAfter, 0);
}

struct PrepaymentCase
{
    const char* name;
    LoanTerms terms;
    int made; ///< payments before the 繰上返済
    int64_t amount;
    PrepaymentKind kind;
    int lastNumber;
    int64_t paymentAfter; ///< the payment right after the 繰上返済
};

class PrepaymentTest : public ::testing::TestWithParam<PrepaymentCase>
{
};

TEST_P(PrepaymentTest, shortensOrLowers)
{
    const PrepaymentCase& c = GetParam();
    LoanTerms t = c.terms;
    const int index = t.year * 12 + t.month - 1 + c.made;
    t.prepayments.push_back({ index / 12, index % 12 + 1, c.amount, c.kind });
    const LoanSchedule schedule = computeLoanSchedule(t);
    EXPECT_EQ(lastLine(schedule).number, c.lastNumber);
    if (c.paymentAfter > 0) {
        EXPECT_EQ(schedule.events.at(static_cast<size_t>(c.made) + 1).paid, c.paymentAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(Published,
    PrepaymentTest,
    ::testing::Values(
        // 5,000万円 1% 35年 (141,142 a month), 100万円 期間短縮 after 3 years: 384 payments left
        // become 375, so the loan ends with payment 36 + 375 = 411.
        PrepaymentCase { "shortenAfter3Years",
            terms(50000000, 420, 1000, 2025, 12),
            36,
            1000000,
            PrepaymentKind::ShortenTerm,
            411,
            141142 },
        // The same 100万円 返済額軽減 after payment 37: A(45,263,641, 1%, 383) = 138,092.
        PrepaymentCase { "lowerAfter37",
            terms(50000000, 420, 1000, 2025, 12),
            37,
            1000000,
            PrepaymentKind::LowerPayment,
            420,
            138092 },
        // 2,000万円 3% 35年 (76,970), 100万円 期間短縮 after 10 years: 32年10ヶ月 = 394 payments.
        PrepaymentCase { "shortenAfter10Years",
            terms(20000000, 420, 3000, 2025, 12),
            120,
            1000000,
            PrepaymentKind::ShortenTerm,
            394,
            76970 },
        // 4,000万円 1.5% 35年, 400万円 期間短縮 in year 10: 374ヶ月.
        PrepaymentCase { "shorten400InYear10",
            terms(40000000, 420, 1500, 2025, 12),
            120,
            4000000,
            PrepaymentKind::ShortenTerm,
            374,
            0 },
        // The whole balance (and more) paid before the first payment: no payment at all.
        PrepaymentCase { "wholeBalanceAtOnce",
            terms(30000000, 420, 3000, 2026, 3),
            0,
            40000000,
            PrepaymentKind::ShortenTerm,
            0,
            0 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TestLoan, prepaymentOfTheWholeBalanceEndsTheLoan)
{
    LoanTerms t = terms(30000000, 420, 3000, 2026, 3);
    t.prepayments.push_back({ 2026, 3, 40000000, PrepaymentKind::LowerPayment });
    t.prepayments.push_back({ 2026, 5, 1000000, PrepaymentKind::ShortenTerm }); // after the end: nothing
    const LoanSchedule schedule = computeLoanSchedule(t);
    ASSERT_EQ(schedule.events.size(), 1U);
    EXPECT_EQ(schedule.events[0].kind, LoanEventKind::Prepayment);
    EXPECT_EQ(schedule.events[0].paid, 30000000); // min(amount, B + U)
    EXPECT_EQ(schedule.totalInterest(), 0);
    EXPECT_EQ(loanScheduleCsvText(schedule),
        "回数,年月,金利,返済額,元金,利息,未払利息,残高\r\n"
        "繰上0,2026/03,,30000000,30000000,0,0,0\r\n"
        "2026年計,,,30000000,30000000,0,0,0\r\n");
}

TEST(TestLoan, insuranceClearsTheBalanceFromJanuary)
{
    // 1,200,000 over 12 at 0% from February 2026, 団信 in 2027: ten payments of 100,000 in 2026 (Mar
    // .. Dec), the last two are not made; 200,000 is cleared on 2027/01.
    LoanTerms t = terms(1200000, 12, 0, 2026, 2);
    t.clearedYear = 2027;
    const std::string csv = loanScheduleCsvText(computeLoanSchedule(t));
    EXPECT_NE(csv.find("10,2026/12,0.000%,100000,100000,0,0,200000\r\n"
                       "2026年計,,,1000000,1000000,0,0,200000\r\n"
                       "団信,2027/01,,0,200000,0,0,0\r\n"
                       "2027年計,,,0,0,0,0,0\r\n"),
        std::string::npos)
        << csv;
}

TEST(TestLoan, insuranceBeforeThePayOutClearsEverything)
{
    // D = 0005 is before the 融資実行 year: one 団信 row for all of P, its year row of zeros.
    LoanTerms t = terms(1000000, 12, 1000, 2026, 2);
    t.clearedYear = 5;
    t.prepayments.push_back({ 2026, 2, 100000, PrepaymentKind::ShortenTerm });
    const LoanSchedule schedule = computeLoanSchedule(t);
    EXPECT_EQ(loanScheduleCsvText(schedule),
        "回数,年月,金利,返済額,元金,利息,未払利息,残高\r\n"
        "団信,0005/01,,0,1000000,0,0,0\r\n"
        "5年計,,,0,0,0,0,0\r\n");
    EXPECT_EQ(schedule.year(2026).balance, 0);
}

TEST(TestLoan, yearTexts)
{
    EXPECT_EQ(loanMonthText(2026, 4), "2026/04");
    EXPECT_EQ(loanMonthText(0, 1), "0000/01");
    EXPECT_EQ(loanMonthText(-19, 12), "-019/12");
    EXPECT_EQ(loanMonthText(-19990, 1), "-19990/01");
    EXPECT_EQ(loanRateText(2375), "2.375%");
}

TEST(TestLoan, monthsToRepayIsTheSmallestThatRepays)
{
    // 0%: 1,000,000 at 300,000 a month needs ceil(10/3) = 4 months; within 3 there is none.
    EXPECT_EQ(monthsToRepay(1000000, 0, 300000, 12), 4);
    EXPECT_EQ(monthsToRepay(1000000, 0, 300000, 3), std::nullopt);
    // A payment at or under the month's interest never repays: 1,200,000 × 1% / 12 = 1,000.
    EXPECT_EQ(monthsToRepay(1200000, 1000, 1000, 600), std::nullopt);
    // Exactly the payment of 12 months repays within 12: A(1,000,000, 3%, 12) = 84,693.
    EXPECT_EQ(monthsToRepay(1000000, 3000, loanPayment(1000000, 3000, 12) + 1, 600), 12);
}

struct CreditCase
{
    const char* name;
    CreditInput input;
    int64_t incomeTax;
    int64_t residentTax;
};

class HousingCreditTest : public ::testing::TestWithParam<CreditCase>
{
};

TEST_P(HousingCreditTest, partsOfTheCredit)
{
    const CreditCase& c = GetParam();
    const CreditParts parts = housingCredit(c.input);
    EXPECT_EQ(parts.incomeTax, c.incomeTax);
    EXPECT_EQ(parts.residentTax, c.residentTax);
}

CreditInput creditInput(int year,
    int moveIn,
    CreditHouseKind kind,
    bool newHouse,
    int64_t balance,
    int64_t T,
    int64_t S,
    int64_t R,
    int64_t G = 6000000)
{
    CreditInput input;
    input.year = year;
    input.moveInYear = moveIn;
    input.kind = kind;
    input.newHouse = newHouse;
    input.balance = balance;
    input.incomeTax = T;
    input.taxable = S;
    input.residentTax = R;
    input.totalIncome = G;
    return input;
}

CreditInput withFlags(CreditInput input, bool child, bool small)
{
    input.child = child;
    input.small = small;
    return input;
}

INSTANTIATE_TEST_SUITE_P(Worked,
    HousingCreditTest,
    ::testing::Values(
        // 省エネ 2025: limit 3,000万; 0.7% of 3,000万 = 210,000; 所得税 100,000, then the rest 110,000
        // limited by 住民税's 97,500 (5% of S = 150,000, R = 200,000).
        CreditCase { "residentCap97500",
            creditInput(2025, 2025, CreditHouseKind::EnergySaving, true, 35000000, 100000, 3000000, 200000),
            100000,
            97500 },
        // 0.7% of 25,432,100 = 178,024.7 → 178,000 (100円未満切り捨て), all from 所得税.
        CreditCase { "hundredYenFloor",
            creditInput(2027, 2026, CreditHouseKind::Certified, true, 25432100, 500000, 0, 0),
            178000,
            0 },
        // 住民税 part limited by 5% of S: 2,000,000 × 5% = 100,000 > R = 40,000 → 40,000.
        CreditCase { "residentByR",
            creditInput(2024, 2024, CreditHouseKind::Zeh, true, 30000000, 50000, 2000000, 40000),
            50000,
            40000 },
        // 既存 その他 2026: 2,000万 for 10 years; year 10 after 入居 (2036) gives nothing.
        CreditCase { "usedOtherPeriodOver",
            creditInput(2036, 2026, CreditHouseKind::Other, false, 20000000, 500000, 0, 0),
            0,
            0 },
        // 新築 その他: no credit.
        CreditCase { "newOther", creditInput(2026, 2026, CreditHouseKind::Other, true, 20000000, 500000, 0, 0), 0, 0 },
        // 省エネ 新築 2028: no credit.
        CreditCase {
            "energy2028", creditInput(2028, 2028, CreditHouseKind::EnergySaving, true, 20000000, 500000, 0, 0), 0, 0 },
        // 子育て 省エネ 2026: 3,000万 → 210,000.
        CreditCase { "childUplift",
            withFlags(
                creditInput(2026, 2026, CreditHouseKind::EnergySaving, true, 40000000, 500000, 0, 0), true, false),
            210000,
            0 },
        // … but not for a small house from 2026 on: 2,000万 → 140,000.
        CreditCase { "smallNoUplift",
            withFlags(creditInput(2026, 2026, CreditHouseKind::EnergySaving, true, 40000000, 500000, 0, 0), true, true),
            140000,
            0 },
        // A small house's income limit is 1,000万円.
        CreditCase { "smallIncomeLimit",
            withFlags(
                creditInput(2026, 2026, CreditHouseKind::Zeh, true, 40000000, 500000, 0, 0, 10000001), false, true),
            0,
            0 },
        // 合計所得金額 over 2,000万円.
        CreditCase { "incomeLimit",
            creditInput(2026, 2026, CreditHouseKind::Zeh, true, 40000000, 500000, 0, 0, 20000001),
            0,
            0 },
        // Before the 入居 year.
        CreditCase {
            "beforeMoveIn", creditInput(2025, 2026, CreditHouseKind::Zeh, true, 40000000, 500000, 0, 0), 0, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

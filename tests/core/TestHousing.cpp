// SPDX-License-Identifier: GPL-3.0-or-later
// The home settings in the plan file, the rent and house costs around the move, 団信 from the life
// cycle table and the year's 住宅ローン控除.
#include "support/PlanBuilder.h"

#include "core/money/Housing.h"
#include "core/plan/MoneySection.h"
#include "core/table/TableBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace harukaze;

namespace {

// The section's lines between the header and END_MONEY.
std::vector<std::string> body(const MoneySettings& settings)
{
    std::vector<std::string> lines = moneySectionLines(settings);
    return std::vector<std::string>(lines.begin() + 1, lines.end() - 1);
}

MoneySettings read(const std::vector<std::string>& lines)
{
    std::vector<std::string> section { "HARUKAZE_MONEY(1)" };
    section.insert(section.end(), lines.begin(), lines.end());
    return readMoneySection(section).value_or(MoneySettings {});
}

TEST(TestHousing, housingBlockFollowsTheEntriesAndPrecedesUnknownLines)
{
    MoneySettings settings;
    settings.expenses[0] = MoneyEntry { 2030, 500, "車" };
    settings.unknownLines = { "LATER_KEY=1" };
    settings.home.loanYear = 2026;
    settings.home.loanAmount = 30000;
    settings.home.loanRate = 375;
    settings.home.rateChanges[2] = LoanRateChange { 2031, 4, 1500 };
    settings.home.prepayments[0] = Prepayment { 2032, 12, 125, PrepaymentKind::LowerPayment };
    const std::vector<std::string> lines = body(settings);
    const auto at
        = [&lines](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    const auto rent = at("RENT=0");
    EXPECT_EQ(rent, at("EXPENSE1=2030,50,車") + 1);
    EXPECT_EQ(at("LOAN_RATE=0.375"), rent + 13);
    EXPECT_EQ(at("CREDIT_TOTAL_INCOME=0"), rent + 24);
    EXPECT_EQ(at("LOAN_RATE3=2031,4,1.500"), rent + 25);
    EXPECT_EQ(at("PREPAY1=2032,12,12.5,返済額軽減"), rent + 26);
    EXPECT_EQ(at("LATER_KEY=1"), rent + 27);
    EXPECT_EQ(read(lines), settings);
}

TEST(TestHousing, defaultHomeWritesNoHousingKeys)
{
    // A section whose housing lines all hold defaults is written as if it had none.
    const MoneySettings settings = read({ "RENT=0", "LOAN_RATE=0.000", "LOAN_METHOD=元利均等" });
    const std::vector<std::string> lines = body(settings);
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "RENT=0"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "LOAN_RATE=0.000"), lines.end());
}

struct LineCase
{
    const char* line;
    bool kept; ///< an unknown line, kept verbatim
    HomeSettings expected;
};

HomeSettings with(void (*change)(HomeSettings&))
{
    HomeSettings home;
    change(home);
    return home;
}

class HomeLineTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(HomeLineTest, readsOrRefuses)
{
    const LineCase& c = GetParam();
    const MoneySettings settings = read({ c.line });
    EXPECT_EQ(settings.home, c.expected);
    EXPECT_EQ(settings.unknownLines.size(), c.kept ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(Grammar,
    HomeLineTest,
    ::testing::Values(LineCase { "LOAN_RATE=2.375", false, with([](HomeSettings& h) { h.loanRate = 2375; }) },
        LineCase { "LOAN_RATE=020.000", false, with([](HomeSettings& h) { h.loanRate = 20000; }) },
        LineCase { "LOAN_RATE=1.5", false, with([](HomeSettings& h) { h.loanRate = 1500; }) },
        LineCase { "LOAN_RATE=1.", false, {} },
        LineCase { "LOAN_RATE=.5", false, {} },
        LineCase { "LOAN_RATE=1.2345", false, {} },
        LineCase { "LOAN_RATE=-0.1", false, {} },
        LineCase { "LOAN_RATE=20.001", false, {} },
        LineCase { "LOAN_YEARS=51", false, {} },
        LineCase { "LOAN_MONTHS=11", false, with([](HomeSettings& h) { h.loanMonths = 11; }) },
        LineCase { "LOAN_MONTHS=12", false, {} },
        LineCase { "MOVE_MONTH=0", false, {} },
        LineCase {
            "LOAN_RATE_TYPE=変動", false, with([](HomeSettings& h) { h.loanRateType = LoanRateType::Variable; }) },
        LineCase { "CREDIT_NEW=既存", false, with([](HomeSettings& h) { h.creditNew = false; }) },
        LineCase { "CREDIT_KIND=ZEH", false, with([](HomeSettings& h) { h.creditKind = CreditHouseKind::Zeh; }) },
        LineCase { "CREDIT=01", false, {} },
        LineCase { "LOAN_RATE1=2030,4,1.5", false, with([](HomeSettings& h) {
                      h.rateChanges[0] = LoanRateChange { 2030, 4, 1500 };
                  }) },
        LineCase { "LOAN_RATE1=0,4,1.5", false, {} },
        LineCase { "LOAN_RATE1=2030,13,1.5", false, {} },
        LineCase { "LOAN_RATE1=2030,4,1.5,", false, {} },
        LineCase { "PREPAY20=02030,4,-0,期間短縮", false, with([](HomeSettings& h) {
                      h.prepayments[19] = Prepayment { 2030, 4, 0, PrepaymentKind::ShortenTerm };
                  }) },
        LineCase { "PREPAY1=2030,4,100,期間短縮型", false, {} },
        LineCase { "PREPAY1=2030,4,100", false, {} },
        LineCase { "LOAN_RATE0=2030,4,1.5", true, {} },
        LineCase { "PREPAY21=2030,4,100,期間短縮", true, {} },
        LineCase { "PREPAY01=2030,4,100,期間短縮", true, {} }));

// 家賃 and 住宅維持費 of year n in yen (the numerator is over 12 × 1000^n).
boost::multiprecision::cpp_int rentAndHouseCosts(const HomeSettings& home, int y0, int n)
{
    return rentAndHouseCostTwelfths(home, y0, n) / 12
        / boost::multiprecision::pow(boost::multiprecision::cpp_int(1000), static_cast<unsigned>(n));
}

TEST(TestHousing, rentAndHouseCostsAroundTheMove)
{
    // 家賃 120万円 a year growing 1.0%, 住宅維持費 24万円 flat, moving in April of 2027 (Y0 = 2026).
    HomeSettings home;
    home.rent = 1200;
    home.rentRate = 10;
    home.houseCost = 240;
    home.moveYear = 2027;
    home.moveMonth = 4;
    // 2026: 12 months of rent, 1,200,000.
    EXPECT_EQ(rentAndHouseCosts(home, 2026, 0), 1200000);
    // 2027: 1,212,000 × 3/12 + 240,000 × 9/12 = 303,000 + 180,000.
    EXPECT_EQ(rentAndHouseCosts(home, 2026, 1), 483000);
    // 2028: only house costs.
    EXPECT_EQ(rentAndHouseCosts(home, 2026, 2), 240000);
    // Without a move or a loan: rent every month, 1,200,000 × 1.01² = 1,224,120.
    home.moveYear = 0;
    EXPECT_EQ(rentAndHouseCosts(home, 2026, 2), 1224120);
    // With a loan paid out in July 2026 and no move given, the family moves that month:
    // 1,200,000 × 6/12 + 240,000 × 6/12.
    home.loanYear = 2026;
    home.loanMonth = 7;
    home.loanAmount = 30000;
    EXPECT_EQ(rentAndHouseCosts(home, 2026, 0), 720000);
}

HomeSettings insuredLoan(LoanInsured insured)
{
    HomeSettings home;
    home.loanYear = 2026;
    home.loanMonth = 1;
    home.loanAmount = 3000;
    home.loanYears = 35;
    home.loanRate = 1000;
    home.insured = insured;
    return home;
}

FamilyPlan planWith(const HomeSettings& home)
{
    FamilyPlan plan = testplan::PlanBuilder().husband(1980, 65, 70).wife(1982, 60, 86).build();
    plan.money = MoneySettings {};
    plan.money->home = home;
    return plan;
}

TEST(TestHousing, insuranceYearIsTheTablesEndOfLife)
{
    TableContext context;
    context.y0 = 2026;
    // The husband's entered age at death 70: D = 1980 + 70 = 2050; the wife is not insured.
    const FamilyPlan plan = planWith(insuredLoan(LoanInsured::Husband));
    EXPECT_EQ(loanClearedYear(plan.money->home, buildLifeCycleTable(plan, context)), 2050);
    const std::optional<LoanSchedule> schedule = planLoanSchedule(planWith(insuredLoan(LoanInsured::Husband)), context);
    ASSERT_TRUE(schedule.has_value());
    ASSERT_NE(schedule->clearedEvent(), nullptr);
    EXPECT_EQ(schedule->clearedEvent()->year, 2050);
    // A spouse not in the table gives no 団信.
    FamilyPlan single = planWith(insuredLoan(LoanInsured::Wife));
    single.ST1_WIFE = 0;
    EXPECT_EQ(loanClearedYear(single.money->home, buildLifeCycleTable(single, context)), std::nullopt);
}

TEST(TestHousing, creditNeedsTenYearsOfTerm)
{
    // 3,000万円 at 1% from January 2026, 新築 省エネ, 所得税 30万円, no 住民税 part.
    HomeSettings home = insuredLoan(LoanInsured::None);
    home.loanAmount = 30000;
    home.credit = 1;
    home.creditIncomeTax = 300;
    const LoanSchedule full = computeLoanSchedule(loanTerms(home, std::nullopt));
    // 2026: 2,000万 limit × 0.7% = 140,000.
    EXPECT_EQ(loanCreditOfYear(home, full, 2026, flatCreditTaxes(home)).total(), 140000);
    home.loanYears = 9;
    home.loanMonths = 11;
    const LoanSchedule shortTerm = computeLoanSchedule(loanTerms(home, std::nullopt));
    EXPECT_EQ(loanCreditOfYear(home, shortTerm, 2026, flatCreditTaxes(home)).total(), 0);
    // Without CREDIT = 1 nothing.
    home.loanYears = 35;
    home.credit = 0;
    EXPECT_EQ(loanCreditOfYear(home, full, 2026, flatCreditTaxes(home)).total(), 0);
}

TEST(TestHousing, creditWithGrossIncomeIsLimitedByTheTaxpayersComputedTaxes)
{
    // 3,000万円 at 1% from January 2026, 新築 省エネ; the husband earns 額面 600万 and pays the loan.
    HomeSettings home = insuredLoan(LoanInsured::None);
    home.loanAmount = 30000;
    home.credit = 1;
    home.creditIncomeTax = 9999; // the flat keys are kept but unused with 額面 income
    FamilyPlan plan = planWith(home);
    plan.money->husbandIncome = 6000;
    plan.money->tax.incomeBasis = IncomeBasis::Gross;
    TableContext context;
    context.y0 = 2026;
    const TableModel table = buildLifeCycleTable(plan, context);
    const PlanTaxes taxes = planTaxes(plan, *plan.money, table);
    const auto limits = creditTaxesOfTable(*plan.money, table.facts, taxes.gross);
    // Each year's limits are the husband's 基準所得税額, 課税所得, 所得割 and 合計所得金額.
    for (size_t n : { size_t(0), size_t(12) }) {
        const TaxBreakdown& husband = taxes.years[n].of(Spouse::Husband);
        ASSERT_TRUE(limits[n].has_value());
        EXPECT_EQ(limits[n]->incomeTax, husband.baseIncomeTax);
        EXPECT_EQ(limits[n]->taxable, husband.taxableIncome);
        EXPECT_EQ(limits[n]->residentTax, husband.residentIncomeLevy());
        EXPECT_EQ(limits[n]->totalIncome, husband.combinedIncome);
    }
    // 2026: full = 2,000万 × 0.7% = 140,000; the 所得税 part takes at most 基準所得税額, the 住民税 part
    // the rest up to 5% of 課税所得, 97,500 and the 所得割.
    const TaxBreakdown& first = taxes.years[0].of(Spouse::Husband);
    const int64_t incomePart = std::min<int64_t>(140000, first.baseIncomeTax);
    const int64_t residentPart
        = std::min({ 140000 - incomePart, first.taxableIncome * 5 / 100, int64_t(97500), first.residentIncomeLevy() });
    const LoanSchedule schedule = *planLoanSchedule(plan, table);
    EXPECT_EQ(loanCreditOfYear(home, schedule, 2026, *limits[0]).total(), incomePart + residentPart);

    // The wife named as the taxpayer but not in the table: no credit in any year.
    plan.money->home.creditTaxpayer = CreditTaxpayer::Wife;
    plan.ST1_WIFE = 0;
    const TableModel single = buildLifeCycleTable(plan, context);
    const auto none = creditTaxesOfTable(*plan.money, single.facts, planTaxes(plan, *plan.money, single).gross);
    EXPECT_TRUE(std::none_of(none.begin(), none.end(), [](const auto& limit) { return limit.has_value(); }));
    // With 手取り income the flat keys limit every year.
    plan.money->tax.incomeBasis = IncomeBasis::Net;
    EXPECT_EQ(creditTaxesOfTable(*plan.money, single.facts, planTaxes(plan, *plan.money, single).gross)[50]->incomeTax,
        9999 * 1000);
}

} // namespace

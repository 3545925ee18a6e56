// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/Housing.h"

#include "core/io/Cp932.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/TableBuilder.h"

namespace harukaze {

namespace {

using boost::multiprecision::cpp_int;

constexpr int MONTHS = 12;
constexpr int MIN_CREDIT_PAYMENTS = 120; // 償還期間 10年以上
constexpr int64_t YEN_PER_TENTH = 1000; // 0.1万円
constexpr int64_t YEN_PER_MAN = 10000;
constexpr int GROWTH_DENOMINATOR = 1000;

// The numerator of grow(v, r, n) over 1000^n: v × (1000 + 10r)^n, v in tenths of 万円.
cpp_int grownNumerator(int tenths, int rateTenths, int n)
{
    return cpp_int(tenths) * YEN_PER_TENTH
        * boost::multiprecision::pow(cpp_int(1000 + rateTenths), static_cast<unsigned>(n));
}

} // namespace

std::optional<MoveMonth> moveMonth(const HomeSettings& home)
{
    if (home.moveYear > 0)
        return MoveMonth { home.moveYear, home.moveMonth };
    if (home.hasLoan())
        return MoveMonth { home.loanYear, home.loanMonth };
    return std::nullopt;
}

cpp_int rentAndHouseCostTwelfths(const HomeSettings& home, int y0, int n)
{
    const int Y = y0 + n;
    int rentMonths = MONTHS;
    if (const std::optional<MoveMonth> move = moveMonth(home)) {
        if (Y > move->year)
            rentMonths = 0;
        else if (Y == move->year)
            rentMonths = move->month - 1;
    }
    cpp_int sum = 0;
    if (rentMonths > 0 && home.rent != 0)
        sum += grownNumerator(home.rent, home.rentRate, n) * rentMonths;
    if (rentMonths < MONTHS && home.houseCost != 0)
        sum += grownNumerator(home.houseCost, home.houseCostRate, n) * (MONTHS - rentMonths);
    return sum;
}

LoanTerms loanTerms(const HomeSettings& home, std::optional<int> clearedYear)
{
    LoanTerms terms;
    if (!home.hasLoan())
        return terms;
    terms.principal = static_cast<int64_t>(home.loanAmount) * YEN_PER_TENTH;
    terms.payments = home.payments();
    terms.year = home.loanYear;
    terms.month = home.loanMonth;
    terms.method = home.loanMethod;
    terms.rateType = home.loanRateType;
    terms.rate = home.loanRate;
    for (const std::optional<LoanRateChange>& change : home.rateChanges) {
        if (change)
            terms.rateChanges.push_back(*change);
    }
    for (const std::optional<Prepayment>& entry : home.prepayments) {
        if (entry)
            terms.prepayments.push_back(
                { entry->year, entry->month, static_cast<int64_t>(entry->amount) * YEN_PER_TENTH, entry->kind });
    }
    terms.clearedYear = clearedYear;
    return terms;
}

std::optional<int> loanClearedYear(const HomeSettings& home, const TableModel& table)
{
    if (home.insured == LoanInsured::None)
        return std::nullopt;
    const MemberFacts* spouse
        = table.facts.find(home.insured == LoanInsured::Wife ? MemberKind::Wife : MemberKind::Husband);
    if (!spouse)
        return std::nullopt;
    return spouse->birthYear + spouse->ageAtDeath;
}

std::optional<LoanSchedule> planLoanSchedule(const FamilyPlan& plan, const TableModel& table)
{
    if (!plan.money || !plan.money->home.hasLoan())
        return std::nullopt;
    const HomeSettings& home = plan.money->home;
    return computeLoanSchedule(loanTerms(home, loanClearedYear(home, table)));
}

std::optional<LoanSchedule> planLoanSchedule(const FamilyPlan& plan, const TableContext& context)
{
    if (!plan.money || !plan.money->home.hasLoan())
        return std::nullopt;
    return planLoanSchedule(plan, buildLifeCycleTable(plan, context));
}

std::string planLoanScheduleCsvBytes(const FamilyPlan& plan, const TableContext& context)
{
    const std::optional<LoanSchedule> schedule = planLoanSchedule(plan, context);
    return utf8ToCp932(loanScheduleCsvText(schedule ? *schedule : LoanSchedule {}));
}

CreditTaxes flatCreditTaxes(const HomeSettings& home)
{
    return { static_cast<int64_t>(home.creditIncomeTax) * YEN_PER_TENTH,
        static_cast<int64_t>(home.creditTaxable) * YEN_PER_TENTH,
        static_cast<int64_t>(home.creditResidentTax) * YEN_PER_TENTH,
        static_cast<int64_t>(home.creditTotalIncome) * YEN_PER_TENTH };
}

std::array<std::optional<CreditTaxes>, TABLE_YEARS> creditTaxesOfTable(
    const MoneySettings& settings, const TableFacts& facts, const GrossYears& gross)
{
    std::array<std::optional<CreditTaxes>, TABLE_YEARS> taxes;
    if (!settings.tax.gross()) {
        taxes.fill(flatCreditTaxes(settings.home));
        return taxes;
    }
    const Spouse payer = settings.home.creditTaxpayer == CreditTaxpayer::Wife ? Spouse::Wife : Spouse::Husband;
    if (!gross.inTable[static_cast<size_t>(payer)])
        return taxes;
    const std::vector<TaxYearResult> years = computeTaxYears(facts, settings.tax, gross);
    for (size_t n = 0; n < taxes.size() && n < years.size(); ++n) {
        const TaxBreakdown& figures = years[n].of(payer);
        taxes[n] = CreditTaxes {
            figures.baseIncomeTax, figures.taxableIncome, figures.residentIncomeLevy(), figures.combinedIncome
        };
    }
    return taxes;
}

CreditParts loanCreditOfYear(const HomeSettings& home, const LoanSchedule& schedule, int Y, const CreditTaxes& taxes)
{
    const std::optional<MoveMonth> move = moveMonth(home);
    if (home.credit != 1 || !move || schedule.terms.payments < MIN_CREDIT_PAYMENTS)
        return {};
    const LoanYear year = schedule.year(Y);
    if (year.paymentsEnd < MIN_CREDIT_PAYMENTS)
        return {};
    CreditInput input;
    input.year = Y;
    input.moveInYear = move->year;
    input.kind = home.creditKind;
    input.newHouse = home.creditNew;
    input.child = home.creditChild == 1;
    input.small = home.creditSmall == 1;
    input.balance = year.balance;
    input.incomeTax = taxes.incomeTax;
    input.taxable = taxes.taxable;
    input.residentTax = taxes.residentTax;
    input.totalIncome = taxes.totalIncome;
    return housingCredit(input);
}

void addHousingRows(
    CashFlowLedger& ledger, const FamilyPlan& plan, const MoneySettings& settings, const TableModel& table)
{
    const HomeSettings& home = settings.home;
    const int y0 = ledger.y0();
    ExactYen yearDenominator = 1;
    for (int n = 0; n < TABLE_YEARS; ++n, yearDenominator *= GROWTH_DENOMINATOR) {
        const cpp_int twelfths = rentAndHouseCostTwelfths(home, y0, n);
        if (twelfths == 0)
            continue;
        // 住居費 is rounded once: its exact value (over 1000^n) and the rent's (over 12 × 1000^n) are
        // summed over 12 × 1000^n and rounded to whole 万円, which the row then holds.
        const ExactYen total = ledger.exact(MoneyRow::Housing, n) * MONTHS + ExactYen(twelfths);
        const ExactYen denominator = yearDenominator * MONTHS * YEN_PER_MAN;
        const bool negative = total < 0;
        ExactYen quotient;
        ExactYen remainder;
        boost::multiprecision::divide_qr(negative ? ExactYen(-total) : total, denominator, quotient, remainder);
        if (remainder * 2 >= denominator)
            ++quotient;
        ledger.clear(MoneyRow::Housing, n);
        ledger.add(MoneyRow::Housing, n, (negative ? ExactYen(-quotient) : quotient) * YEN_PER_MAN * yearDenominator);
    }

    const std::optional<LoanSchedule> schedule = planLoanSchedule(plan, table);
    if (!schedule)
        return;
    ledger.include(MoneyRow::HousingLoanDeduction);
    ledger.include(MoneyRow::HousingLoan);
    ledger.include(MoneyRow::LoanBalance);
    // The credit is limited by the taxes of the year: the tax rows' own figures with 額面 income.
    std::array<std::optional<CreditTaxes>, TABLE_YEARS> taxes;
    if (home.credit == 1)
        taxes = creditTaxesOfTable(settings, table.facts, grossYears(ledger));
    for (int n = 0; n < TABLE_YEARS; ++n) {
        const LoanYear year = schedule->year(y0 + n);
        ledger.addYen(MoneyRow::HousingLoan, n, year.payments + year.prepaid);
        ledger.addYen(MoneyRow::LoanBalance, n, year.balance + year.unpaid);
        if (const std::optional<CreditTaxes>& limit = taxes[static_cast<size_t>(n)])
            ledger.addYen(MoneyRow::HousingLoanDeduction, n, loanCreditOfYear(home, *schedule, y0 + n, *limit).total());
    }
}

} // namespace harukaze

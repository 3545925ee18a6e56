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

std::optional<int> loanClearedYear(const FamilyPlan& plan, const HomeSettings& home, const TableContext& context)
{
    const bool wife = home.insured == LoanInsured::Wife;
    if (home.insured == LoanInsured::None || (wife ? plan.ST1_WIFE : plan.ST1_HUSBAND) != 1)
        return std::nullopt;
    const TableBuilder builder(plan, context, nullptr);
    const int birthYear = wife ? plan.ST2_WIFE_BIRTH_YEAR : plan.ST2_HUSBAND_BIRTH_YEAR;
    return birthYear + builder.spouseAgeAtDeath(wife);
}

std::optional<LoanSchedule> planLoanSchedule(const FamilyPlan& plan, const TableContext& context)
{
    if (!plan.money || !plan.money->home.hasLoan())
        return std::nullopt;
    const HomeSettings& home = plan.money->home;
    return computeLoanSchedule(loanTerms(home, loanClearedYear(plan, home, context)));
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

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/HomeSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace harukaze {

/**
 * One housing loan paid monthly, as Japanese lenders' schedules compute it: whole yen, the interest
 * of a month floor(B × R / 1,200,000) with R in thousandths of a percent, the payment of 元利均等 the
 * exact floor of B·r·(1+r)^m / ((1+r)^m − 1), the last payment absorbing every remainder.
 */

/** A 繰上返済 with its amount in yen. */
struct LoanPrepayment
{
    int year = 0;
    int month = 1;
    int64_t amount = 0;
    PrepaymentKind kind = PrepaymentKind::ShortenTerm;
};

/** What the schedule needs to know of a loan. */
struct LoanTerms
{
    int64_t principal = 0; ///< P, 借入額 in yen
    int payments = 0; ///< N, 1..600
    int year = 0; ///< 融資実行 year
    int month = 1; ///< 融資実行 month
    LoanMethod method = LoanMethod::EqualPayment;
    LoanRateType rateType = LoanRateType::Fixed;
    int rate = 0; ///< 当初金利, thousandths of a percent
    std::vector<LoanRateChange> rateChanges; ///< in index order
    std::vector<LoanPrepayment> prepayments; ///< in index order
    std::optional<int> clearedYear; ///< D: from 1 January of this year 団信 clears the loan
};

enum class LoanEventKind {
    Payment, ///< a monthly payment
    Prepayment, ///< a 繰上返済 that paid more than 0
    Cleared, ///< 団信 cleared what was left
};

/** One line of the schedule. */
struct LoanEvent
{
    LoanEventKind kind = LoanEventKind::Payment;
    int number = 0; ///< the payment's number k; for a 繰上返済 the number of payments made before it
    int year = 0;
    int month = 1;
    int rate = 0; ///< the payment's rate (thousandths of a percent); 0 for other lines
    int64_t paid = 0; ///< 返済額 (0 for 団信)
    int64_t principal = 0; ///< 元金 repaid (or cleared)
    int64_t interest = 0; ///< 利息 paid, 未払利息 paid included (or 未払利息 cleared)
    int64_t unpaidAfter = 0; ///< 未払利息 carried after the line
    int64_t balanceAfter = 0; ///< principal balance after the line
    int paymentsEnd = 0; ///< N_end after the line
};

/** The sums of a calendar year and its year-end balances. */
struct LoanYear
{
    bool hasEvents = false; ///< a payment, 繰上返済 or 団信 line is dated in the year
    int64_t payments = 0; ///< 返済額(Y)
    int64_t prepaid = 0; ///< 繰上返済額(Y)
    int64_t principal = 0; ///< 元金(Y)
    int64_t interest = 0; ///< 利息(Y), 未払利息 paid included
    int64_t balance = 0; ///< 年末残高(Y)
    int64_t unpaid = 0; ///< 年末未払利息(Y)
    int paymentsEnd = 0; ///< N_end after the events up to the end of the year
};

class LoanSchedule
{
public:
    LoanTerms terms;
    std::vector<LoanEvent> events; ///< in date order, a 繰上返済 after the payment of its month

    /** The year's sums and balances. */
    LoanYear year(int Y) const;

    int64_t firstPayment() const; ///< 毎月返済額: what the first payment paid (0 without one)
    int64_t totalPaid() const; ///< 総返済額: payments and 繰上返済
    int64_t totalInterest() const; ///< 利息総額, 未払利息 paid included
    /** The line that ended the loan by payment (the final payment or a 繰上返済 of all), if any. */
    const LoanEvent* finalEvent() const;
    /** The 団信 line, if the insurance cleared the loan. */
    const LoanEvent* clearedEvent() const;
};

/** Computes the schedule of `terms`. */
LoanSchedule computeLoanSchedule(const LoanTerms& terms);

/**
 * A(B, R, m): the 元利均等 payment that repays `balance` in `months` payments at `rate` (thousandths
 * of a percent a year), floor(B·r·(1+r)^m / ((1+r)^m − 1)) with r = R / 1,200,000, exactly; at
 * R = 0 floor(B / m). `months` ≥ 1.
 */
int64_t loanPayment(int64_t balance, int rate, int months);

/** loanPayment() computed with arbitrary-precision integers only (the near-integer cases' path). */
int64_t loanPaymentExact(int64_t balance, int rate, int months);

/**
 * The smallest m in 1..maxMonths for which `payment` a month repays `balance` at `rate`
 * (B·r·(1+r)^m / ((1+r)^m − 1) ≤ payment, exactly), or nothing.
 */
std::optional<int> monthsToRepay(int64_t balance, int rate, int64_t payment, int maxMonths);

/** What one more 繰上返済 would change, before it is added. */
struct PrepaymentEffect
{
    bool applies = false; ///< the 繰上返済 pays something (dated within the loan, amount above 0)
    int monthsSooner = 0; ///< 完済 moves this many months earlier
    int64_t interestSaved = 0; ///< 利息総額 falls by this much
    int64_t paymentBefore = 0; ///< the payment of the month after it without the 繰上返済
    int64_t paymentAfter = 0; ///< … and with it
};

/** The effect of adding `extra` to the loan's 繰上返済 (after the ones it has). */
PrepaymentEffect prepaymentEffect(const LoanTerms& terms, const LoanPrepayment& extra);

/** One line of the schedule as the window, the pages and the CSV show it. */
struct LoanScheduleLine
{
    bool yearTotal = false; ///< a "Y年計" line
    int year = 0; ///< the calendar year the line belongs to
    std::string number; ///< 回数: "12", "繰上11", "団信", "2031年計"
    std::string month; ///< 年月 "2031/04" (empty on a year line)
    std::string rate; ///< 金利 "2.375%" (payments only)
    int64_t paid = 0; ///< 返済額
    int64_t principal = 0; ///< 元金
    int64_t interest = 0; ///< 利息
    int64_t unpaid = 0; ///< 未払利息 after the line
    int64_t balance = 0; ///< 残高 after the line
};

/** The lines in date order, each calendar year's "Y年計" line after its last line. */
std::vector<LoanScheduleLine> loanScheduleLines(const LoanSchedule& schedule);

/**
 * The schedule CSV text (UTF-8, CR LF after every row): the header row, the lines, and after the
 * last line of each calendar year its "Y年計" row.
 */
std::string loanScheduleCsvText(const LoanSchedule& schedule);

/** "YYYY/MM" with the year as printf's "%04d" writes it ("2026/04", "0005/01", "-019/12"). */
std::string loanMonthText(int year, int month);

/** A rate in thousandths of a percent with three decimals and "%" ("2.375%"). */
std::string loanRateText(int rate);

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/Loan.h"

#include <algorithm>
#include <boost/multiprecision/cpp_int.hpp>
#include <cstdio>

namespace harukaze {

namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::uint256_t;

// The monthly rate is R / RATE_DIVISOR: R in thousandths of a percent, twelve months.
constexpr int64_t RATE_DIVISOR = 1200000;
constexpr int REVIEW_PERIOD = 60; // 5年ルール: the payment is reviewed every 60 payments
constexpr int MONTHS = 12;

// Fixed point with FRACTION_BITS binary places for (1 + r)^m: at most 20% a year over 600 months it
// stays under 2^15, so products of two such numbers fit 256 bits with room to spare.
constexpr unsigned FRACTION_BITS = 80;

int64_t monthlyInterest(int64_t balance, int rate)
{
    return static_cast<int64_t>(static_cast<__int128>(balance) * rate / RATE_DIVISOR);
}

// Lower and upper bounds of 2^FRACTION_BITS × (1 + r)^m, each step rounded down (lower) or up.
struct GrowthBounds
{
    uint256_t low;
    uint256_t high;
};

GrowthBounds growthBounds(int rate, int months)
{
    const uint256_t one = uint256_t(1) << FRACTION_BITS;
    const uint256_t numerator = one * static_cast<uint64_t>(RATE_DIVISOR + rate);
    uint256_t baseLow = numerator / RATE_DIVISOR;
    uint256_t baseHigh = baseLow + (numerator % RATE_DIVISOR != 0 ? 1 : 0);
    const uint256_t mask = one - 1;
    auto multiplyDown = [](const uint256_t& a, const uint256_t& b) { return (a * b) >> FRACTION_BITS; };
    auto multiplyUp = [&mask](const uint256_t& a, const uint256_t& b) {
        const uint256_t product = a * b;
        return (product >> FRACTION_BITS) + ((product & mask) != 0 ? 1 : 0);
    };
    GrowthBounds result { one, one };
    for (int m = months; m > 0; m >>= 1) {
        if (m & 1) {
            result.low = multiplyDown(result.low, baseLow);
            result.high = multiplyUp(result.high, baseHigh);
        }
        if (m > 1) {
            baseLow = multiplyDown(baseLow, baseLow);
            baseHigh = multiplyUp(baseHigh, baseHigh);
        }
    }
    return result;
}

// q^m and D^m of (1 + r)^m = q^m / D^m, q = D + R.
struct ExactGrowth
{
    cpp_int numerator;
    cpp_int denominator;
};

ExactGrowth exactGrowth(int rate, int months)
{
    return { boost::multiprecision::pow(cpp_int(RATE_DIVISOR + rate), static_cast<unsigned>(months)),
        boost::multiprecision::pow(cpp_int(RATE_DIVISOR), static_cast<unsigned>(months)) };
}

// Whether `payment` a month repays `balance` in `months` payments: F·(A·D − B·R) ≥ A·D with
// F = (1 + r)^m, decided on the bounds and, when they straddle the limit, exactly.
bool repaysWithin(int64_t balance, int rate, int64_t payment, int months)
{
    // A·D and A·D − B·R stay under 2^52 for amounts under 2^31 yen.
    const uint64_t ad = static_cast<uint64_t>(payment) * RATE_DIVISOR;
    const uint64_t excess = ad - static_cast<uint64_t>(balance) * static_cast<uint64_t>(rate);
    const GrowthBounds bounds = growthBounds(rate, months);
    const uint256_t target = uint256_t(ad) << FRACTION_BITS;
    if (bounds.low * excess >= target)
        return true;
    if (bounds.high * excess < target)
        return false;
    const ExactGrowth growth = exactGrowth(rate, months);
    return growth.numerator * cpp_int(excess) >= cpp_int(ad) * growth.denominator;
}

// Formats a whole number as printf's "%04d".
std::string paddedYear(int year)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d", year);
    return text;
}

int monthIndex(int year, int month)
{
    return year * MONTHS + (month - 1);
}

int yearOfIndex(int index)
{
    return index >= 0 ? index / MONTHS : -((-index + MONTHS - 1) / MONTHS);
}

int monthOfIndex(int index)
{
    return index - yearOfIndex(index) * MONTHS + 1;
}

// The loan's state between lines.
class Schedule
{
public:
    explicit Schedule(const LoanTerms& terms)
        : m_terms(terms)
    {
        m_start = monthIndex(terms.year, terms.month);
        m_balance = terms.principal;
        m_end = terms.payments;
        std::vector<std::pair<int, size_t>> order;
        for (size_t i = 0; i < terms.rateChanges.size(); ++i)
            order.emplace_back(monthIndex(terms.rateChanges[i].year, terms.rateChanges[i].month), i);
        std::stable_sort(order.begin(), order.end());
        for (const auto& [index, i] : order)
            m_rates.emplace_back(index, terms.rateChanges[i].rate);
        for (const LoanPrepayment& entry : terms.prepayments) {
            const int index = monthIndex(entry.year, entry.month);
            if (entry.amount > 0 && index >= m_start)
                m_prepayments.emplace_back(index, entry);
        }
        std::stable_sort(
            m_prepayments.begin(), m_prepayments.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    }

    std::vector<LoanEvent> run()
    {
        const std::optional<int> D = m_terms.clearedYear;
        if (D && *D <= m_terms.year) {
            clear(*D);
            return std::move(m_events);
        }
        m_rateOfPayment = rateAt(m_start + 1);
        if (m_terms.method == LoanMethod::EqualPayment)
            m_payment = loanPayment(m_balance, m_rateOfPayment, m_end);
        else
            m_principalPart = m_balance / m_terms.payments;
        prepayAfter(m_start, 0);
        for (int k = 1; !m_ended; ++k) {
            const int index = m_start + k;
            if (D && yearOfIndex(index) >= *D) {
                clear(*D);
                break;
            }
            pay(k, index);
            if (!m_ended)
                prepayAfter(index, k);
        }
        return std::move(m_events);
    }

private:
    int rateAt(int index) const
    {
        int rate = m_terms.rate;
        for (const auto& [from, entryRate] : m_rates) {
            if (from > index)
                break;
            rate = entryRate;
        }
        return rate;
    }

    void pay(int k, int index)
    {
        const int rate = rateAt(index);
        const int64_t interest = monthlyInterest(m_balance, rate);
        LoanEvent event;
        event.kind = LoanEventKind::Payment;
        event.number = k;
        event.year = yearOfIndex(index);
        event.month = monthOfIndex(index);
        event.rate = rate;
        if (m_terms.method == LoanMethod::EqualPayment) {
            reviewPayment(k, rate);
            if (k == m_end || m_balance + interest + m_unpaid <= m_payment) {
                event.paid = m_balance + interest + m_unpaid;
                event.principal = m_balance;
                event.interest = interest + m_unpaid;
                m_ended = true;
            } else if (m_payment < interest) {
                event.paid = m_payment;
                event.interest = m_payment;
                m_unpaid += interest - m_payment;
            } else {
                int64_t rest = m_payment - interest;
                const int64_t principal = std::min(rest, m_balance);
                rest -= principal;
                const int64_t unpaid = std::min(rest, m_unpaid);
                event.paid = m_payment;
                event.principal = principal;
                event.interest = interest + unpaid;
                m_unpaid -= unpaid;
            }
        } else if (k == m_end || m_balance <= m_principalPart) {
            event.paid = m_balance + interest;
            event.principal = m_balance;
            event.interest = interest;
            m_ended = true;
        } else {
            event.paid = m_principalPart + interest;
            event.principal = m_principalPart;
            event.interest = interest;
        }
        m_balance -= event.principal;
        if (m_ended) {
            m_balance = 0;
            m_unpaid = 0;
        }
        finish(event);
    }

    // 固定: a new rate sets a new payment at once. 変動: every 60 payments, capped at 125%.
    void reviewPayment(int k, int rate)
    {
        const int remaining = m_end - k + 1;
        if (m_terms.rateType == LoanRateType::Fixed) {
            if (rate != m_rateOfPayment) {
                m_payment = loanPayment(m_balance, rate, remaining);
                m_rateOfPayment = rate;
            }
            return;
        }
        const bool review = k > REVIEW_PERIOD && (k - 1) % REVIEW_PERIOD == 0 && k < m_end;
        if (!review || (rate == m_rateOfPayment && !m_capped))
            return;
        const int64_t wanted = loanPayment(m_balance, rate, remaining);
        const int64_t cap = m_payment * 5 / 4;
        m_capped = wanted > cap;
        m_payment = std::min(wanted, cap);
        m_rateOfPayment = rate;
    }

    void prepayAfter(int index, int made)
    {
        while (m_nextPrepayment < m_prepayments.size() && m_prepayments[m_nextPrepayment].first <= index) {
            const auto& [entryIndex, entry] = m_prepayments[m_nextPrepayment++];
            if (entryIndex == index && !m_ended)
                prepay(entry, index, made);
        }
    }

    void prepay(const LoanPrepayment& entry, int index, int made)
    {
        LoanEvent event;
        event.kind = LoanEventKind::Prepayment;
        event.number = made;
        event.year = yearOfIndex(index);
        event.month = monthOfIndex(index);
        event.paid = std::min(entry.amount, m_balance + m_unpaid);
        event.interest = std::min(event.paid, m_unpaid);
        event.principal = event.paid - event.interest;
        m_unpaid -= event.interest;
        m_balance -= event.principal;
        if (m_balance + m_unpaid == 0) {
            m_ended = true;
            m_end = made;
            finish(event);
            return;
        }
        const int rate = rateAt(index + 1);
        const int left = m_end - made;
        if (m_terms.method == LoanMethod::EqualPayment) {
            if (entry.kind == PrepaymentKind::LowerPayment) {
                m_payment = loanPayment(m_balance, rate, left);
                m_rateOfPayment = rate;
                m_capped = false;
            } else if (m_balance == 0) {
                m_end = made + 1;
            } else if (const std::optional<int> months = monthsToRepay(m_balance, rate, m_payment, left)) {
                m_end = made + *months;
            }
        } else if (entry.kind == PrepaymentKind::LowerPayment) {
            m_principalPart = m_balance / left;
        } else if (m_principalPart > 0) {
            const int64_t months = (m_balance + m_principalPart - 1) / m_principalPart;
            m_end = made + static_cast<int>(std::min<int64_t>(left, months));
        }
        finish(event);
    }

    void clear(int D)
    {
        LoanEvent event;
        event.kind = LoanEventKind::Cleared;
        event.year = D;
        event.month = 1;
        event.principal = m_balance;
        event.interest = m_unpaid;
        m_balance = 0;
        m_unpaid = 0;
        m_ended = true;
        finish(event);
    }

    void finish(LoanEvent& event)
    {
        event.unpaidAfter = m_unpaid;
        event.balanceAfter = m_balance;
        event.paymentsEnd = m_end;
        m_events.push_back(event);
    }

    const LoanTerms& m_terms;
    int m_start = 0;
    std::vector<std::pair<int, int>> m_rates; // (month index, rate) by date, index order within a month
    std::vector<std::pair<int, LoanPrepayment>> m_prepayments;
    size_t m_nextPrepayment = 0;
    std::vector<LoanEvent> m_events;
    int64_t m_balance = 0;
    int64_t m_unpaid = 0;
    int64_t m_payment = 0; // A
    int64_t m_principalPart = 0; // C
    int m_rateOfPayment = 0; // the rate A was computed with
    bool m_capped = false;
    int m_end = 0; // N_end
    bool m_ended = false;
};

} // namespace

int64_t loanPaymentExact(int64_t balance, int rate, int months)
{
    if (rate == 0)
        return balance / months;
    const ExactGrowth growth = exactGrowth(rate, months);
    const cpp_int numerator = cpp_int(balance) * rate * growth.numerator;
    const cpp_int denominator = cpp_int(RATE_DIVISOR) * (growth.numerator - growth.denominator);
    return static_cast<int64_t>(numerator / denominator);
}

int64_t loanPayment(int64_t balance, int rate, int months)
{
    if (rate == 0)
        return balance / months;
    // The payment falls as (1 + r)^m grows: its bounds give the payment's bounds.
    const GrowthBounds bounds = growthBounds(rate, months);
    const uint256_t one = uint256_t(1) << FRACTION_BITS;
    const uint256_t scale = uint256_t(static_cast<uint64_t>(balance)) * static_cast<uint64_t>(rate);
    const uint256_t highest
        = scale * bounds.low / (uint256_t(static_cast<uint64_t>(RATE_DIVISOR)) * (bounds.low - one));
    const uint256_t lowest
        = scale * bounds.high / (uint256_t(static_cast<uint64_t>(RATE_DIVISOR)) * (bounds.high - one));
    if (highest == lowest)
        return static_cast<int64_t>(lowest);
    return loanPaymentExact(balance, rate, months);
}

std::optional<int> monthsToRepay(int64_t balance, int rate, int64_t payment, int maxMonths)
{
    if (maxMonths < 1 || payment <= 0)
        return std::nullopt;
    if (rate == 0) {
        const int64_t months = (balance + payment - 1) / payment;
        if (months > maxMonths)
            return std::nullopt;
        return static_cast<int>(std::max<int64_t>(months, 1));
    }
    // Nothing repays the balance unless the payment exceeds the month's exact interest.
    if (static_cast<__int128>(payment) * RATE_DIVISOR <= static_cast<__int128>(balance) * rate)
        return std::nullopt;
    if (!repaysWithin(balance, rate, payment, maxMonths))
        return std::nullopt;
    int low = 1;
    int high = maxMonths;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (repaysWithin(balance, rate, payment, middle))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

LoanSchedule computeLoanSchedule(const LoanTerms& terms)
{
    LoanSchedule schedule;
    schedule.terms = terms;
    if (terms.principal <= 0 || terms.payments < 1)
        return schedule;
    schedule.events = Schedule(terms).run();
    return schedule;
}

LoanYear LoanSchedule::year(int Y) const
{
    LoanYear sums;
    sums.paymentsEnd = terms.payments;
    if (Y >= terms.year)
        sums.balance = terms.principal;
    for (const LoanEvent& event : events) {
        if (event.year > Y)
            break;
        sums.balance = event.balanceAfter;
        sums.unpaid = event.unpaidAfter;
        sums.paymentsEnd = event.paymentsEnd;
        if (event.year < Y)
            continue;
        sums.hasEvents = true;
        if (event.kind == LoanEventKind::Payment)
            sums.payments += event.paid;
        else if (event.kind == LoanEventKind::Prepayment)
            sums.prepaid += event.paid;
        if (event.kind != LoanEventKind::Cleared) {
            sums.principal += event.principal;
            sums.interest += event.interest;
        }
    }
    return sums;
}

int64_t LoanSchedule::firstPayment() const
{
    for (const LoanEvent& event : events) {
        if (event.kind == LoanEventKind::Payment)
            return event.paid;
    }
    return 0;
}

int64_t LoanSchedule::totalPaid() const
{
    int64_t sum = 0;
    for (const LoanEvent& event : events) {
        if (event.kind != LoanEventKind::Cleared)
            sum += event.paid;
    }
    return sum;
}

int64_t LoanSchedule::totalInterest() const
{
    int64_t sum = 0;
    for (const LoanEvent& event : events) {
        if (event.kind != LoanEventKind::Cleared)
            sum += event.interest;
    }
    return sum;
}

const LoanEvent* LoanSchedule::finalEvent() const
{
    if (events.empty() || events.back().kind == LoanEventKind::Cleared)
        return nullptr;
    const LoanEvent& last = events.back();
    return last.balanceAfter == 0 && last.unpaidAfter == 0 ? &last : nullptr;
}

const LoanEvent* LoanSchedule::clearedEvent() const
{
    return !events.empty() && events.back().kind == LoanEventKind::Cleared ? &events.back() : nullptr;
}

std::string loanMonthText(int year, int month)
{
    return paddedYear(year) + "/" + (month < 10 ? "0" : "") + std::to_string(month);
}

std::string loanRateText(int rate)
{
    return formatLoanRate(rate) + "%";
}

namespace {

// The month index of the schedule's last line.
int endIndex(const LoanSchedule& schedule)
{
    return schedule.events.empty() ? 0 : monthIndex(schedule.events.back().year, schedule.events.back().month);
}

// What the first payment after month `index` pays (0 when there is none).
int64_t paymentAfter(const LoanSchedule& schedule, int index)
{
    for (const LoanEvent& event : schedule.events) {
        if (event.kind == LoanEventKind::Payment && monthIndex(event.year, event.month) > index)
            return event.paid;
    }
    return 0;
}

size_t prepaymentLines(const LoanSchedule& schedule)
{
    return static_cast<size_t>(std::count_if(schedule.events.begin(), schedule.events.end(), [](const LoanEvent& e) {
        return e.kind == LoanEventKind::Prepayment;
    }));
}

} // namespace

PrepaymentEffect prepaymentEffect(const LoanTerms& terms, const LoanPrepayment& extra)
{
    const LoanSchedule before = computeLoanSchedule(terms);
    LoanTerms changed = terms;
    changed.prepayments.push_back(extra);
    const LoanSchedule after = computeLoanSchedule(changed);
    PrepaymentEffect effect;
    effect.applies = prepaymentLines(after) > prepaymentLines(before);
    if (!effect.applies)
        return effect;
    const int index = monthIndex(extra.year, extra.month);
    effect.monthsSooner = endIndex(before) - endIndex(after);
    effect.interestSaved = before.totalInterest() - after.totalInterest();
    effect.paymentBefore = paymentAfter(before, index);
    effect.paymentAfter = paymentAfter(after, index);
    return effect;
}

std::vector<LoanScheduleLine> loanScheduleLines(const LoanSchedule& schedule)
{
    std::vector<LoanScheduleLine> lines;
    const std::vector<LoanEvent>& events = schedule.events;
    for (size_t i = 0; i < events.size(); ++i) {
        const LoanEvent& event = events[i];
        LoanScheduleLine line;
        line.year = event.year;
        switch (event.kind) {
        case LoanEventKind::Payment:
            line.number = std::to_string(event.number);
            line.rate = loanRateText(event.rate);
            break;
        case LoanEventKind::Prepayment:
            line.number = "繰上" + std::to_string(event.number);
            break;
        case LoanEventKind::Cleared:
            line.number = "団信";
            break;
        }
        line.month = loanMonthText(event.year, event.kind == LoanEventKind::Cleared ? 1 : event.month);
        line.paid = event.paid;
        line.principal = event.principal;
        line.interest = event.interest;
        line.unpaid = event.unpaidAfter;
        line.balance = event.balanceAfter;
        lines.push_back(line);
        if (i + 1 == events.size() || events[i + 1].year != event.year) {
            const LoanYear sums = schedule.year(event.year);
            LoanScheduleLine total;
            total.yearTotal = true;
            total.year = event.year;
            total.number = std::to_string(event.year) + "年計";
            total.paid = sums.payments + sums.prepaid;
            total.principal = sums.principal;
            total.interest = sums.interest;
            total.unpaid = sums.unpaid;
            total.balance = sums.balance;
            lines.push_back(total);
        }
    }
    return lines;
}

std::string loanScheduleCsvText(const LoanSchedule& schedule)
{
    std::string text = "回数,年月,金利,返済額,元金,利息,未払利息,残高\r\n";
    for (const LoanScheduleLine& line : loanScheduleLines(schedule)) {
        text += line.number + "," + line.month + "," + line.rate + "," + std::to_string(line.paid) + ","
            + std::to_string(line.principal) + "," + std::to_string(line.interest) + "," + std::to_string(line.unpaid)
            + "," + std::to_string(line.balance) + "\r\n";
    }
    return text;
}

} // namespace harukaze

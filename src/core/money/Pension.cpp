// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/Pension.h"

#include "core/plan/FamilyPlan.h"

#include <harukaze/PensionData.h>

#include <algorithm>
#include <climits>

namespace harukaze {

namespace {

constexpr int MONTHS = 12;
constexpr int64_t YEN_PER_TENTH = 1000; // a tenth of 万円
constexpr int NORMAL_START_AGE = 65;
constexpr int LAST_ACCRUAL_AGE = 69;
constexpr int QUALIFYING_MONTHS = 120; // 受給資格期間 10年
constexpr int KAKYU_MONTHS = 240; // 厚生年金 20年
constexpr int KISO_MONTHS_CAP = 480;
constexpr int64_t KISO_WEIGHT_DIVISOR = 24 * 480; // 11,520
constexpr int64_t OLD_MULTIPLIER = 7125; // 7.125/1000 before 2003-04
constexpr int64_t NEW_MULTIPLIER = 5481; // 5.481/1000 from 2003-04
constexpr int64_t MULTIPLIER_DIVISOR = 1000000;
constexpr long long OLD_GROUP_LAST_BIRTH = 19560401; // 既裁定者 figures up to 昭和31年4月1日
// Weights of 納付 and the 免除 months in 24ths, in the order of the keys.
constexpr std::array<int64_t, 1 + PENSION_EXEMPTIONS> KISO_WEIGHTS { 24, 12, 15, 18, 21, 8, 12, 16, 20 };

int floorDivide(int value, int divisor)
{
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

long long birthDate(const PensionPerson& person)
{
    return static_cast<long long>(person.birthYear) * 10000 + person.pension.birthMonthDay;
}

const pension_data::FiscalYear& fiscalYear(int y0)
{
    const pension_data::FiscalYear* chosen = &pension_data::FISCAL_YEARS[0];
    for (const pension_data::FiscalYear& year : pension_data::FISCAL_YEARS) {
        if (year.year <= y0)
            chosen = &year;
    }
    return *chosen;
}

const pension_data::StartAgeRow& startAgeRow(long long date)
{
    for (const pension_data::StartAgeRow& row : pension_data::START_AGE_ROWS) {
        if (date <= row.bornTo)
            return row;
    }
    return std::end(pension_data::START_AGE_ROWS)[-1];
}

int64_t specialAddition(int fiscal, long long date)
{
    for (const pension_data::KasanRow& row : pension_data::KASAN_ROWS) {
        if (row.fiscalYear == fiscal && row.bornFrom <= date && date <= row.bornTo)
            return row.yen;
    }
    return 0;
}

std::optional<int> earlyPensionAge(bool female, long long date)
{
    for (const pension_data::TokubetsuRow& row : pension_data::TOKUBETSU_ROWS) {
        if (row.female == female && row.bornFrom <= date && date <= row.bornTo)
            return row.startAge;
    }
    return std::nullopt;
}

// w(y): the pay of the year that 厚生年金 covers, yen a month.
int64_t coveredPay(const PensionPerson& person, int year)
{
    const int age = year - person.birthYear;
    if (person.retireAge <= 0 || age < person.retireAge)
        return person.pension.futurePay * YEN_PER_TENTH;
    if (age < person.reemployEndAge)
        return person.pension.reemployPay * YEN_PER_TENTH;
    return 0;
}

// CM(x, Y): the 厚生年金 months counted for the 240-month and 12-month tests.
int coveredMonths(const PensionPerson& person, int y0, int year)
{
    const PensionSettings& p = person.pension;
    if (!p.estimates())
        return 0;
    int months = p.mode == PensionMode::Record ? p.koseiMonthsOld + p.koseiMonthsNew : p.koseiMonths;
    for (int y = y0; y < year; ++y) {
        if (coveredPay(person, y) > 0 && y - person.birthYear <= LAST_ACCRUAL_AGE)
            months += MONTHS;
    }
    return months;
}

// STOP(基本月額, w) of 在職老齢年金.
int64_t stoppedMonthly(int64_t monthly, int64_t pay, int64_t threshold)
{
    if (pay == 0 || monthly + pay <= threshold)
        return 0;
    return std::min(monthly, roundDivide(monthly + pay - threshold, 2));
}

// The months of `year` from `from` to `to` inclusive.
int64_t monthsInYear(int year, int from, int to)
{
    const int first = std::max(year * MONTHS, from);
    const int last = std::min(year * MONTHS + MONTHS - 1, to);
    return last < first ? 0 : last - first + 1;
}

// The year's cut of the 在職老齢年金 on a yearly base; `total` tells whether all of it stops.
int64_t yearlyStop(int64_t base, int64_t pay, int64_t threshold, bool& total)
{
    const int64_t monthly = roundDivide(base, MONTHS);
    const int64_t stop = stoppedMonthly(monthly, pay, threshold);
    total = monthly > 0 && stop == monthly;
    return total ? base : MONTHS * stop;
}

int64_t reduce(int64_t amount, int permille)
{
    return amount - roundDivide(amount * permille, 1000);
}

} // namespace

int64_t roundDivide(int64_t numerator, int64_t denominator)
{
    const int64_t quotient = numerator / denominator;
    const int64_t remainder = numerator % denominator;
    if (2 * (remainder < 0 ? -remainder : remainder) >= denominator)
        return numerator < 0 ? quotient - 1 : quotient + 1;
    return quotient;
}

int pensionDataYear(int y0)
{
    return fiscalYear(y0).year;
}

PensionPerson pensionPerson(const FamilyPlan& plan, const MoneySettings& settings, bool wife)
{
    PensionPerson person;
    person.wife = wife;
    person.inTable = (wife ? plan.ST1_WIFE : plan.ST1_HUSBAND) == 1;
    person.birthYear = wife ? plan.ST2_WIFE_BIRTH_YEAR : plan.ST2_HUSBAND_BIRTH_YEAR;
    person.retireAge = wife ? plan.ST2_WIFE_RETIRE_AGE : plan.ST2_HUSBAND_RETIRE_AGE;
    person.reemployEndAge = wife ? settings.wifeReemployEndAge : settings.husbandReemployEndAge;
    person.startAge = wife ? settings.wifePensionAge : settings.husbandPensionAge;
    person.pension = wife ? settings.wifePensionEstimate : settings.husbandPensionEstimate;
    return person;
}

int reachMonth(const PensionPerson& person, int age)
{
    const int month = person.pension.birthMonthDay / 100;
    const int day = person.pension.birthMonthDay % 100;
    return MONTHS * (person.birthYear + age) + (month - 1) - (day == 1 ? 1 : 0);
}

PensionEstimate::PensionEstimate(const PensionPerson& self, const PensionPerson& other, int y0)
    : m_self(self)
    , m_y0(y0)
    , m_estimates(self.inTable && self.pension.estimates())
{
    const pension_data::FiscalYear& fiscal = fiscalYear(y0);
    const long long date = birthDate(self);
    const bool oldGroup = date <= OLD_GROUP_LAST_BIRTH;
    m_full = oldGroup ? fiscal.kisoFullOld : fiscal.kisoFullNew;
    m_tanka = oldGroup ? fiscal.tankaOld : fiscal.tankaNew;
    m_threshold = fiscal.zaishokuThreshold;

    // Start age, rate and first month.
    const pension_data::StartAgeRow& rates = startAgeRow(date);
    m_latest = rates.latest;
    m_startAge = std::min(self.startAge, m_latest);
    if (m_startAge < NORMAL_START_AGE)
        m_rate = -rates.kuriage * MONTHS * (NORMAL_START_AGE - m_startAge);
    else
        m_rate = rates.kurisage * MONTHS * (m_startAge - NORMAL_START_AGE);
    m_first = reachMonth(self, m_startAge) + 1;
    m_first65 = reachMonth(self, NORMAL_START_AGE) + 1;
    m_year65 = floorDivide(m_first65, MONTHS);
    m_refYear = m_startAge >= NORMAL_START_AGE ? m_year65 : floorDivide(m_first, MONTHS);
    m_rateK = m_rate;
    m_firstK = m_first;
    if (!m_estimates)
        return;

    const PensionSettings& p = self.pension;
    const bool record = p.mode == PensionMode::Record;

    // 受給資格期間.
    if (record) {
        int months = p.kisoMonths + p.koseiMonthsOut;
        for (int exempt : p.exemptMonths)
            months += exempt;
        for (int y = y0; y < self.birthYear + 70; ++y) {
            const int age = y - self.birthYear;
            if (accrues(y) && (age < 20 || age >= 60))
                months += MONTHS;
        }
        m_qualified = months >= QUALIFYING_MONTHS;
    }

    // 老齢基礎年金 at 65.
    if (!record) {
        m_kiso = p.kiso65 * YEN_PER_TENTH;
    } else if (m_qualified) {
        int left = KISO_MONTHS_CAP;
        int64_t weighted = 0;
        for (size_t i = 0; i < KISO_WEIGHTS.size(); ++i) {
            const int months = std::min(i == 0 ? p.kisoMonths : p.exemptMonths[i - 1], left);
            left -= months;
            weighted += months * KISO_WEIGHTS[i];
        }
        m_kiso = roundDivide(m_full * weighted, KISO_WEIGHT_DIVISOR);
    }

    // 特別支給の老齢厚生年金.
    const bool femaleSchedule = self.wife && p.recordKind == PensionRecordKind::Private;
    if (const std::optional<int> earlyAge = earlyPensionAge(femaleSchedule, date)) {
        const int earlyFirst = reachMonth(self, *earlyAge) + 1;
        const bool paid = record ? m_qualified && coveredMonths(self, y0, floorDivide(earlyFirst, MONTHS)) >= MONTHS
                                 : p.tokubetsu > 0;
        if (paid) {
            m_firstT = earlyFirst;
            if (m_startAge >= NORMAL_START_AGE) {
                m_case = EarlyPensionCase::Late;
            } else if (*earlyAge <= m_startAge) {
                m_case = EarlyPensionCase::BasicEarly;
                m_firstK = m_first65;
            } else {
                m_case = EarlyPensionCase::AllEarly;
                m_rateK = -rates.kuriage * MONTHS * (*earlyAge - m_startAge);
            }
        }
    }

    // 繰上げ / 繰下げ.
    m_kRef = k(m_refYear);
    m_gRef = g(m_refYear);
    m_kisoAdj = m_rate < 0 ? reduce(m_kiso, -m_rate) : m_kiso + roundDivide(m_kiso * m_rate, 1000);
    if (m_rate < 0) {
        m_kAdj = reduce(m_kRef, -m_rateK);
        m_gAdj = reduce(m_gRef, -m_rate);
    } else if (m_rate > 0) {
        // The part the 在職老齢年金 would have stopped while waiting is not increased.
        const int waited = MONTHS * (m_startAge - NORMAL_START_AGE);
        int64_t paidShare = 0; // Q
        for (int month = m_first65; month < m_first65 + waited; ++month) {
            const int year = floorDivide(month, MONTHS);
            const int64_t base = roundDivide(k(year), MONTHS);
            const int64_t w = pay(year);
            if (w == 0 || base == 0)
                paidShare += 1000;
            else
                paidShare += roundDivide(1000 * (base - stoppedMonthly(base, w, m_threshold)), base);
        }
        m_kAdj = m_kRef + roundDivide(m_kRef * m_rate * paidShare, MULTIPLIER_DIVISOR * waited);
        m_gAdj = m_gRef + roundDivide(m_gRef * m_rate, 1000);
    } else {
        m_kAdj = m_kRef;
        m_gAdj = m_gRef;
    }

    // 加給年金.
    if (m_qualified && p.kakyu == 1 && other.inTable && coveredMonths(self, y0, m_year65) >= KAKYU_MONTHS
        && coveredMonths(other, y0, m_year65) < KAKYU_MONTHS) {
        m_ka = fiscal.kakyuSpouse + specialAddition(fiscal.year, date);
        m_kakyuEnd = reachMonth(other, NORMAL_START_AGE);
    }
}

int64_t PensionEstimate::pay(int year) const
{
    return coveredPay(m_self, year);
}

bool PensionEstimate::accrues(int year) const
{
    const int age = year - m_self.birthYear;
    return year >= m_y0 && pay(year) > 0 && age <= LAST_ACCRUAL_AGE
        && (m_self.pension.mode != PensionMode::Statement || age >= m_self.pension.statementWorkAge);
}

// 報酬比例部分 with the months worked before January of `year`.
int64_t PensionEstimate::k(int year) const
{
    if (!m_estimates || !m_qualified)
        return 0;
    const PensionSettings& p = m_self.pension;
    int64_t futurePay = 0; // Σ 12·w(y) over A(Y)
    for (int y = m_y0; y < year; ++y) {
        if (accrues(y))
            futurePay += MONTHS * pay(y);
    }
    if (p.mode == PensionMode::Statement)
        return p.kosei65 * YEN_PER_TENTH + roundDivide(futurePay * NEW_MULTIPLIER, MULTIPLIER_DIVISOR);
    const int64_t oldPart = p.koseiPayOld * YEN_PER_TENTH * OLD_MULTIPLIER * p.koseiMonthsOld;
    const int64_t newPay = p.koseiPayNew * YEN_PER_TENTH * p.koseiMonthsNew + futurePay;
    return roundDivide(oldPart + newPay * NEW_MULTIPLIER, MULTIPLIER_DIVISOR);
}

// 経過的加算 with the months worked before January of `year` (加入記録 only).
int64_t PensionEstimate::g(int year) const
{
    const PensionSettings& p = m_self.pension;
    if (!m_estimates || !m_qualified || p.mode != PensionMode::Record)
        return 0;
    int total = p.koseiMonthsOld + p.koseiMonthsNew;
    int between20And59 = std::max(0, p.koseiMonthsOld + p.koseiMonthsNew - p.koseiMonthsOut);
    for (int y = m_y0; y < year; ++y) {
        if (!accrues(y))
            continue;
        total += MONTHS;
        const int age = y - m_self.birthYear;
        if (age >= 20 && age <= 59)
            between20And59 += MONTHS;
    }
    const int64_t fixedPart = m_tanka * std::min(total, KISO_MONTHS_CAP);
    const int64_t basicPart = roundDivide(m_full * std::min(between20And59, KISO_MONTHS_CAP), KISO_MONTHS_CAP);
    return std::max<int64_t>(0, fixedPart - basicPart);
}

// 特別支給の老齢厚生年金 (報酬比例部分) with the months worked before January of `year`.
int64_t PensionEstimate::tk(int year) const
{
    if (m_self.pension.mode != PensionMode::Statement)
        return k(year);
    return k(year) - m_self.pension.kosei65 * YEN_PER_TENTH + m_self.pension.tokubetsu * YEN_PER_TENTH;
}

PensionEstimate::Year PensionEstimate::yearFigures(int year) const
{
    Year y;
    y.k = k(year);
    y.g = g(year);
    y.tk = tk(year);
    const bool basicEarly = m_case == EarlyPensionCase::BasicEarly;
    y.kp = basicEarly ? y.k : m_kAdj + y.k - m_kRef;
    y.gp = m_gAdj + y.g - m_gRef;
    const int64_t w = pay(year);
    const int64_t base = (m_startAge >= NORMAL_START_AGE || basicEarly) ? y.k : y.kp;
    y.stopK = yearlyStop(base, w, m_threshold, y.totalStop);
    bool earlyTotal = false;
    y.stopT = yearlyStop(y.tk, w, m_threshold, earlyTotal);
    return y;
}

bool PensionEstimate::spouseAdditionMonth(int month, const Year& figures) const
{
    return m_ka > 0 && !figures.totalStop && month >= std::max(m_first, m_first65) && month <= m_kakyuEnd;
}

int64_t PensionEstimate::earnings() const
{
    return m_case == EarlyPensionCase::BasicEarly ? k(m_year65) : m_kAdj;
}

int64_t PensionEstimate::earlyEarnings() const
{
    if (m_case != EarlyPensionCase::Late && m_case != EarlyPensionCase::BasicEarly)
        return 0;
    return tk(floorDivide(m_firstT, MONTHS));
}

int64_t PensionEstimate::yearAmount(int year) const
{
    if (!m_estimates)
        return 0;
    const Year y = yearFigures(year);
    const bool early = m_case == EarlyPensionCase::Late || m_case == EarlyPensionCase::BasicEarly;
    const int64_t paidMonths = monthsInYear(year, m_first, INT_MAX);
    const int64_t earningsMonths = monthsInYear(year, m_firstK, INT_MAX);
    const int64_t earlyMonths = early ? monthsInYear(year, m_firstT, m_first65 - 1) : 0;
    const int64_t additionMonths
        = (m_ka > 0 && !y.totalStop) ? monthsInYear(year, std::max(m_first, m_first65), m_kakyuEnd) : 0;
    const int64_t twelfths = (m_kisoAdj + y.gp) * paidMonths + (y.kp - y.stopK) * earningsMonths
        + (y.tk - y.stopT) * earlyMonths + m_ka * additionMonths;
    return roundDivide(twelfths, MONTHS);
}

int64_t PensionEstimate::monthTwelfths(int month) const
{
    if (!m_estimates)
        return 0;
    const Year y = yearFigures(floorDivide(month, MONTHS));
    const bool early = m_case == EarlyPensionCase::Late || m_case == EarlyPensionCase::BasicEarly;
    int64_t twelfths = 0;
    if (month >= m_first)
        twelfths += m_kisoAdj + y.gp;
    if (month >= m_firstK)
        twelfths += y.kp - y.stopK;
    if (early && month >= m_firstT && month < m_first65)
        twelfths += y.tk - y.stopT;
    if (spouseAdditionMonth(month, y))
        twelfths += m_ka;
    return twelfths;
}

std::optional<std::array<int64_t, TABLE_YEARS>> estimatedPensionYears(
    const FamilyPlan& plan, const MoneySettings& settings, int y0, bool wife)
{
    const PensionPerson self = pensionPerson(plan, settings, wife);
    if (!self.pension.estimates())
        return std::nullopt;
    std::array<int64_t, TABLE_YEARS> years {};
    const PensionEstimate estimate(self, pensionPerson(plan, settings, !wife), y0);
    for (int n = 0; n < TABLE_YEARS; ++n)
        years[static_cast<size_t>(n)] = estimate.yearAmount(y0 + n);
    return years;
}

void addEstimatedPensions(
    CashFlowLedger& ledger, const FamilyPlan& plan, const MoneySettings& settings, const TableModel&)
{
    for (const bool wife : { false, true }) {
        const std::optional<std::array<int64_t, TABLE_YEARS>> years
            = estimatedPensionYears(plan, settings, ledger.y0(), wife);
        if (!years)
            continue;
        SpouseGross& gross = wife ? ledger.wife : ledger.husband;
        for (int n = 0; n < TABLE_YEARS; ++n) {
            const ExactYen grown = grownYen((*years)[static_cast<size_t>(n)], settings.pensionRate, n);
            gross.pension[static_cast<size_t>(n)] += grown;
            ledger.add(MoneyRow::Pension, n, grown);
        }
    }
}

} // namespace harukaze

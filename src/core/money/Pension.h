// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/CashFlow.h"
#include "core/plan/MoneySettings.h"
#include "core/table/TableModel.h"

#include <array>
#include <cstdint>
#include <optional>

namespace harukaze {

struct FamilyPlan;

/**
 * One spouse as the public pension estimate sees them: birth date, retirement and re-employment
 * ages, the chosen start age and the pension figures. Month indexes count 12·year + (month − 1).
 */
struct PensionPerson
{
    bool inTable = false; ///< ST1_HUSBAND / ST1_WIFE
    bool wife = false;
    int birthYear = 0; ///< B as the life cycle table reads it (may be 0 or negative)
    int retireAge = 0; ///< R; 0 or less: never retires
    int reemployEndAge = 65; ///< P_REEMPLOY_END_AGE
    int startAge = 65; ///< S, P_PENSION_AGE
    PensionSettings pension;
};

/** The husband (wife = false) or the wife of a plan with its money settings. */
PensionPerson pensionPerson(const FamilyPlan& plan, const MoneySettings& settings, bool wife);

/** 到達月: the month in which `person` reaches `age` (the day before the birthday). */
int reachMonth(const PensionPerson& person, int age);

/** How the 特別支給の老齢厚生年金 meets the chosen start. */
enum class EarlyPensionCase {
    None, ///< no 特別支給
    Late, ///< start at 65 or later: 特別支給 until 65
    BasicEarly, ///< 老齢基礎年金 alone started early, 報酬比例部分 unreduced
    AllEarly, ///< started before the 特別支給 age: 報酬比例部分 reduced to it
};

/**
 * The estimate of one spouse (定期便 or 加入記録) for one start age, at the level of the data's
 * fiscal year selected by the first year y0: the amount of each year and of each month. Whole yen;
 * every division rounded to the nearest, halves away from zero.
 */
class PensionEstimate
{
public:
    PensionEstimate(const PensionPerson& self, const PensionPerson& other, int y0);

    int effectiveStartAge() const { return m_startAge; } ///< S' = min(S, latest)
    int latestStartAge() const { return m_latest; }
    int ratePermille() const { return m_rate; } ///< r: − 繰上げ, + 繰下げ
    int firstMonth() const { return m_first; } ///< F
    EarlyPensionCase earlyCase() const { return m_case; }

    int64_t basic() const { return m_kisoAdj; } ///< 老齢基礎年金 a year after the rate
    int64_t earnings() const; ///< 報酬比例部分 a year from 65 (from the start when later)
    int64_t transitional() const { return m_gAdj; } ///< 経過的加算 after the rate
    int64_t spouseAddition() const { return m_ka; } ///< 加給年金 a year when paid, else 0
    int64_t earlyEarnings() const; ///< 特別支給 a year at its start, 0 without
    /** 年額 from 65 (from the start when later): without 加給, the 在職 cut and later accrual. */
    int64_t yearly() const { return basic() + transitional() + earnings(); }

    /** T(Y): the yen of the months of `year` that are paid. */
    int64_t yearAmount(int year) const;
    /** The payment of month `month` in twelfths of a yen. */
    int64_t monthTwelfths(int month) const;

private:
    struct Year
    {
        int64_t k = 0; // K(Y)
        int64_t g = 0; // G(Y)
        int64_t tk = 0; // TK(Y)
        int64_t kp = 0; // KP(Y)
        int64_t gp = 0; // GP(Y)
        int64_t stopK = 0;
        int64_t stopT = 0;
        bool totalStop = false;
    };

    int64_t pay(int year) const; // w(y), yen a month
    bool accrues(int year) const;
    int64_t k(int year) const;
    int64_t g(int year) const;
    int64_t tk(int year) const;
    Year yearFigures(int year) const;
    bool spouseAdditionMonth(int month, const Year& figures) const;

    PensionPerson m_self;
    int m_y0 = 0;
    bool m_estimates = false;
    bool m_qualified = true;
    int64_t m_full = 0; // KISO_FULL of the group
    int64_t m_tanka = 0;
    int64_t m_threshold = 0;
    int m_startAge = 65;
    int m_latest = 75;
    int m_rate = 0; // r
    int m_rateK = 0; // rK
    int m_first = 0; // F
    int m_first65 = 0; // F65
    int m_firstK = 0; // FK
    int m_firstT = 0; // FT (cases Late and BasicEarly)
    EarlyPensionCase m_case = EarlyPensionCase::None;
    int m_year65 = 0;
    int m_refYear = 0;
    int64_t m_kiso = 0;
    int64_t m_kisoAdj = 0;
    int64_t m_kRef = 0;
    int64_t m_gRef = 0;
    int64_t m_kAdj = 0;
    int64_t m_gAdj = 0;
    int64_t m_ka = 0; // KA, 0 when no 加給
    int m_kakyuEnd = 0; // R_other(65)
};

/**
 * T(Y0 + n) for n = 0..50 of the husband (wife = false) or the wife at the data year's level, before
 * PENSION_RATE; nothing when the spouse is in 金額. A spouse not in the table gets zeros.
 */
std::optional<std::array<int64_t, TABLE_YEARS>> estimatedPensionYears(
    const FamilyPlan& plan, const MoneySettings& settings, int y0, bool wife);

/**
 * The money module of the estimate: for each spouse in 定期便 or 加入記録, grow(T(Y0 + n),
 * PENSION_RATE, n) exactly into the 年金 row and the spouse's 額面 pension of `ledger` (the base
 * rows leave out the typed amount of such a spouse).
 */
void addEstimatedPensions(
    CashFlowLedger& ledger, const FamilyPlan& plan, const MoneySettings& settings, const TableModel& table);

/** The fiscal year of the figures a plan starting in `y0` uses (y0, else the latest before it, else the earliest). */
int pensionDataYear(int y0);

/** round(numerator / denominator), denominator > 0: to the nearest, halves away from zero. */
int64_t roundDivide(int64_t numerator, int64_t denominator);

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace harukaze {

/**
 * 所得税, 住民税 and 社会保険料 of one calendar year for a couple whose pay, pensions and 退職金 are
 * given 額面, in whole yen, computed in 64-bit integers with each rounding where the law's tables
 * round. The rates and deduction tables are those of the year (the latest table year at or before it,
 * or the first one for earlier years), generated from data/tax at build time.
 */

/** One spouse's figures for the year. */
struct TaxPersonInput
{
    bool inTable = false; ///< false: no figures, and no spouse for the other
    int age = 0; ///< age on 31 December
    int64_t pay = 0; ///< 額面 給与 of the year, 賞与 included (G)
    int bonusMonths = 0; ///< 賞与 as tenths of a month of monthly pay (4.0 months = 40)
    int bonusCount = 2; ///< 賞与 payments a year, 0 taken as 1
    bool socialInsurance = true; ///< covered by 協会けんぽ, 厚生年金 and 雇用保険
    int64_t pension = 0; ///< 額面 公的年金 (P)
    int64_t severance = 0; ///< 額面 退職金 paid this year (S)
    int serviceYears = 1; ///< 勤続年数 of the 退職金, at least 1
};

enum class Spouse { Husband, Wife };

struct TaxYearInput
{
    int year = 0;
    int prefecture = 0; ///< index in prefectureNames()
    int pensionHealthRate = 0; ///< a pensioner's premium, tenths of a percent of the pension
    std::vector<int> childAges; ///< the table's children born by this year (age >= 0)
    std::array<TaxPersonInput, 2> spouses {}; ///< by Spouse
};

/** Every step of one spouse's year, in yen. */
struct TaxBreakdown
{
    // Pay split.
    int64_t monthlyPay = 0; ///< 月給 M
    int64_t bonusTotal = 0; ///< 賞与 B
    std::vector<int64_t> bonuses; ///< the 賞与 payments

    // Employee social insurance, whole year.
    int64_t standardHealth = 0; ///< 健康保険の標準報酬月額 (0 when not covered)
    int64_t standardPension = 0; ///< 厚生年金の標準報酬月額 (0 when not covered)
    int64_t healthPremium = 0; ///< 健康保険 (介護保険 included at 40–64)
    int64_t supportPremium = 0; ///< 子ども・子育て支援金
    int64_t pensionPremium = 0; ///< 厚生年金
    int64_t employmentPremium = 0; ///< 雇用保険
    int64_t pensionerPremium = 0; ///< 国保・後期高齢者医療・介護保険 of a pensioner
    int64_t socialInsurance = 0; ///< 社会保険料, the sum of the five

    // Incomes.
    int64_t salaryIncome = 0; ///< 給与所得 K
    int64_t childAdjustment = 0; ///< 所得金額調整控除 (子ども等) A1
    int64_t retirementDeduction = 0; ///< 退職所得控除額
    int64_t retirementIncome = 0; ///< 退職所得 R
    int64_t taxableRetirement = 0; ///< 課税退職所得金額 TR
    int64_t pensionDeduction = 0; ///< 公的年金等控除額
    int64_t pensionIncome = 0; ///< 公的年金等に係る雑所得 Z
    int64_t pensionAdjustment = 0; ///< 所得金額調整控除 (給与と年金) A2
    int64_t adjustedSalaryIncome = 0; ///< 給与所得 after both adjustments K2
    int64_t totalIncome = 0; ///< 総所得金額 T_s
    int64_t combinedIncome = 0; ///< 合計所得金額 of 所得税 T (退職所得 included)
    int64_t residentCombinedIncome = 0; ///< 合計所得金額 of 住民税 T_r
    bool claimsFamily = false; ///< the spouse who claims the other spouse and the children

    // 所得税 on the year's income.
    int64_t basicDeduction = 0; ///< 基礎控除
    int64_t spouseDeduction = 0; ///< 配偶者控除 or 配偶者特別控除
    int64_t dependentDeduction = 0; ///< 扶養控除
    int64_t taxableIncome = 0; ///< 課税所得金額
    int64_t baseIncomeTax = 0; ///< 基準所得税額 (before 復興特別所得税)
    int64_t incomeTax = 0; ///< 所得税 with 復興特別所得税, in 100 yen

    // 住民税 on the year's income.
    int persons = 1; ///< persons counted for the non-taxable limits
    int64_t residentBasicDeduction = 0;
    int64_t residentSpouseDeduction = 0;
    int64_t residentDependentDeduction = 0;
    int64_t residentTaxable = 0; ///< 課税総所得金額 TX
    int64_t personalDifference = 0; ///< 人的控除差 H
    int64_t adjustmentBase = 0; ///< the base of 調整控除
    int64_t prefectureIncomeLevy = 0; ///< 県民税 所得割
    int64_t municipalIncomeLevy = 0; ///< 市民税 所得割
    int64_t prefecturePerCapita = 0; ///< 県民税 均等割 with the prefecture's surtax
    int64_t municipalPerCapita = 0; ///< 市民税 均等割
    int64_t forestTax = 0; ///< 森林環境税
    int64_t residentTax = 0; ///< the sum of the five
    /** 住民税 所得割 (県 + 市, after 調整控除, without 均等割): what a 住民税 credit may lower. */
    int64_t residentIncomeLevy() const { return prefectureIncomeLevy + municipalIncomeLevy; }

    // Taxes on the 退職金, withheld when it is paid.
    int64_t retirementIncomeTax = 0; ///< 所得税 with 復興特別所得税
    int64_t retirementResidentTax = 0; ///< 住民税

    // The year.
    int64_t incomeTaxTotal = 0; ///< 所得税 of the year and of the 退職金
    int64_t residentTaxTotal = 0; ///< 住民税 of the year and of the 退職金
    int64_t takeHome = 0; ///< 手取り = pay + pension + severance − taxes − 社会保険料
};

struct TaxYearResult
{
    std::array<TaxBreakdown, 2> spouses {}; ///< by Spouse; all zero for a spouse not in the table

    const TaxBreakdown& of(Spouse spouse) const { return spouses[static_cast<size_t>(spouse)]; }
};

/** Computes the year for both spouses. */
TaxYearResult computeTaxYear(const TaxYearInput& input);

// The single steps, for the dialog's notes and for checks against published figures.

/** 給与所得控除後の給与等の金額 of `pay` in `year`. */
int64_t salaryIncome(int64_t pay, int year);

/** 基準所得税額 of a 課税所得 (a multiple of 1,000) by the 速算表 of `year`. */
int64_t baseIncomeTax(int64_t taxable, int year);

/** The 健康保険 and 厚生年金 標準報酬月額 of a monthly pay. */
int64_t standardHealthMonthly(int64_t monthlyPay, int year);
int64_t standardPensionMonthly(int64_t monthlyPay, int year);

/** An employee's half of `base` × `rate` (1/1000 %), a fraction of 0.50 yen or less dropped. */
int64_t employeeShare(int64_t base, int64_t rate);

/** 退職所得控除額 of `serviceYears` (at least 1). */
int64_t retirementDeduction(int serviceYears);

} // namespace harukaze

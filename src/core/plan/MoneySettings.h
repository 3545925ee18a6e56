// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/HomeSettings.h"
#include "core/plan/PensionSettings.h"
#include "core/plan/TaxSettings.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace harukaze {

/**
 * The household's money settings (家計設定) behind the cash-flow table.
 *
 * Amounts are kept exactly as entered, in whole tenths of 万円 (1 = 1,000 yen, so 12.5万円 is 125);
 * rates in whole tenths of a percent (1.0% is 10, -0.5% is -5). Ages and years are whole numbers.
 * A plan has these settings only once the 家計設定 dialog stored them or a plan file brought them;
 * without them the cash-flow table is computed at the defaults below.
 */

/** Choice of a school stage from 幼稚園 to 高校. */
enum class SchoolChoice {
    Public, ///< 公立
    Private, ///< 私立
    None, ///< なし
};

/** Choice of the stage after 高校. */
enum class UniversityChoice {
    National, ///< 国立
    Public, ///< 公立
    PrivateHumanities, ///< 私立文系
    PrivateScience, ///< 私立理系
    PrivateMedical, ///< 私立医歯
    JuniorCollege, ///< 短大
    None, ///< なし
};

/** The five education stages of a child, in the order of the child keys. */
enum class EducationStage {
    Kindergarten, ///< 幼稚園
    Elementary, ///< 小学校
    JuniorHigh, ///< 中学校
    HighSchool, ///< 高校
    University, ///< 大学 (短大 included)
};
constexpr int EDUCATION_STAGES = 5;

/** One child's choices, one per stage. */
struct ChildEducation
{
    SchoolChoice kindergarten = SchoolChoice::Public;
    SchoolChoice elementary = SchoolChoice::Public;
    SchoolChoice juniorHigh = SchoolChoice::Public;
    SchoolChoice highSchool = SchoolChoice::Public;
    UniversityChoice university = UniversityChoice::PrivateHumanities;

    /** The school choice of one of the first four stages (University gives Public). */
    SchoolChoice school(EducationStage stage) const;
    void setSchool(EducationStage stage, SchoolChoice choice);
};

/** What SAVINGS_START is: the balance at the end of the first year, or at its start. */
enum class SavingsBasis {
    YearEnd, ///< 年末: the base year's balance as an FP worksheet gives it (今年末の見込み)
    YearStart, ///< 年初: the balance at the start of the first year (今年の初め)
};

/** The basis word as the plan file writes it ("年末", "年初"). */
const char* savingsBasisWord(SavingsBasis basis);
/** The basis named exactly by `word`, or nothing. */
std::optional<SavingsBasis> savingsBasisFromWord(const std::string& word);

/** A one-time income or expense (一時的収入 / 一時的支出) in one year. */
struct MoneyEntry
{
    int year = 0; ///< Western year, 1..9999
    int amount = 0; ///< tenths of 万円, 0..999999
    std::string label; ///< 内容 (UTF-8), may be empty
};

constexpr int MAX_MONEY_ENTRIES = 50; ///< INCOME1..INCOME50 and EXPENSE1..EXPENSE50
constexpr int MAX_AMOUNT = 999999; ///< 99999.9万円 in tenths
constexpr int MAX_RATE = 100; ///< 10.0% in tenths
constexpr int MIN_PENSION_AGE = 60;
constexpr int MAX_PENSION_AGE = 75;
constexpr int MAX_AGE = 150;
constexpr int MAX_YEAR = 9999;

struct MoneySettings
{
    int savingsStart = 0; ///< SAVINGS_START, 貯蓄残高 given for the first year (may be negative)
    SavingsBasis savingsBasis = SavingsBasis::YearEnd; ///< SAVINGS_BASIS, when in the first year it is
    int investRate = 0; ///< INVEST_RATE, 運用利回り

    int husbandIncome = 0; ///< HUSBAND_INCOME, 手取り年収 this year
    int husbandIncomeRate = 10; ///< HUSBAND_INCOME_RATE
    int wifeIncome = 0; ///< WIFE_INCOME
    int wifeIncomeRate = 10; ///< WIFE_INCOME_RATE
    int husbandSeverance = 0; ///< HUSBAND_SEVERANCE, 退職金 in the retirement year
    int wifeSeverance = 0; ///< WIFE_SEVERANCE
    int husbandReemployIncome = 0; ///< HUSBAND_REEMPLOY_INCOME, 再雇用 pay a year
    int husbandReemployEndAge = 65; ///< HUSBAND_REEMPLOY_END_AGE, the age from which it stops
    int wifeReemployIncome = 0; ///< WIFE_REEMPLOY_INCOME
    int wifeReemployEndAge = 65; ///< WIFE_REEMPLOY_END_AGE
    int husbandPension = 0; ///< HUSBAND_PENSION, 公的年金 a year
    int husbandPensionAge = 65; ///< HUSBAND_PENSION_AGE, 60..75
    int wifePension = 0; ///< WIFE_PENSION
    int wifePensionAge = 65; ///< WIFE_PENSION_AGE
    int pensionRate = 0; ///< PENSION_RATE
    PensionSettings husbandPensionEstimate; ///< HUSBAND_PENSION_MODE .. HUSBAND_TOKUBETSU
    PensionSettings wifePensionEstimate; ///< WIFE_PENSION_MODE .. WIFE_TOKUBETSU

    int living = 0; ///< LIVING, 基本生活費 a year
    int livingRate = 10; ///< LIVING_RATE
    int housing = 0; ///< HOUSING, 住居費 a year
    int housingRate = 0; ///< HOUSING_RATE
    int housingEndYear = 0; ///< HOUSING_END_YEAR, last year paid (0 = every year)
    int insurance = 0; ///< INSURANCE, 保険料 a year
    int insuranceEndYear = 0; ///< INSURANCE_END_YEAR (0 = every year)
    int other = 0; ///< OTHER, その他支出 a year
    int otherRate = 10; ///< OTHER_RATE
    int educationRate = 10; ///< EDUCATION_RATE

    int careHusbandParents = 0; ///< CARE_HUSBAND_PARENTS, 1 = the household pays that side's 介護
    int careWifeParents = 0; ///< CARE_WIFE_PARENTS
    int careMonthly = 90; ///< CARE_MONTHLY, 介護 cost a month
    int careOnce = 472; ///< CARE_ONCE, once at its start

    TaxSettings tax; ///< INCOME_BASIS .. PENSION_HEALTH_RATE, written only for 額面 amounts

    std::array<ChildEducation, 10> children {}; ///< CHILD1_ .. CHILD10_

    std::array<std::optional<MoneyEntry>, MAX_MONEY_ENTRIES> incomes {}; ///< INCOME1..50 by index
    std::array<std::optional<MoneyEntry>, MAX_MONEY_ENTRIES> expenses {}; ///< EXPENSE1..50 by index

    HomeSettings home; ///< rent, house costs, the housing loan and its 住宅ローン控除

    /** Lines of the section this version does not know, verbatim, in the order read. */
    std::vector<std::string> unknownLines;
};

bool operator==(const ChildEducation& a, const ChildEducation& b);
bool operator==(const MoneyEntry& a, const MoneyEntry& b);
bool operator==(const MoneySettings& a, const MoneySettings& b);
inline bool operator!=(const MoneySettings& a, const MoneySettings& b)
{
    return !(a == b);
}

/** The words of the choices as the plan file and the dialog write them ("公立", "私立文系", ...). */
const char* schoolChoiceWord(SchoolChoice choice);
const char* universityChoiceWord(UniversityChoice choice);
/** The choice named exactly by `word`, or nothing. */
std::optional<SchoolChoice> schoolChoiceFromWord(const std::string& word);
std::optional<UniversityChoice> universityChoiceFromWord(const std::string& word);

/**
 * Takes child `child` (1..10) out of the children's choices when the child is deleted from the plan:
 * the children after it move one place forward with their choices, and the last place gets the
 * default choices. A number outside 1..10 changes nothing.
 */
void removeChildEducation(MoneySettings& settings, int child);

/** The present entries of a list, in index order. */
std::vector<MoneyEntry> presentEntries(const std::array<std::optional<MoneyEntry>, MAX_MONEY_ENTRIES>& entries);

/** Replaces a list by `entries` numbered 1.. in their order; entries past the fiftieth are dropped. */
void setEntries(std::array<std::optional<MoneyEntry>, MAX_MONEY_ENTRIES>& list, const std::vector<MoneyEntry>& entries);

} // namespace harukaze

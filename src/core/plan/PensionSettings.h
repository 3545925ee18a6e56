// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace harukaze {

struct MoneySettings;

/** How a spouse's 公的年金 is found. */
enum class PensionMode {
    Amount, ///< 金額: the typed yearly amount (HUSBAND_PENSION / WIFE_PENSION)
    Statement, ///< 定期便: the figures printed on the ねんきん定期便
    Record, ///< 加入記録: months and average pay
};

/** Where most of a spouse's 厚生年金 record lies; decides a wife's 特別支給 schedule. */
enum class PensionRecordKind {
    Private, ///< 民間 (第1号厚生年金)
    Public, ///< 公務員 (第2〜4号: 公務員, 私学教職員)
};

/** The 免除 months of 加入記録, in the order of their keys. */
enum class PensionExemption {
    Full, ///< 全額免除 from 2009-04
    ThreeQuarters, ///< 4分の3免除
    Half, ///< 半額免除
    Quarter, ///< 4分の1免除
    FullOld, ///< 全額免除 before 2009-04
    ThreeQuartersOld,
    HalfOld,
    QuarterOld,
};
constexpr int PENSION_EXEMPTIONS = 8;

/**
 * One spouse's figures for the public pension estimate. Amounts are tenths of 万円 (1 = 1,000 yen),
 * "a month" amounts monthly; months and ages whole numbers. In 金額 only the mode and the birthday
 * mean anything; the rest is kept for an estimate mode.
 */
struct PensionSettings
{
    PensionMode mode = PensionMode::Amount; ///< P_PENSION_MODE
    int birthMonthDay = 101; ///< P_BIRTH_MD, MMDD
    int kiso65 = 0; ///< P_KISO_65, 定期便 老齢基礎年金 a year, 0..1500
    int kosei65 = 0; ///< P_KOSEI_65, 定期便 老齢厚生年金 a year, 0..9999
    int koseiMonths = 0; ///< P_KOSEI_MONTHS, 定期便 厚生年金 months to date, 0..600
    int statementWorkAge = 0; ///< P_TEIKI_WORK_AGE, 0..70
    int kisoMonths = 480; ///< P_KISO_MONTHS, 保険料納付済 months at 60, 0..480
    std::array<int, PENSION_EXEMPTIONS> exemptMonths {}; ///< P_KISO_EXEMPT_*, 0..480 each
    int koseiMonthsOld = 0; ///< P_KOSEI_MONTHS_OLD, before 2003-04, 0..600
    int koseiPayOld = 0; ///< P_KOSEI_PAY_OLD, 平均標準報酬月額 a month
    int koseiMonthsNew = 0; ///< P_KOSEI_MONTHS_NEW, from 2003-04, 0..600
    int koseiPayNew = 0; ///< P_KOSEI_PAY_NEW, 平均標準報酬額 a month
    int koseiMonthsOut = 0; ///< P_KOSEI_MONTHS_OUT, months before 20, from 60 or before 1961-04
    int futurePay = 0; ///< P_FUTURE_PAY, 標準報酬 a month until retirement (0: not covered)
    int reemployPay = 0; ///< P_REEMPLOY_PAY, 総報酬月額相当額 while re-employed (0: not covered)
    int kakyu = 1; ///< P_KAKYU, 1 = the other spouse is 生計維持 by this one
    PensionRecordKind recordKind = PensionRecordKind::Private; ///< P_KOSEI_KIND
    int tokubetsu = 0; ///< P_TOKUBETSU, 定期便 特別支給の老齢厚生年金 a year

    bool estimates() const { return mode != PensionMode::Amount; }
};

bool operator==(const PensionSettings& a, const PensionSettings& b);
inline bool operator!=(const PensionSettings& a, const PensionSettings& b)
{
    return !(a == b);
}

/** "金額", "定期便", "加入記録"; "民間", "公務員". */
const char* pensionModeWord(PensionMode mode);
std::optional<PensionMode> pensionModeFromWord(std::string_view word);
const char* pensionRecordKindWord(PensionRecordKind kind);
std::optional<PensionRecordKind> pensionRecordKindFromWord(std::string_view word);

/** MMDD of exactly four ASCII digits, a real day of the month (29 February allowed); else nothing. */
std::optional<int> parseMonthDay(std::string_view text);

/**
 * The pension keys of the money section for both spouses, in the order they are written: nothing
 * when both spouses are in 金額; else the mode and birthday of each, and the other keys of a spouse
 * in an estimate mode.
 */
void appendPensionSectionLines(const MoneySettings& settings, std::vector<std::string>& lines);

/** Applies a line of a pension key; false when `key` is not one (an invalid value changes nothing). */
bool applyPensionSectionLine(std::string_view key, std::string_view value, MoneySettings& settings);

/** Forgets the figures of a spouse in 金額 (the mode and birthday stay), as saving and reading would. */
void forgetUnusedPensionFigures(PensionSettings& pension);

} // namespace harukaze

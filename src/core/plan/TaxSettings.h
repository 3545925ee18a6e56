// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace harukaze {

/** Whether the pay, pension and severance settings hold 手取り or 額面. */
enum class IncomeBasis {
    Net, ///< 手取り: the amounts are what the household receives
    Gross, ///< 額面: the amounts are before 所得税, 住民税 and 社会保険料, which the cash-flow table computes
};

/**
 * The settings that turn 額面 pay, pensions and 退職金 into taxes and 手取り. Bonus months are in
 * tenths of a month (4.5 months is 45), the pensioner's premium rate in tenths of a percent.
 */
struct TaxSettings
{
    IncomeBasis incomeBasis = IncomeBasis::Net; ///< INCOME_BASIS
    std::string prefecture = "東京都"; ///< PREFECTURE, of the 協会けんぽ branch and of residence
    int husbandBonusMonths = 0; ///< HUSBAND_BONUS_MONTHS, 賞与 as months of monthly pay, 0..120
    int wifeBonusMonths = 0; ///< WIFE_BONUS_MONTHS
    int husbandBonusCount = 2; ///< HUSBAND_BONUS_COUNT, 賞与 payments a year, 0..3
    int wifeBonusCount = 2; ///< WIFE_BONUS_COUNT
    int husbandSocialInsurance = 1; ///< HUSBAND_SOCIAL_INSURANCE, 1 = 協会けんぽ, 厚生年金 and 雇用保険
    int wifeSocialInsurance = 1; ///< WIFE_SOCIAL_INSURANCE
    int husbandServiceYears = 0; ///< HUSBAND_SERVICE_YEARS, 勤続年数 for the 退職金 (0 = from the retirement age)
    int wifeServiceYears = 0; ///< WIFE_SERVICE_YEARS
    int pensionHealthRate = 0; ///< PENSION_HEALTH_RATE, a pensioner's 国保 / 介護 as % of the pension, 0..200

    bool gross() const { return incomeBasis == IncomeBasis::Gross; }
};

bool operator==(const TaxSettings& a, const TaxSettings& b);

constexpr int MAX_BONUS_MONTHS = 120;
constexpr int MAX_BONUS_COUNT = 3;
constexpr int MAX_SERVICE_YEARS = 60;
constexpr int MAX_PENSION_HEALTH_RATE = 200;

/** The words of the basis as the file and the dialog write them: "手取り", "額面". */
const char* incomeBasisWord(IncomeBasis basis);

/** The 47 prefectures (北海道 … 沖縄県) in the order of the rate tables. */
const std::vector<std::string>& prefectureNames();

/** The position of `name` in prefectureNames(), or -1 when it names no prefecture exactly. */
int prefectureIndex(std::string_view name);

/**
 * The section lines of these settings: all eleven keys, INCOME_BASIS first, when the basis is 額面;
 * none when it is 手取り.
 */
void appendTaxSettingLines(const TaxSettings& settings, std::vector<std::string>& lines);

/**
 * Applies one section line when `key` is one of the eleven keys: a valid value sets the setting, an
 * invalid one changes nothing. Returns false for any other key.
 */
bool applyTaxSettingLine(std::string_view key, std::string_view value, TaxSettings& settings);

} // namespace harukaze

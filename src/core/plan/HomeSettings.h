// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>

namespace harukaze {

/**
 * The household's home: the rent paid until it moves into a bought home (家賃), the running costs of
 * the owned home (住宅維持費), one housing loan (住宅ローン) with its rate changes and 繰上返済, and the
 * 住宅ローン控除 settings.
 *
 * Amounts are in tenths of 万円 and rates in tenths of a percent, as in MoneySettings; a loan rate is
 * in thousandths of a percent (2.375% is 2375). Every field's default is the value a plan without
 * these keys has.
 */

/** 返済方法. */
enum class LoanMethod {
    EqualPayment, ///< 元利均等
    EqualPrincipal, ///< 元金均等
};

/** 金利タイプ. */
enum class LoanRateType {
    Fixed, ///< 固定: a new rate changes the payment at once
    Variable, ///< 変動: 5年ルール and 125%ルール
};

/** Whose death clears the loan (団体信用生命保険). */
enum class LoanInsured {
    None, ///< なし
    Husband, ///< 夫
    Wife, ///< 妻
};

/** 住宅の種類 of the 住宅ローン控除. */
enum class CreditHouseKind {
    Certified, ///< 認定 (認定長期優良住宅・認定低炭素住宅)
    Zeh, ///< ZEH (ZEH水準省エネ住宅)
    EnergySaving, ///< 省エネ (省エネ基準適合住宅)
    Other, ///< その他
};

/** The kind of a 繰上返済. */
enum class PrepaymentKind {
    ShortenTerm, ///< 期間短縮
    LowerPayment, ///< 返済額軽減
};

/** Whose taxes the credit lowers when the income is 額面. */
enum class CreditTaxpayer {
    Husband, ///< 夫
    Wife, ///< 妻
};

/** 金利変更: from the payment dated in year/month on, the rate is `rate`. */
struct LoanRateChange
{
    int year = 0; ///< 1..9999
    int month = 1; ///< 1..12
    int rate = 0; ///< thousandths of a percent, 0..20000
};

/** 繰上返済 right after the payment dated in year/month. */
struct Prepayment
{
    int year = 0; ///< 1..9999
    int month = 1; ///< 1..12
    int amount = 0; ///< tenths of 万円, 0..999999
    PrepaymentKind kind = PrepaymentKind::ShortenTerm;
};

constexpr int MAX_LOAN_ENTRIES = 20; ///< LOAN_RATE1..20 and PREPAY1..20
constexpr int MAX_LOAN_RATE = 20000; ///< 20.000% in thousandths of a percent
constexpr int MAX_LOAN_YEARS = 50;
constexpr int MAX_LOAN_PAYMENTS = 600;

struct HomeSettings
{
    int rent = 0; ///< RENT, 家賃 a year
    int rentRate = 0; ///< RENT_RATE
    int moveYear = 0; ///< MOVE_YEAR, 入居 (0 = the month the loan is paid out)
    int moveMonth = 1; ///< MOVE_MONTH
    int houseCost = 0; ///< HOUSE_COST, 固定資産税・管理費・修繕積立金 a year
    int houseCostRate = 0; ///< HOUSE_COST_RATE
    int loanYear = 0; ///< LOAN_YEAR, 融資実行 (0 = no loan)
    int loanMonth = 1; ///< LOAN_MONTH
    int loanAmount = 0; ///< LOAN_AMOUNT, 借入額 (0 = no loan)
    int loanYears = 35; ///< LOAN_YEARS, 0..50
    int loanMonths = 0; ///< LOAN_MONTHS, 0..11
    LoanMethod loanMethod = LoanMethod::EqualPayment; ///< LOAN_METHOD
    LoanRateType loanRateType = LoanRateType::Fixed; ///< LOAN_RATE_TYPE
    int loanRate = 0; ///< LOAN_RATE, 当初金利 in thousandths of a percent
    LoanInsured insured = LoanInsured::None; ///< LOAN_DANSHIN
    int credit = 0; ///< CREDIT, 1 = compute the 住宅ローン控除
    CreditHouseKind creditKind = CreditHouseKind::EnergySaving; ///< CREDIT_KIND
    bool creditNew = true; ///< CREDIT_NEW: 新築 (true) or 既存
    int creditChild = 0; ///< CREDIT_CHILD, 子育て世帯・若者夫婦世帯
    int creditSmall = 0; ///< CREDIT_SMALL, 床面積 40㎡以上50㎡未満
    CreditTaxpayer creditTaxpayer = CreditTaxpayer::Husband; ///< CREDIT_TAXPAYER
    int creditIncomeTax = 0; ///< CREDIT_INCOME_TAX, 所得税額 a year (手取り income)
    int creditTaxable = 0; ///< CREDIT_TAXABLE, 課税総所得金額等
    int creditResidentTax = 0; ///< CREDIT_RESIDENT_TAX, 住民税所得割額
    int creditTotalIncome = 0; ///< CREDIT_TOTAL_INCOME, 合計所得金額

    std::array<std::optional<LoanRateChange>, MAX_LOAN_ENTRIES> rateChanges {}; ///< LOAN_RATE1..20
    std::array<std::optional<Prepayment>, MAX_LOAN_ENTRIES> prepayments {}; ///< PREPAY1..20

    /** N, the number of payments: 12 × LOAN_YEARS + LOAN_MONTHS. */
    int payments() const { return 12 * loanYears + loanMonths; }
    /** LOAN_YEAR > 0, LOAN_AMOUNT > 0 and 1 ≤ N ≤ 600. */
    bool hasLoan() const;
    /** Every key at its default and no rate change or 繰上返済: the plan file writes no housing keys. */
    bool isDefault() const;
};

bool operator==(const LoanRateChange& a, const LoanRateChange& b);
bool operator==(const Prepayment& a, const Prepayment& b);
bool operator==(const HomeSettings& a, const HomeSettings& b);
inline bool operator!=(const HomeSettings& a, const HomeSettings& b)
{
    return !(a == b);
}

/** The words of the choices as the plan file and the dialog write them. */
const char* loanMethodWord(LoanMethod method);
const char* loanRateTypeWord(LoanRateType type);
const char* loanInsuredWord(LoanInsured insured);
const char* creditHouseKindWord(CreditHouseKind kind);
const char* prepaymentKindWord(PrepaymentKind kind);
const char* creditTaxpayerWord(CreditTaxpayer taxpayer);
const char* creditNewWord(bool creditNew);

std::optional<LoanMethod> loanMethodFromWord(const std::string& word);
std::optional<LoanRateType> loanRateTypeFromWord(const std::string& word);
std::optional<LoanInsured> loanInsuredFromWord(const std::string& word);
std::optional<CreditHouseKind> creditHouseKindFromWord(const std::string& word);
std::optional<PrepaymentKind> prepaymentKindFromWord(const std::string& word);
std::optional<CreditTaxpayer> creditTaxpayerFromWord(const std::string& word);
std::optional<bool> creditNewFromWord(const std::string& word);

/** A loan rate in thousandths of a percent with three decimals ("2.375", "0.000", "12.500"). */
std::string formatLoanRate(int thousandths);

/** A loan rate of the grammar [0-9]+(\.[0-9]{1,3})? within 0..20.000, in thousandths; else nothing. */
std::optional<int> parseLoanRate(const std::string& text);

} // namespace harukaze

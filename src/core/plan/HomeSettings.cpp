// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/HomeSettings.h"

#include <tuple>
#include <utility>

namespace harukaze {

namespace {

template <typename Choice, size_t Count>
using Words = std::array<std::pair<Choice, const char*>, Count>;

const Words<LoanMethod, 2> METHOD_WORDS { { { LoanMethod::EqualPayment, "元利均等" },
    { LoanMethod::EqualPrincipal, "元金均等" } } };
const Words<LoanRateType, 2> RATE_TYPE_WORDS { { { LoanRateType::Fixed, "固定" },
    { LoanRateType::Variable, "変動" } } };
const Words<LoanInsured, 3> INSURED_WORDS {
    { { LoanInsured::None, "なし" }, { LoanInsured::Husband, "夫" }, { LoanInsured::Wife, "妻" } }
};
const Words<CreditHouseKind, 4> KIND_WORDS { { { CreditHouseKind::Certified, "認定" },
    { CreditHouseKind::Zeh, "ZEH" },
    { CreditHouseKind::EnergySaving, "省エネ" },
    { CreditHouseKind::Other, "その他" } } };
const Words<PrepaymentKind, 2> PREPAY_WORDS { { { PrepaymentKind::ShortenTerm, "期間短縮" },
    { PrepaymentKind::LowerPayment, "返済額軽減" } } };
const Words<CreditTaxpayer, 2> TAXPAYER_WORDS { { { CreditTaxpayer::Husband, "夫" }, { CreditTaxpayer::Wife, "妻" } } };
const Words<bool, 2> NEW_WORDS { { { true, "新築" }, { false, "既存" } } };

template <typename Choice, size_t Count>
const char* wordOf(const Words<Choice, Count>& words, Choice choice)
{
    for (const auto& entry : words) {
        if (entry.first == choice)
            return entry.second;
    }
    return "";
}

template <typename Choice, size_t Count>
std::optional<Choice> choiceOf(const Words<Choice, Count>& words, const std::string& word)
{
    for (const auto& entry : words) {
        if (word == entry.second)
            return entry.first;
    }
    return std::nullopt;
}

auto scalars(const HomeSettings& s)
{
    return std::tie(s.rent,
        s.rentRate,
        s.moveYear,
        s.moveMonth,
        s.houseCost,
        s.houseCostRate,
        s.loanYear,
        s.loanMonth,
        s.loanAmount,
        s.loanYears,
        s.loanMonths,
        s.loanMethod,
        s.loanRateType,
        s.loanRate,
        s.insured,
        s.credit,
        s.creditKind,
        s.creditNew,
        s.creditChild,
        s.creditSmall,
        s.creditTaxpayer,
        s.creditIncomeTax,
        s.creditTaxable,
        s.creditResidentTax,
        s.creditTotalIncome);
}

} // namespace

bool HomeSettings::hasLoan() const
{
    const int n = payments();
    return loanYear > 0 && loanAmount > 0 && n >= 1 && n <= MAX_LOAN_PAYMENTS;
}

bool HomeSettings::isDefault() const
{
    return *this == HomeSettings {};
}

bool operator==(const LoanRateChange& a, const LoanRateChange& b)
{
    return a.year == b.year && a.month == b.month && a.rate == b.rate;
}

bool operator==(const Prepayment& a, const Prepayment& b)
{
    return a.year == b.year && a.month == b.month && a.amount == b.amount && a.kind == b.kind;
}

bool operator==(const HomeSettings& a, const HomeSettings& b)
{
    return scalars(a) == scalars(b) && a.rateChanges == b.rateChanges && a.prepayments == b.prepayments;
}

const char* loanMethodWord(LoanMethod method)
{
    return wordOf(METHOD_WORDS, method);
}
const char* loanRateTypeWord(LoanRateType type)
{
    return wordOf(RATE_TYPE_WORDS, type);
}
const char* loanInsuredWord(LoanInsured insured)
{
    return wordOf(INSURED_WORDS, insured);
}
const char* creditHouseKindWord(CreditHouseKind kind)
{
    return wordOf(KIND_WORDS, kind);
}
const char* prepaymentKindWord(PrepaymentKind kind)
{
    return wordOf(PREPAY_WORDS, kind);
}
const char* creditTaxpayerWord(CreditTaxpayer taxpayer)
{
    return wordOf(TAXPAYER_WORDS, taxpayer);
}
const char* creditNewWord(bool creditNew)
{
    return wordOf(NEW_WORDS, creditNew);
}

std::optional<LoanMethod> loanMethodFromWord(const std::string& word)
{
    return choiceOf(METHOD_WORDS, word);
}
std::optional<LoanRateType> loanRateTypeFromWord(const std::string& word)
{
    return choiceOf(RATE_TYPE_WORDS, word);
}
std::optional<LoanInsured> loanInsuredFromWord(const std::string& word)
{
    return choiceOf(INSURED_WORDS, word);
}
std::optional<CreditHouseKind> creditHouseKindFromWord(const std::string& word)
{
    return choiceOf(KIND_WORDS, word);
}
std::optional<PrepaymentKind> prepaymentKindFromWord(const std::string& word)
{
    return choiceOf(PREPAY_WORDS, word);
}
std::optional<CreditTaxpayer> creditTaxpayerFromWord(const std::string& word)
{
    return choiceOf(TAXPAYER_WORDS, word);
}
std::optional<bool> creditNewFromWord(const std::string& word)
{
    return choiceOf(NEW_WORDS, word);
}

std::string formatLoanRate(int thousandths)
{
    const int whole = thousandths / 1000;
    const int fraction = thousandths % 1000;
    std::string decimals = std::to_string(fraction);
    while (decimals.size() < 3)
        decimals.insert(decimals.begin(), '0');
    return std::to_string(whole) + "." + decimals;
}

std::optional<int> parseLoanRate(const std::string& text)
{
    size_t i = 0;
    long long whole = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (whole < 1000000)
            whole = whole * 10 + (text[i] - '0');
        ++i;
    }
    if (i == 0)
        return std::nullopt;
    long long thousandths = whole * 1000;
    if (i < text.size()) {
        if (text[i] != '.')
            return std::nullopt;
        const size_t decimals = text.size() - i - 1;
        if (decimals < 1 || decimals > 3)
            return std::nullopt;
        long long scale = 100;
        for (size_t d = i + 1; d < text.size(); ++d) {
            if (text[d] < '0' || text[d] > '9')
                return std::nullopt;
            thousandths += (text[d] - '0') * scale;
            scale /= 10;
        }
    }
    if (thousandths > MAX_LOAN_RATE)
        return std::nullopt;
    return static_cast<int>(thousandths);
}

} // namespace harukaze

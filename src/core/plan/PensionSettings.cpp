// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/PensionSettings.h"

#include "core/plan/MoneySection.h"
#include "core/plan/MoneySettings.h"

namespace harukaze {

namespace {

enum class Kind {
    Mode, ///< 金額 / 定期便 / 加入記録
    MonthDay, ///< MMDD
    Amount, ///< tenths of 万円, 0..max
    Whole, ///< months or an age, 0..max
    Flag, ///< 0 or 1
    RecordKind, ///< 民間 / 公務員
};

struct Key
{
    const char* suffix; // after "HUSBAND_" / "WIFE_"
    Kind kind;
    int max;
    int& (*field)(PensionSettings&);
};

constexpr int MAX_KISO_65 = 1500;
constexpr int MAX_PAY = 9999;
constexpr int MAX_KISO_MONTHS = 480;
constexpr int MAX_KOSEI_MONTHS = 600;
constexpr int MAX_STATEMENT_WORK_AGE = 70;

int& modeDummy(PensionSettings& p)
{
    return p.birthMonthDay; // never used: the mode has its own branch
}

// The keys of one spouse's block, in the order they are written.
const std::array<Key, 25> KEYS { {
    { "PENSION_MODE", Kind::Mode, 0, modeDummy },
    { "BIRTH_MD", Kind::MonthDay, 0, [](PensionSettings& p) -> int& { return p.birthMonthDay; } },
    { "KISO_65", Kind::Amount, MAX_KISO_65, [](PensionSettings& p) -> int& { return p.kiso65; } },
    { "KOSEI_65", Kind::Amount, MAX_PAY, [](PensionSettings& p) -> int& { return p.kosei65; } },
    { "KOSEI_MONTHS", Kind::Whole, MAX_KOSEI_MONTHS, [](PensionSettings& p) -> int& { return p.koseiMonths; } },
    { "TEIKI_WORK_AGE",
        Kind::Whole,
        MAX_STATEMENT_WORK_AGE,
        [](PensionSettings& p) -> int& { return p.statementWorkAge; } },
    { "KISO_MONTHS", Kind::Whole, MAX_KISO_MONTHS, [](PensionSettings& p) -> int& { return p.kisoMonths; } },
    { "KISO_EXEMPT_FULL", Kind::Whole, MAX_KISO_MONTHS, [](PensionSettings& p) -> int& { return p.exemptMonths[0]; } },
    { "KISO_EXEMPT_3Q", Kind::Whole, MAX_KISO_MONTHS, [](PensionSettings& p) -> int& { return p.exemptMonths[1]; } },
    { "KISO_EXEMPT_HALF", Kind::Whole, MAX_KISO_MONTHS, [](PensionSettings& p) -> int& { return p.exemptMonths[2]; } },
    { "KISO_EXEMPT_1Q", Kind::Whole, MAX_KISO_MONTHS, [](PensionSettings& p) -> int& { return p.exemptMonths[3]; } },
    { "KISO_EXEMPT_FULL_OLD",
        Kind::Whole,
        MAX_KISO_MONTHS,
        [](PensionSettings& p) -> int& { return p.exemptMonths[4]; } },
    { "KISO_EXEMPT_3Q_OLD",
        Kind::Whole,
        MAX_KISO_MONTHS,
        [](PensionSettings& p) -> int& { return p.exemptMonths[5]; } },
    { "KISO_EXEMPT_HALF_OLD",
        Kind::Whole,
        MAX_KISO_MONTHS,
        [](PensionSettings& p) -> int& { return p.exemptMonths[6]; } },
    { "KISO_EXEMPT_1Q_OLD",
        Kind::Whole,
        MAX_KISO_MONTHS,
        [](PensionSettings& p) -> int& { return p.exemptMonths[7]; } },
    { "KOSEI_MONTHS_OLD", Kind::Whole, MAX_KOSEI_MONTHS, [](PensionSettings& p) -> int& { return p.koseiMonthsOld; } },
    { "KOSEI_PAY_OLD", Kind::Amount, MAX_PAY, [](PensionSettings& p) -> int& { return p.koseiPayOld; } },
    { "KOSEI_MONTHS_NEW", Kind::Whole, MAX_KOSEI_MONTHS, [](PensionSettings& p) -> int& { return p.koseiMonthsNew; } },
    { "KOSEI_PAY_NEW", Kind::Amount, MAX_PAY, [](PensionSettings& p) -> int& { return p.koseiPayNew; } },
    { "KOSEI_MONTHS_OUT", Kind::Whole, MAX_KOSEI_MONTHS, [](PensionSettings& p) -> int& { return p.koseiMonthsOut; } },
    { "FUTURE_PAY", Kind::Amount, MAX_PAY, [](PensionSettings& p) -> int& { return p.futurePay; } },
    { "REEMPLOY_PAY", Kind::Amount, MAX_PAY, [](PensionSettings& p) -> int& { return p.reemployPay; } },
    { "KAKYU", Kind::Flag, 1, [](PensionSettings& p) -> int& { return p.kakyu; } },
    { "KOSEI_KIND", Kind::RecordKind, 0, modeDummy },
    { "TOKUBETSU", Kind::Amount, MAX_PAY, [](PensionSettings& p) -> int& { return p.tokubetsu; } },
} };

constexpr std::string_view HUSBAND_PREFIX = "HUSBAND_";
constexpr std::string_view WIFE_PREFIX = "WIFE_";

// The rule of a number key (Amount, Whole or Flag): from 0 to its maximum.
NumberRule ruleOf(const Key& key)
{
    if (key.kind == Kind::Flag)
        return { NumberRule::Form::Flag, 0, 1 };
    return { key.kind == Kind::Amount ? NumberRule::Form::Amount : NumberRule::Form::Whole, 0, key.max };
}

std::string formatValue(const Key& key, PensionSettings& pension)
{
    switch (key.kind) {
    case Kind::Mode:
        return pensionModeWord(pension.mode);
    case Kind::RecordKind:
        return pensionRecordKindWord(pension.recordKind);
    case Kind::MonthDay: {
        const int md = key.field(pension);
        return std::string { static_cast<char>('0' + md / 1000),
            static_cast<char>('0' + md / 100 % 10),
            static_cast<char>('0' + md / 10 % 10),
            static_cast<char>('0' + md % 10) };
    }
    case Kind::Amount:
    case Kind::Whole:
    case Kind::Flag:
        break;
    }
    return formatNumber(ruleOf(key), key.field(pension));
}

bool apply(const Key& key, std::string_view value, PensionSettings& pension)
{
    switch (key.kind) {
    case Kind::Mode:
        if (const std::optional<PensionMode> mode = pensionModeFromWord(value))
            pension.mode = *mode;
        return true;
    case Kind::RecordKind:
        if (const std::optional<PensionRecordKind> kind = pensionRecordKindFromWord(value))
            pension.recordKind = *kind;
        return true;
    case Kind::MonthDay:
        if (const std::optional<int> md = parseMonthDay(value))
            key.field(pension) = *md;
        return true;
    case Kind::Amount:
    case Kind::Whole:
    case Kind::Flag:
        if (const std::optional<int> number = parseNumber(ruleOf(key), value))
            key.field(pension) = *number;
        return true;
    }
    return true;
}

void appendBlock(std::string_view prefix, PensionSettings pension, std::vector<std::string>& lines)
{
    const size_t keys = pension.estimates() ? KEYS.size() : 2; // the mode and the birthday only
    for (size_t k = 0; k < keys; ++k)
        lines.push_back(std::string(prefix) + KEYS[k].suffix + "=" + formatValue(KEYS[k], pension));
}

} // namespace

bool operator==(const PensionSettings& a, const PensionSettings& b)
{
    return a.mode == b.mode && a.birthMonthDay == b.birthMonthDay && a.kiso65 == b.kiso65 && a.kosei65 == b.kosei65
        && a.koseiMonths == b.koseiMonths && a.statementWorkAge == b.statementWorkAge && a.kisoMonths == b.kisoMonths
        && a.exemptMonths == b.exemptMonths && a.koseiMonthsOld == b.koseiMonthsOld && a.koseiPayOld == b.koseiPayOld
        && a.koseiMonthsNew == b.koseiMonthsNew && a.koseiPayNew == b.koseiPayNew
        && a.koseiMonthsOut == b.koseiMonthsOut && a.futurePay == b.futurePay && a.reemployPay == b.reemployPay
        && a.kakyu == b.kakyu && a.recordKind == b.recordKind && a.tokubetsu == b.tokubetsu;
}

const char* pensionModeWord(PensionMode mode)
{
    switch (mode) {
    case PensionMode::Statement:
        return "定期便";
    case PensionMode::Record:
        return "加入記録";
    case PensionMode::Amount:
        break;
    }
    return "金額";
}

std::optional<PensionMode> pensionModeFromWord(std::string_view word)
{
    for (PensionMode mode : { PensionMode::Amount, PensionMode::Statement, PensionMode::Record }) {
        if (word == pensionModeWord(mode))
            return mode;
    }
    return std::nullopt;
}

const char* pensionRecordKindWord(PensionRecordKind kind)
{
    return kind == PensionRecordKind::Public ? "公務員" : "民間";
}

std::optional<PensionRecordKind> pensionRecordKindFromWord(std::string_view word)
{
    for (PensionRecordKind kind : { PensionRecordKind::Private, PensionRecordKind::Public }) {
        if (word == pensionRecordKindWord(kind))
            return kind;
    }
    return std::nullopt;
}

std::optional<int> parseMonthDay(std::string_view text)
{
    static const int DAYS[] = { 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (text.size() != 4)
        return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const int month = (text[0] - '0') * 10 + (text[1] - '0');
    const int day = (text[2] - '0') * 10 + (text[3] - '0');
    if (month < 1 || month > 12 || day < 1 || day > DAYS[month - 1])
        return std::nullopt;
    return month * 100 + day;
}

void appendPensionSectionLines(const MoneySettings& settings, std::vector<std::string>& lines)
{
    if (!settings.husbandPensionEstimate.estimates() && !settings.wifePensionEstimate.estimates())
        return;
    appendBlock(HUSBAND_PREFIX, settings.husbandPensionEstimate, lines);
    appendBlock(WIFE_PREFIX, settings.wifePensionEstimate, lines);
}

bool applyPensionSectionLine(std::string_view key, std::string_view value, MoneySettings& settings)
{
    PensionSettings* pension = nullptr;
    if (key.substr(0, HUSBAND_PREFIX.size()) == HUSBAND_PREFIX) {
        pension = &settings.husbandPensionEstimate;
        key.remove_prefix(HUSBAND_PREFIX.size());
    } else if (key.substr(0, WIFE_PREFIX.size()) == WIFE_PREFIX) {
        pension = &settings.wifePensionEstimate;
        key.remove_prefix(WIFE_PREFIX.size());
    } else {
        return false;
    }
    for (const Key& k : KEYS) {
        if (key == k.suffix)
            return apply(k, value, *pension);
    }
    return false;
}

void forgetUnusedPensionFigures(PensionSettings& pension)
{
    if (pension.estimates())
        return;
    PensionSettings defaults;
    defaults.birthMonthDay = pension.birthMonthDay;
    pension = defaults;
}

} // namespace harukaze

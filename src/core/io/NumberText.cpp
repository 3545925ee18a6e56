// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace harukaze {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A decimal number split into its parts, digits as written.
struct DecimalText
{
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
};

// Rounds the decimal half to even and returns the signed value, or nothing when its magnitude does
// not fit in 32 bits (which is far outside every range the callers accept).
std::optional<long long> roundDecimal(const DecimalText& number)
{
    size_t first = number.integerDigits.find_first_not_of('0');
    const std::string digits = first == std::string::npos ? std::string() : number.integerDigits.substr(first);
    if (digits.size() > 9)
        return std::nullopt;
    long long magnitude = digits.empty() ? 0 : std::stoll(digits);

    if (!number.fractionDigits.empty()) {
        const char lead = number.fractionDigits[0];
        bool roundUp = false;
        if (lead > '5') {
            roundUp = true;
        } else if (lead == '5') {
            const bool moreThanHalf = number.fractionDigits.find_first_not_of('0', 1) != std::string::npos;
            roundUp = moreThanHalf || (magnitude % 2 == 1);
        }
        if (roundUp)
            ++magnitude;
    }
    return number.negative ? -magnitude : magnitude;
}

std::optional<int16_t> toInt16(std::optional<long long> value)
{
    if (!value || *value < std::numeric_limits<int16_t>::min() || *value > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(*value);
}

// Reads an optionally signed decimal at the start of `text`; returns the count of characters used
// (0 when there is no digit at all).
size_t readDecimal(std::string_view text, DecimalText& number)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }
    while (i < text.size() && isDigit(text[i]))
        number.integerDigits += text[i++];
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        std::string fraction;
        while (j < text.size() && isDigit(text[j]))
            fraction += text[j++];
        if (!number.integerDigits.empty() || !fraction.empty()) {
            number.fractionDigits = fraction;
            i = j;
        }
    }
    if (number.integerDigits.empty() && number.fractionDigits.empty())
        return 0;
    return i;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string withoutBlanks(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!isBlank(c))
            compact += c;
    }
    return compact;
}

} // namespace

std::optional<int16_t> wholeTextToInt16(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    const std::string_view core = text.substr(begin, end - begin);
    if (core.empty())
        return std::nullopt;

    DecimalText number;
    const size_t used = readDecimal(core, number);
    if (used == 0 || used != core.size())
        return std::nullopt;
    return toInt16(roundDecimal(number));
}

int16_t lenientTextToInt16(std::string_view text)
{
    const std::string compact = withoutBlanks(text);
    DecimalText number;
    if (readDecimal(compact, number) == 0)
        return 0;
    std::optional<long long> value = roundDecimal(number);
    if (!value)
        return number.negative ? std::numeric_limits<int16_t>::min() : std::numeric_limits<int16_t>::max();
    if (*value < std::numeric_limits<int16_t>::min())
        return std::numeric_limits<int16_t>::min();
    if (*value > std::numeric_limits<int16_t>::max())
        return std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(*value);
}

double lenientTextToDouble(std::string_view text)
{
    const std::string compact = withoutBlanks(text);
    DecimalText number;
    const size_t used = readDecimal(compact, number);
    if (used == 0)
        return 0.0;
    // strtod is locale-dependent for the decimal point; build the text with '.' and parse by hand.
    double value = 0.0;
    for (char c : number.integerDigits)
        value = value * 10.0 + (c - '0');
    double scale = 0.1;
    for (char c : number.fractionDigits) {
        value += (c - '0') * scale;
        scale /= 10.0;
    }
    return number.negative ? -value : value;
}

std::string formatPadded(long long value, int digits)
{
    const bool negative = value < 0;
    const unsigned long long magnitude
        = negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::string text = std::to_string(magnitude);
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
    return negative ? "-" + text : text;
}

long long roundHalfEven(double value)
{
    // Converting a double outside the range of long long (or NaN) is undefined; hold it to the
    // range first. 2^62 is exactly representable and far beyond every caller's range.
    constexpr double kLimit = 4611686018427387904.0;
    if (std::isnan(value))
        return 0;
    return static_cast<long long>(std::nearbyint(std::clamp(value, -kLimit, kLimit)));
}

} // namespace harukaze

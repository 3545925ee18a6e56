// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

using namespace harukaze;

namespace {

struct WholeCase
{
    const char* text;
    std::optional<int16_t> expected;
};

class TestWholeText : public testing::TestWithParam<WholeCase>
{
};

TEST_P(TestWholeText, convertsTheWholeText)
{
    const WholeCase& row = GetParam();
    EXPECT_EQ(wholeTextToInt16(row.text), row.expected) << "text: \"" << row.text << "\"";
}

const WholeCase kWholeCases[] = {
    // Plain numbers, signs and surrounding blanks.
    { "1964", 1964 },
    { "0", 0 },
    { " 60 ", 60 },
    { "\t7\t", 7 },
    { "-5", -5 },
    { "+5", 5 },
    { "00012", 12 },
    // Fractions round half to even, in both directions and on both signs.
    { "7.5", 8 },
    { "6.5", 6 },
    { "0.5", 0 },
    { "1.5", 2 },
    { "2.5", 2 },
    { "-7.5", -8 },
    { "-6.5", -6 },
    { "-0.5", 0 },
    { "2.5000", 2 },
    { "2.50001", 3 },
    { "6.49", 6 },
    { "6.51", 7 },
    { ".5", 0 },
    { ".51", 1 },
    { "5.", 5 },
    // Range limits of a signed 16-bit integer, also after rounding.
    { "32767", 32767 },
    { "-32768", -32768 },
    { "32768", std::nullopt },
    { "-32769", std::nullopt },
    { "32767.4", 32767 },
    { "32767.5", std::nullopt },
    { "32766.5", 32766 },
    { "-32768.5", -32768 },
    { "-32767.5", -32768 },
    { "-32768.6", std::nullopt },
    { "99999999999999999999", std::nullopt },
    // Anything that is not one number is no value.
    { "", std::nullopt },
    { "   ", std::nullopt },
    { "abc", std::nullopt },
    { "12abc", std::nullopt },
    { "1 2", std::nullopt },
    { "1,000", std::nullopt },
    { "1e3", std::nullopt },
    { "-", std::nullopt },
    { ".", std::nullopt },
    { "--1", std::nullopt },
    { "0x10", std::nullopt },
    { "YOBI_ST1(13)", std::nullopt },
    { "\xEF\xBC\x91\xEF\xBC\x92", std::nullopt }, // full-width "１２"
};

INSTANTIATE_TEST_SUITE_P(Rows, TestWholeText, testing::ValuesIn(kWholeCases));

struct LenientCase
{
    const char* text;
    int16_t expected;
};

class TestLenientText : public testing::TestWithParam<LenientCase>
{
};

TEST_P(TestLenientText, takesTheLeadingNumber)
{
    const LenientCase& row = GetParam();
    EXPECT_EQ(lenientTextToInt16(row.text), row.expected) << "text: \"" << row.text << "\"";
}

const LenientCase kLenientCases[] = {
    { "2", 2 },
    { " 3 ", 3 },
    { "1 2", 12 },
    { "\t4", 4 },
    { "3\xE4\xBA\xBA", 3 }, // "3人"
    { "10abc", 10 },
    { "", 0 },
    { "   ", 0 },
    { "abc", 0 },
    { "-1", -1 },
    { "2.5", 2 },
    { "3.5", 4 },
    { "-2.5", -2 },
    { "-3.5", -4 },
    { "32767", 32767 },
    { "99999", 32767 },
    { "-99999", -32768 },
    { "99999999999999999999", 32767 },
    { "-99999999999999999999", -32768 },
};

INSTANTIATE_TEST_SUITE_P(Rows, TestLenientText, testing::ValuesIn(kLenientCases));

TEST(TestNumberText, lenientDoubleReadsTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(lenientTextToDouble("10.5"), 10.5);
    EXPECT_DOUBLE_EQ(lenientTextToDouble(" 9 "), 9.0);
    EXPECT_DOUBLE_EQ(lenientTextToDouble("12pt"), 12.0);
    EXPECT_DOUBLE_EQ(lenientTextToDouble("-1.25"), -1.25);
    EXPECT_DOUBLE_EQ(lenientTextToDouble("x"), 0.0);
    EXPECT_DOUBLE_EQ(lenientTextToDouble(""), 0.0);
}

TEST(TestNumberText, formatPaddedPadsToTheGivenDigits)
{
    EXPECT_EQ(formatPadded(5, 2), "05");
    EXPECT_EQ(formatPadded(12, 2), "12");
    EXPECT_EQ(formatPadded(0, 2), "00");
    EXPECT_EQ(formatPadded(105, 2), "105");
    EXPECT_EQ(formatPadded(-3, 2), "-03");
    EXPECT_EQ(formatPadded(-30, 2), "-30");
    EXPECT_EQ(formatPadded(987, 4), "0987");
    EXPECT_EQ(formatPadded(std::numeric_limits<long long>::min(), 2), "-9223372036854775808");
}

TEST(TestNumberText, roundHalfEvenGoesToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(1868.5), 1868);
    EXPECT_EQ(roundHalfEven(1869.5), 1870);
}

TEST(TestNumberText, roundHalfEvenHoldsValuesThatFitNoInteger)
{
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
    EXPECT_GT(roundHalfEven(1e300), 1'000'000'000'000'000LL);
    EXPECT_LT(roundHalfEven(-1e300), -1'000'000'000'000'000LL);
    EXPECT_GT(roundHalfEven(std::numeric_limits<double>::infinity()), 0);
}

} // namespace

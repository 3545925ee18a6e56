// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/Cp932.h"

#include <gtest/gtest.h>

#include <string>

using namespace harukaze;

namespace {

struct CodecCase
{
    const char* utf8;
    std::string cp932;
};

class TestCp932Pairs : public testing::TestWithParam<CodecCase>
{
};

TEST_P(TestCp932Pairs, convertsBothWays)
{
    const CodecCase& row = GetParam();
    EXPECT_EQ(utf8ToCp932(row.utf8), row.cp932) << row.utf8;
    EXPECT_EQ(cp932ToUtf8(row.cp932), row.utf8) << row.utf8;
}

const CodecCase kPairs[] = {
    { "", "" },
    { "YOBI_ST1(13)", "YOBI_ST1(13)" },
    { "-1964", "-1964" },
    { "長男", "\x92\xB7\x92\x6A" },
    { "普通", "\x95\x81\x92\xCA" },
    { "早生", "\x91\x81\x90\xB6" },
    { "令和", "\x97\xDF\x98\x61" },
    // Half-width katakana are single bytes.
    { "ｶﾝﾏ", "\xB6\xDD\xCF" },
    // The ideographic space and a double-byte character whose second byte is "\".
    { "　", "\x81\x40" },
    { "ライフサイクル表", "\x83\x89\x83\x43\x83\x74\x83\x54\x83\x43\x83\x4E\x83\x8B\x95\x5C" },
    { "～", "\x81\x60" },
    { "1998,長女,30", "1998,\x92\xB7\x8F\x97,30" },
    // Single bytes that Windows maps to characters of their own keep their bytes.
    { "\xC2\x80", "\x80" },
    { "\xEF\xA3\xB0"
      "1",
        "\xA0"
        "1" },
    { "長\xEF\xA3\xB1\xEF\xA3\xB2\xEF\xA3\xB3男", "\x92\xB7\xFD\xFE\xFF\x92\x6A" },
    { "1\r\n長男\r\n\r\nab表c\n2",
        "1\r\n\x92\xB7\x92\x6A\r\n\r\nab\x95\x5C"
        "c\n2" },
};

INSTANTIATE_TEST_SUITE_P(Rows, TestCp932Pairs, testing::ValuesIn(kPairs));

struct OneWayCase
{
    std::string input;
    std::string expected;
};

class TestCp932Decode : public testing::TestWithParam<OneWayCase>
{
};

TEST_P(TestCp932Decode, replacesBadBytes)
{
    EXPECT_EQ(cp932ToUtf8(GetParam().input), GetParam().expected);
}

const OneWayCase kBadCp932[] = {
    { "A\x81", "A\xEF\xBF\xBD" }, // lead byte cut off at the end
    { "\x85\x40"
      "1",
        "\xEF\xBF\xBD@1" }, // a pair that is no character: its second byte is read again
    { "\xEB\x40\xEB\x40", "\xEF\xBF\xBD@\xEF\xBF\xBD@" },
    { "\x81\x20"
      "2",
        "\xEF\xBF\xBD 2" }, // lead byte with an impossible trail
    { "\x92\xB7\x85\x40\x92\x6A", "長\xEF\xBF\xBD@男" },
    { "\x81\n"
      "1\x81\r\n",
        "\xEF\xBF\xBD\n1\xEF\xBF\xBD\r\n" }, // lead bytes cut off by line ends
};

INSTANTIATE_TEST_SUITE_P(Rows, TestCp932Decode, testing::ValuesIn(kBadCp932));

class TestCp932Encode : public testing::TestWithParam<OneWayCase>
{
};

TEST_P(TestCp932Encode, writesQuestionMarksForWhatCannotBeHeld)
{
    EXPECT_EQ(utf8ToCp932(GetParam().input), GetParam().expected);
}

const OneWayCase kUnencodable[] = {
    { "\xF0\x9F\x98\x80", "?" }, // emoji
    { "a\xED\x95\x9C"
      "b",
        "a?b" }, // Hangul
    { "x\xC3", "x?" }, // UTF-8 cut off at the end
    { "a\xE9"
      "b",
        "a?b" }, // Latin-1 byte, not UTF-8
    { "\xFF"
      "1",
        "?1" }, // a lone byte that is not UTF-8
    { "長\xF0\x9F\x98\x80男", "\x92\xB7?\x92\x6A" },
    { "\xE9\n\xE9\x95\n", "?\n??\n" },
};

INSTANTIATE_TEST_SUITE_P(Rows, TestCp932Encode, testing::ValuesIn(kUnencodable));

TEST(TestCp932, longTextsPassThroughTheBuffers)
{
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "長男ｶﾝﾏabc";
    EXPECT_EQ(cp932ToUtf8(utf8ToCp932(text)), text);
}

} // namespace

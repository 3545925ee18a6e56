// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableTestSupport.h"

#include "core/io/LineReader.h"
#include "core/table/LifeExpectancy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

using namespace harukaze;

using namespace tabletest;

namespace {

constexpr int16_t UNTOUCHED = 123;

int16_t readAge(const std::string& dir, const std::string& file, int a0, bool constants = true)
{
    int16_t L = UNTOUCHED;
    YOMEI_READ(dir, file, a0, constants, L);
    return L;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

TEST(TestLifeExpectancy, takesTheLineOfTheCurrentAge)
{
    TempDir dir;
    dir.write(MALE_FILE, lifeFile(121, [](int age) { return " " + std::to_string(200 + age); }));
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 0), 200); // first line
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 62), 262); // line 63
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 120), 320); // last line
}

TEST(TestLifeExpectancy, roundsTheNumberHalfToEven)
{
    struct Row
    {
        const char* tail; // the line from its fourth character on
        int16_t expected;
    };
    const Row rows[] = {
        { " 81.6", 82 },
        { "80.5", 80 },
        { "81.5", 82 },
        { " 84.51 ", 85 },
        { "\t77\t", 77 },
        { "84.50", 84 },
        { "-3", -3 },
        { "32767", 32767 },
    };
    for (const Row& row : rows) {
        TempDir dir;
        dir.write(FEMALE_FILE, utf8ToCp932(joinLines({ "000 1", std::string("abc") + row.tail, "002 1" })));
        EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, 1), row.expected) << row.tail;
    }
}

TEST(TestLifeExpectancy, leavesLUnchangedWhenTheLineHoldsNoNumber)
{
    const char* tails[] = { "", " ", " abc", " 84歳", " 8 4", " 40000", " -40000" };
    for (const char* tail : tails) {
        TempDir dir;
        dir.write(MALE_FILE, utf8ToCp932(joinLines({ "000 1", std::string("001") + tail, "002 1" })));
        EXPECT_EQ(readAge(dir.path(), MALE_FILE, 1), UNTOUCHED) << '"' << tail << '"';
    }
    // Fewer than four characters on the line.
    TempDir dir;
    dir.write(MALE_FILE, "000 1\r\n01\r\n\r\n");
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 1), UNTOUCHED);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 2), UNTOUCHED);
}

TEST(TestLifeExpectancy, countsTheFirstThreeCharactersAfterDecoding)
{
    TempDir dir;
    // Double-byte characters in the first three count once each; the rest is the number.
    dir.write(MALE_FILE, utf8ToCp932(joinLines({ "６２歳 70", "62歳71", "ｱｲｳ72" })));
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 0), 70);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 1), 71);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 2), 72);
}

TEST(TestLifeExpectancy, acceptsEveryLineEnd)
{
    struct Row
    {
        const char* name;
        std::string bytes;
    };
    const Row rows[] = {
        { "CR LF", "000 10\r\n001 11\r\n002 12\r\n" },
        { "LF", "000 10\n001 11\n002 12\n" },
        { "CR", "000 10\r001 11\r002 12\r" },
        { "mixed, no end on the last line", "000 10\n001 11\r002 12" },
    };
    for (const Row& row : rows) {
        TempDir dir;
        dir.write(FEMALE_FILE, row.bytes);
        EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, 0), 10) << row.name;
        EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, 1), 11) << row.name;
        EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, 2), 12) << row.name;
        EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, 3), UNTOUCHED) << row.name;
    }
    // An empty line counts as a line: "\r\n\r\n" has two.
    TempDir dir;
    dir.write(FEMALE_FILE, "\r\n\n001 11\r\n");
    EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, 2), 11);
}

TEST(TestLifeExpectancy, fileTooShortLeavesLUnchanged)
{
    TempDir dir;
    dir.write(MALE_FILE, uniformLifeFile(80, 62)); // ages 0..61
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 61), 80);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 62), UNTOUCHED);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 30000), UNTOUCHED);
    dir.write(MALE_FILE, "");
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 0), UNTOUCHED);
}

TEST(TestLifeExpectancy, missingFileLeavesLUnchanged)
{
    TempDir dir;
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 40), UNTOUCHED);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, -1), UNTOUCHED); // no constant without the file
    EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, -1), UNTOUCHED);
    // Only the named folder is searched.
    dir.write(MALE_FILE, uniformLifeFile(80));
    EXPECT_EQ(readAge(dir.path() + "elsewhere/", MALE_FILE, 40), UNTOUCHED);
    // A folder of that name is no data file.
    TempDir other;
    mkdir((other.path() + FEMALE_FILE).c_str(), 0700);
    EXPECT_EQ(readAge(other.path(), FEMALE_FILE, 40), UNTOUCHED);
    EXPECT_EQ(readAge(other.path(), FEMALE_FILE, -1), UNTOUCHED);
}

TEST(TestLifeExpectancy, notYetBornGetsTheConstantsWithoutReadingALine)
{
    TempDir dir;
    // The files exist but hold no usable line: the constants do not come from them.
    dir.write(MALE_FILE, "");
    dir.write(FEMALE_FILE, "garbage");
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, -1), 77);
    EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, -1), 84);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, -30000), 77);
    // The parents' builder reads no line and sets nothing for a parent not yet born.
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, -1, false), UNTOUCHED);
    EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, -5, false), UNTOUCHED);
}

TEST(TestLifeExpectancy, readsTheFileAfreshEveryCall)
{
    TempDir dir;
    dir.write(MALE_FILE, uniformLifeFile(80));
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 10), 80);
    dir.write(MALE_FILE, uniformLifeFile(90));
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 10), 90);
    std::remove((dir.path() + MALE_FILE).c_str());
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 10), UNTOUCHED);
}

TEST(TestLifeExpectancy, onlyARegularFileIsReadAndNothingWaits)
{
    HangGuard guard;
    TempDir dir;
    ASSERT_EQ(mkfifo((dir.path() + MALE_FILE).c_str(), 0644), 0);
    ASSERT_EQ(mkdir((dir.path() + FEMALE_FILE).c_str(), 0755), 0);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 40), UNTOUCHED);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, -1), UNTOUCHED) << "no constant without a data file";
    EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, 40), UNTOUCHED);
    // A device as the data file: /dev/zero would never end a line.
    EXPECT_EQ(readAge("/dev/", "zero", 0), UNTOUCHED);
}

TEST(TestLifeExpectancy, readsNoFurtherThanTheLineWanted)
{
    TempDir dir;
    // Three good lines, then a gigabyte of zero bytes: the lines before it read as ever.
    tabletest::writeSparseFile(dir.path() + MALE_FILE, "000 70\r\n001 71\r\n002 72\r\n", off_t { 1 } << 30);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 2), 72);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 3), UNTOUCHED);
    EXPECT_EQ(readAge(dir.path(), MALE_FILE, 30000), UNTOUCHED);

    // A line over 64 KiB before the wanted one means the file is no data file.
    dir.write(FEMALE_FILE, "000 80\r\n" + std::string(MAX_LINE_BYTES + 1, ' ') + "\r\n002 82\r\n");
    EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, 0), 80);
    EXPECT_EQ(readAge(dir.path(), FEMALE_FILE, 2), UNTOUCHED);
}

// The data files the build generates from the project's life table.
TEST(TestLifeExpectancy, generatedDataFiles)
{
    const std::string bin = std::string(HARUKAZE_BIN_DIR) + "/";
    struct Row
    {
        std::string file;
        int line; // 1-based
        std::string text; // expected line without its end
    };
    const Row rows[] = {
        { MALE_FILE, 1, "000 81.56" },
        { FEMALE_FILE, 1, "000 87.71" },
        { MALE_FILE, 21, "020 81.90" },
        { FEMALE_FILE, 21, "020 88.01" },
        { MALE_FILE, 66, "065 84.97" },
        { FEMALE_FILE, 66, "065 89.88" },
        { MALE_FILE, 63, "062 84.43" },
        { FEMALE_FILE, 76, "075 91.22" },
        { MALE_FILE, 114, "113 114.05" },
        { FEMALE_FILE, 114, "113 113.98" },
        { MALE_FILE, 115, "114 115.05" },
        { FEMALE_FILE, 121, "120 120.98" },
        { MALE_FILE, 121, "120 121.05" },
    };
    for (const std::string& file : { MALE_FILE, FEMALE_FILE }) {
        const std::string bytes = readBytes(bin + file);
        ASSERT_FALSE(bytes.empty()) << file;
        // 121 lines, every one ended by CR LF, no bare LF.
        size_t crlf = 0;
        for (size_t pos = bytes.find("\r\n"); pos != std::string::npos; pos = bytes.find("\r\n", pos + 2))
            ++crlf;
        EXPECT_EQ(crlf, 121u) << file;
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 121) << file;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << file;
    }
    for (const Row& row : rows) {
        const std::string bytes = readBytes(bin + row.file);
        size_t begin = 0;
        for (int line = 1; line < row.line; ++line)
            begin = bytes.find("\r\n", begin) + 2;
        EXPECT_EQ(bytes.substr(begin, bytes.find("\r\n", begin) - begin), row.text) << row.file << ":" << row.line;
    }
    // And read back as the builders read them: 81.56 -> 82, 84.43 -> 84, 121.05 -> 121.
    EXPECT_EQ(readAge(bin, MALE_FILE, 0), 82);
    EXPECT_EQ(readAge(bin, MALE_FILE, 62), 84);
    EXPECT_EQ(readAge(bin, FEMALE_FILE, 0), 88);
    EXPECT_EQ(readAge(bin, MALE_FILE, 120), 121);
    EXPECT_EQ(readAge(bin, MALE_FILE, 121), UNTOUCHED);
}

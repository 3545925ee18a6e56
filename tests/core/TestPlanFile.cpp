// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/PlanFile.h"

#include "core/io/SaveFile.h"
#include "support/PlanBuilder.h"

#include "TableTestSupport.h"
#include "core/io/LineReader.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace harukaze;

namespace {

const std::string kPlans = std::string(HARUKAZE_TEST_DATA_DIR) + "/plans/";

void setCouple(FamilyPlan& plan, CoupleSection section, std::vector<int> fields)
{
    ASSERT_EQ(fields.size(), static_cast<size_t>(COUPLE_FIELD_COUNT));
    for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot)
        plan.couple(section, slot) = static_cast<int16_t>(fields[static_cast<size_t>(slot - 1)]);
}

void setSt1(FamilyPlan& plan, std::vector<int> fields)
{
    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot)
        plan.st1(slot) = static_cast<int16_t>(fields[static_cast<size_t>(slot - 1)]);
}

void setChild(
    FamilyPlan& plan, int child, std::vector<int> mtx1, const std::string& zokugara, const std::string& hayaumare)
{
    for (int column = 1; column <= MTX1_COLUMNS; ++column)
        plan.mtx1(child, column) = static_cast<int16_t>(mtx1[static_cast<size_t>(column - 1)]);
    plan.mtx2(child, MTX2_ZOKUGARA) = zokugara;
    plan.mtx2(child, MTX2_HAYAUMARE) = hayaumare;
}

// The plans of the golden files (tests/core/data/plans/make_plans.py builds the same ones).
FamilyPlan threeChildren()
{
    FamilyPlan plan;
    setSt1(plan, { 1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1 });
    setCouple(plan, CoupleSection::ST2, { 1, 1964, 60, 1967, 60, 1993, 78, 84, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1 });
    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = 3;
    // Half-width spaces around a label are not written; an ideographic space is part of the text.
    setChild(plan, 1, { 1994, 4, 6, 12, 15, 18, 20, 22, 28, 30, 32, 41, 60 }, "長男", "普通");
    setChild(plan, 2, { 1996, 4, 6, 12, 15, 18, 20, 22, 26, 28, 30, 32, 60 }, "  長女 ", " 早生");
    setChild(plan, 3, { 2030, 3, 6, 12, 15, 18, 20, 22, 28, 0, 0, 41, 65 }, "　次男 ", "普通  ");
    // Whatever children above the count hold is never written.
    setChild(plan, 4, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 }, "四男", "早生");
    setCouple(plan, CoupleSection::ST4, { 1, 1938, 60, 1940, 60, 1963, 80, 90, 0, 1, 0, 1, 1, 0, 1, 0, 1, 1, 0 });
    setCouple(plan, CoupleSection::ST5, { 1, 1925, 60, 1938, 60, 1965, 78, 84, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1 });
    return plan;
}

FamilyPlan noChildren()
{
    FamilyPlan plan;
    setSt1(plan, { 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0 });
    setCouple(plan, CoupleSection::ST2, { 1, 1964, -5, 32767, 60, -32768, 78, 84, 1, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1 });
    return plan;
}

FamilyPlan tenChildren()
{
    const char* labels[] = { "長男", "次男", "三男", "四男", "五男", "長女", "次女", "三女", "四女", "五女" };
    FamilyPlan plan;
    setSt1(plan, { 1, 1, 1, 1, 0, 0, 7, 3, 0, 0, 0, 0 });
    setCouple(plan, CoupleSection::ST2, { 1, 1970, 65, 1972, 65, 1995, 81, 87, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1 });
    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = 10;
    for (int c = 1; c <= 10; ++c) {
        setChild(plan,
            c,
            { 2000 + c, 4, 6, 12, 15, 18, 20, 22, 26 + c % 3, 28, 30, c <= 5 ? 41 : 32, 60 },
            labels[c - 1],
            (c - 1) % 2 ? "早生" : "普通");
    }
    plan.mtx1(10, 10) = -3;
    return plan;
}

std::string readBytes(const std::string& path)
{
    std::string bytes;
    EXPECT_TRUE(readWholeFile(path, bytes)) << path;
    return bytes;
}

// The sections and the children 1..count as the file carries them; what children above the count
// hold is not part of the plan's meaning.
void expectSamePlan(const FamilyPlan& actual, const FamilyPlan& expected)
{
    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot)
        EXPECT_EQ(actual.st1(slot), expected.st1(slot)) << "ST1 field " << slot;
    for (CoupleSection section : COUPLE_SECTIONS) {
        for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot)
            EXPECT_EQ(actual.couple(section, slot), expected.couple(section, slot))
                << "ST" << sectionNumber(section) << " field " << slot;
    }
    EXPECT_EQ(actual.ST3_RECORDED, expected.ST3_RECORDED);
    EXPECT_EQ(actual.ST3_COUNT, expected.ST3_COUNT);
    for (int child = 1; child <= expected.childCount(); ++child) {
        for (int column = 1; column <= MTX1_COLUMNS; ++column)
            EXPECT_EQ(actual.mtx1(child, column), expected.mtx1(child, column))
                << "child " << child << " column " << column;
        for (int column = 1; column <= MTX2_COLUMNS; ++column)
            EXPECT_EQ(actual.mtx2(child, column), expected.mtx2(child, column))
                << "child " << child << " column " << column;
    }
}

FamilyPlan parsedBytes(std::string_view bytes)
{
    FileLines lines;
    splitPlanFileBytes(bytes, lines);
    FamilyPlan plan;
    parsePlanFileLines(lines, plan);
    return plan;
}

std::vector<std::string> splitCrLf(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t end = bytes.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(pos) + " <no CR LF>");
            break;
        }
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

struct GoldenCase
{
    const char* file;
    std::function<FamilyPlan()> plan;
};

class TestPlanFileGolden : public testing::TestWithParam<GoldenCase>
{
};

TEST_P(TestPlanFileGolden, writerMatchesTheGoldenFileByteForByte)
{
    const std::string golden = readBytes(kPlans + GetParam().file);
    const std::string written = planFileBytes(GetParam().plan());
    const std::vector<std::string> expectedLines = splitCrLf(golden);
    const std::vector<std::string> actualLines = splitCrLf(written);
    ASSERT_EQ(actualLines.size(), 300u);
    ASSERT_EQ(expectedLines.size(), 300u);
    for (size_t i = 0; i < expectedLines.size(); ++i)
        ASSERT_EQ(actualLines[i], expectedLines[i]) << "line " << i + 1;
    EXPECT_EQ(written, golden);
}

TEST_P(TestPlanFileGolden, goldenFileReadsBackToThePlan)
{
    FileLines lines;
    ASSERT_TRUE(FILE_IN(kPlans + GetParam().file, lines));
    FamilyPlan read;
    parsePlanFileLines(lines, read);
    FamilyPlan expected = GetParam().plan();
    for (int child = 1; child <= expected.childCount(); ++child) {
        for (int column = 1; column <= MTX2_COLUMNS; ++column) {
            std::string& text = expected.mtx2(child, column);
            text.erase(0, text.find_first_not_of(' '));
            text.erase(text.find_last_not_of(' ') + 1);
        }
    }
    expectSamePlan(read, expected);
}

TEST_P(TestPlanFileGolden, writeThenReadRestoresThePlan)
{
    const FamilyPlan plan = GetParam().plan();
    const FamilyPlan read = parsedBytes(planFileBytes(plan));
    EXPECT_EQ(planFileBytes(read), planFileBytes(plan));
    // Children above the count come back as placeholder texts and zeros, never as their old values.
    for (int child = plan.childCount() + 1; child <= MAX_CHILDREN; ++child) {
        EXPECT_EQ(read.mtx1(child, MTX1_BIRTH_YEAR), 0);
        EXPECT_EQ(read.mtx2(child, MTX2_ZOKUGARA), "YOBI_ST3_MTX2(" + std::to_string(child) + ",1)");
    }
}

INSTANTIATE_TEST_SUITE_P(Plans,
    TestPlanFileGolden,
    testing::Values(GoldenCase { "three-children.HRZ", threeChildren },
        GoldenCase { "no-children.HRZ", noChildren },
        GoldenCase { "ten-children.HRZ", tenChildren }));

int countPrefixed(const FileLines& lines, const std::string& prefix)
{
    int count = 0;
    for (const std::string& line : lines)
        count += line.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
    return count;
}

TEST(TestPlanFile, childPlaceholdersFollowTheClampedCount)
{
    struct Row
    {
        int16_t count;
        int mtx1Placeholders;
        int mtx2Placeholders;
    };
    for (const Row& row : { Row { 0, 130, 20 },
             Row { 1, 117, 18 },
             Row { 3, 91, 14 },
             Row { 9, 13, 2 },
             Row { 10, 0, 0 },
             Row { 11, 0, 0 },
             Row { 32767, 0, 0 },
             Row { -1, 130, 20 } }) {
        FamilyPlan plan;
        plan.ST3_COUNT = row.count;
        const FileLines lines = planFileLines(plan);
        EXPECT_EQ(countPrefixed(lines, "YOBI_ST3_MTX1("), row.mtx1Placeholders) << "ST3_COUNT " << row.count;
        EXPECT_EQ(countPrefixed(lines, "YOBI_ST3_MTX2("), row.mtx2Placeholders) << "ST3_COUNT " << row.count;
        EXPECT_EQ(lines[61], std::to_string(row.count));
        // The section placeholders never change: 18 + 11 + 28 + 11 + 11.
        EXPECT_EQ(countPrefixed(lines, "YOBI_ST") - row.mtx1Placeholders - row.mtx2Placeholders, 79);
    }
}

TEST(TestPlanFile, placeholderLinesSitAtTheirLines)
{
    FamilyPlan plan;
    plan.ST3_COUNT = 3;
    const FileLines lines = planFileLines(plan);
    EXPECT_EQ(lines[12], "YOBI_ST1(13)");
    EXPECT_EQ(lines[29], "YOBI_ST1(30)");
    EXPECT_EQ(lines[49], "YOBI_ST2(20)");
    EXPECT_EQ(lines[59], "YOBI_ST2(30)");
    EXPECT_EQ(lines[62], "YOBI_ST3(3)");
    EXPECT_EQ(lines[89], "YOBI_ST3(30)");
    EXPECT_EQ(lines[128], "0");
    EXPECT_EQ(lines[129], "YOBI_ST3_MTX1(4,1)");
    EXPECT_EQ(lines[219], "YOBI_ST3_MTX1(10,13)");
    EXPECT_EQ(lines[225], "");
    EXPECT_EQ(lines[226], "YOBI_ST3_MTX2(4,1)");
    EXPECT_EQ(lines[239], "YOBI_ST3_MTX2(10,2)");
    EXPECT_EQ(lines[259], "YOBI_ST4(20)");
    EXPECT_EQ(lines[269], "YOBI_ST4(30)");
    EXPECT_EQ(lines[289], "YOBI_ST5(20)");
    EXPECT_EQ(lines[299], "YOBI_ST5(30)");
}

TEST(TestPlanFile, lineBreaksInsideATextCannotShiftTheFile)
{
    FamilyPlan plan = threeChildren();
    plan.mtx2(1, MTX2_ZOKUGARA) = "長\r\n男\n";
    plan.mtx2(2, MTX2_HAYAUMARE) = "\r早生";
    const FileLines lines = planFileLines(plan);
    EXPECT_EQ(lines[220], "長  男");
    EXPECT_EQ(lines[223], "早生");
    const FamilyPlan read = parsedBytes(planFileBytes(plan));
    EXPECT_EQ(read.couple(CoupleSection::ST4, COUPLE_MAN_BIRTH_YEAR), 1938);
    EXPECT_EQ(read.ST5_MOTHER_LIFE_STAT, 1);
    EXPECT_EQ(read.mtx2(3, MTX2_ZOKUGARA), "　次男");
}

TEST(TestPlanFile, textsCp932CannotHoldAreWrittenAsQuestionMarks)
{
    FamilyPlan plan;
    plan.ST3_COUNT = 1;
    plan.mtx2(1, 1) = "長男\xF0\x9F\x98\x80";
    const std::string bytes = planFileBytes(plan);
    EXPECT_NE(bytes.find("\r\n\x92\xB7\x92\x6A?\r\n"), std::string::npos);
}

// A file of the given lines (bytes as they stand), each ended by `end`.
std::string fileOf(const std::vector<std::string>& lines, const char* end = "\r\n")
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + end;
    return bytes;
}

TEST(TestPlanFile, shortFileSetsOnlyTheFieldsItHolds)
{
    const FamilyPlan full = threeChildren();
    const std::string bytes = planFileBytes(full);
    size_t cut = 0;
    for (int i = 0; i < 100; ++i)
        cut = bytes.find("\r\n", cut) + 2;
    const FamilyPlan read = parsedBytes(std::string_view(bytes).substr(0, cut));

    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot)
        EXPECT_EQ(read.st1(slot), full.st1(slot));
    for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot) {
        EXPECT_EQ(read.couple(CoupleSection::ST2, slot), full.couple(CoupleSection::ST2, slot));
        EXPECT_EQ(read.couple(CoupleSection::ST4, slot), 0);
        EXPECT_EQ(read.couple(CoupleSection::ST5, slot), 0);
    }
    EXPECT_EQ(read.ST3_COUNT, 3);
    // Lines 91..100 are child 1, columns 1..10.
    for (int column = 1; column <= 10; ++column)
        EXPECT_EQ(read.mtx1(1, column), full.mtx1(1, column)) << column;
    for (int column = 11; column <= 13; ++column)
        EXPECT_EQ(read.mtx1(1, column), 0) << column;
    EXPECT_EQ(read.mtx1(2, 1), 0);
    EXPECT_EQ(read.mtx2(1, 1), "");
}

TEST(TestPlanFile, longFileContributesItsFirst300Lines)
{
    std::string bytes = planFileBytes(threeChildren());
    for (int i = 0; i < 50; ++i)
        bytes += "9999\r\n";
    FileLines lines;
    lines.fill("untouched");
    splitPlanFileBytes(bytes, lines);
    EXPECT_EQ(lines[299], "YOBI_ST5(30)");
    FamilyPlan read;
    parsePlanFileLines(lines, read);
    expectSamePlan(read, parsedBytes(planFileBytes(threeChildren())));
}

TEST(TestPlanFile, lineEndsOfEveryKindAreAccepted)
{
    const std::string crlf = planFileBytes(tenChildren());
    std::string lf;
    std::string cr;
    for (char c : crlf) {
        if (c != '\r')
            lf += c;
        if (c != '\n')
            cr += c;
    }
    const FamilyPlan expected = parsedBytes(crlf);
    expectSamePlan(parsedBytes(lf), expected);
    expectSamePlan(parsedBytes(cr), expected);

    // Mixed ends, a last line without an end, and empty lines that count as lines.
    FileLines lines;
    lines.fill("x");
    splitPlanFileBytes("1\n2\r\n\r\n\n3\r4", lines);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], "2");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "3");
    EXPECT_EQ(lines[5], "4");
    EXPECT_EQ(lines[6], "x") << "slots past the end of the file are left as they were";
}

TEST(TestPlanFile, emptyBytesLeaveTheLinesAsTheyWere)
{
    FileLines lines;
    lines.fill("kept");
    splitPlanFileBytes("", lines);
    EXPECT_EQ(lines[0], "kept");
    EXPECT_EQ(lines[299], "kept");
}

TEST(TestPlanFile, badNumericLinesAreSkippedOneByOne)
{
    std::vector<std::string> text(300, "");
    text[0] = "1";
    text[1] = "abc"; // skipped
    text[2] = " 1 "; // surrounding spaces allowed
    text[3] = "1.5"; // rounds to 2
    text[4] = "32768"; // out of range: skipped
    text[5] = "-32768";
    text[6] = "2.5"; // rounds to 2
    text[30] = "YOBI_ST2(1)";
    text[31] = "1964";
    text[61] = "2";
    text[90] = "7.5"; // child 1 column 1: 8
    text[91] = "6.5"; // child 1 column 2: 6
    text[92] = ""; // skipped
    text[103] = "YOBI_ST3_MTX1(2,1)";
    text[220] = "  \x92\xB7\x92\x6A "; // "  長男 " in CP932, taken unchanged
    text[221] = "";
    text[240] = "1";
    text[288] = "-1";

    FamilyPlan plan;
    plan.ST1_HUSBAND = 9;
    plan.ST1_WIFE_PARENTS = 9;
    plan.ST2_RECORDED = 9;
    plan.mtx1(1, 3) = 9;
    plan.mtx1(2, 1) = 9;
    plan.mtx2(1, 2) = "old";
    FileLines lines;
    splitPlanFileBytes(fileOf(text), lines);
    parsePlanFileLines(lines, plan);

    EXPECT_EQ(plan.ST1_RECORDED, 1);
    EXPECT_EQ(plan.ST1_HUSBAND, 9);
    EXPECT_EQ(plan.ST1_WIFE, 1);
    EXPECT_EQ(plan.ST1_CHILDREN, 2);
    EXPECT_EQ(plan.ST1_HUSBAND_PARENTS, 0) << "out of range: skipped, keeps 0";
    EXPECT_EQ(plan.ST1_WIFE_PARENTS, -32768);
    EXPECT_EQ(plan.ST1_CHILDREN_NOW, 2);
    EXPECT_EQ(plan.ST2_RECORDED, 9);
    EXPECT_EQ(plan.ST2_HUSBAND_BIRTH_YEAR, 1964);
    EXPECT_EQ(plan.ST3_COUNT, 2);
    EXPECT_EQ(plan.mtx1(1, 1), 8);
    EXPECT_EQ(plan.mtx1(1, 2), 6);
    EXPECT_EQ(plan.mtx1(1, 3), 9);
    EXPECT_EQ(plan.mtx1(2, 1), 9);
    EXPECT_EQ(plan.mtx2(1, 1), "  長男 ");
    EXPECT_EQ(plan.mtx2(1, 2), "");
    EXPECT_EQ(plan.ST4_RECORDED, 1);
    EXPECT_EQ(plan.ST5_MOTHER_LIFE_STAT, -1);
}

TEST(TestPlanFile, garbageNeverBreaksTheRead)
{
    // Bytes that are no CP932, NULs, a lone lead byte before the line end, and random noise.
    std::string bytes = "1\r\n\x81\r\n\xFF\xFE\r\n" + std::string("\0\0\x01", 3) + "\r\n\x92\r\n";
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>((state >> 16) & 0xFF);
    }
    FileLines lines;
    splitPlanFileBytes(bytes, lines);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], "\xEF\xBF\xBD");
    EXPECT_EQ(lines[4], "\xEF\xBF\xBD");
    FamilyPlan plan;
    parsePlanFileLines(lines, plan);
    EXPECT_EQ(plan.ST1_RECORDED, 1);
    EXPECT_EQ(plan.ST1_HUSBAND, 0);
    // Whatever it read, the written plan is again a proper 300-line file.
    const std::string written = planFileBytes(plan);
    EXPECT_EQ(splitCrLf(written).size(), 300u);
}

TEST(TestPlanFile, invalidMatrixTextIsDecodedWithReplacement)
{
    std::vector<std::string> text(300, "0");
    text[61] = "1";
    text[220] = "\x92\xB7\x85\x40\x92\x6A";
    const FamilyPlan plan = parsedBytes(fileOf(text));
    EXPECT_EQ(plan.mtx2(1, 1), "長\xEF\xBF\xBD@男");
}

class TempDir
{
public:
    TempDir()
    {
        char pattern[] = "/tmp/harukaze-planfile-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~TempDir() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

TEST(TestPlanFile, fileOutDWritesAndFileInReads)
{
    TempDir dir;
    const std::string path = dir.path() + "/家族.HRZ";
    std::string error;
    ASSERT_TRUE(FILE_OUT_D(path, threeChildren(), &error)) << error;
    EXPECT_EQ(readBytes(path), readBytes(kPlans + "three-children.HRZ"));

    FileLines lines;
    ASSERT_TRUE(FILE_IN(path, lines));
    FamilyPlan read;
    parsePlanFileLines(lines, read);
    EXPECT_EQ(planFileBytes(read), planFileBytes(threeChildren()));
}

TEST(TestPlanFile, fileInOfAMissingFileLeavesTheLines)
{
    TempDir dir;
    FileLines lines;
    lines.fill("");
    std::string error;
    EXPECT_FALSE(FILE_IN(dir.path() + "/none.HRZ", lines, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(FILE_IN(dir.path(), lines)) << "a folder is no plan file";
    FamilyPlan plan;
    parsePlanFileLines(lines, plan);
    EXPECT_EQ(plan, FamilyPlan {});
}

TEST(TestPlanFile, failedSaveKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.path() + "/plan.HRZ";
    ASSERT_TRUE(FILE_OUT_D(path, noChildren()));
    const std::string before = readBytes(path);

    // The file size limit makes the write fail part-way, after the target could be opened.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool saved = FILE_OUT_D(path, tenChildren(), &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readBytes(path), before);

    // A folder that does not exist, and a "folder" that is a file.
    EXPECT_FALSE(FILE_OUT_D(dir.path() + "/missing/plan.HRZ", noChildren()));
    EXPECT_FALSE(FILE_OUT_D(path + "/plan.HRZ", noChildren()));
    EXPECT_EQ(readBytes(path), before);
}

TEST(TestPlanFile, aWholeFamilySurvivesTheFile)
{
    // Every section in use, statistics for the ends of life, ten children (the file's limit).
    testplan::PlanBuilder builder;
    builder.husband(1975, 65).wife(1977, 60).marriage(2001).husbandFather(1945).husbandMother(1948);
    builder.wifeFather(1947).wifeMother(1950).statistics();
    for (int child = 0; child < MAX_CHILDREN; ++child)
        builder.child(2002 + child, child % 2 ? "長女" : "長男").schools(3, 6, 12, 15, 18);
    const FamilyPlan plan = builder.build();
    ASSERT_EQ(plan.ST3_COUNT, MAX_CHILDREN);

    FileLines lines;
    splitPlanFileBytes(planFileBytes(plan), lines);
    FamilyPlan read;
    parsePlanFileLines(lines, read);
    EXPECT_EQ(read, plan);
}

// ---- reading files of every kind and size ----

TEST(TestPlanFile, onlyARegularFileIsReadAndNothingWaits)
{
    tabletest::HangGuard guard;
    TempDir dir;
    const std::string fifo = dir.path() + "/fifo.HRZ";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    struct Row
    {
        std::string path;
        std::string reason;
    };
    const Row rows[] = {
        { fifo, NOT_A_REGULAR_FILE },
        { dir.path(), NOT_A_REGULAR_FILE },
        { "/dev/zero", NOT_A_REGULAR_FILE },
        { "/dev/null", NOT_A_REGULAR_FILE },
        { dir.path() + "/none.HRZ", "No such file or directory" },
    };
    for (const Row& row : rows) {
        FileLines lines;
        lines.fill("kept");
        std::string error;
        EXPECT_FALSE(FILE_IN(row.path, lines, &error)) << row.path;
        EXPECT_EQ(error, row.reason) << row.path;
        EXPECT_EQ(lines[0], "kept") << row.path;
    }
}

TEST(TestPlanFile, aLineOver64KiBMeansTheFileIsNoPlan)
{
    TempDir dir;
    const std::string path = dir.path() + "/plan.HRZ";
    FileLines written = planFileLines(threeChildren());
    // Line 221 (child 1's relationship) at the longest length accepted, then one byte longer.
    for (const size_t length : { MAX_LINE_BYTES, MAX_LINE_BYTES + 1 }) {
        written[220] = std::string(length, 'a');
        std::vector<std::string> text(written.begin(), written.end());
        ASSERT_TRUE(saveFileAtomically(path, fileOf(text)));
        FileLines lines;
        lines.fill("kept");
        std::string error;
        const bool read = FILE_IN(path, lines, &error);
        if (length == MAX_LINE_BYTES) {
            EXPECT_TRUE(read) << error;
            EXPECT_EQ(lines[220], written[220]);
            EXPECT_EQ(lines[299], "YOBI_ST5(30)");
        } else {
            EXPECT_FALSE(read);
            EXPECT_EQ(error, NOT_A_PLAN_FILE);
            EXPECT_EQ(lines[0], "kept");
        }
    }
    // 300 lines that are each short enough but together far more than any plan: 300 x 4000 bytes.
    ASSERT_TRUE(saveFileAtomically(path, fileOf(std::vector<std::string>(300, std::string(4000, '1')))));
    FileLines lines;
    std::string error;
    EXPECT_FALSE(FILE_IN(path, lines, &error));
    EXPECT_EQ(error, NOT_A_PLAN_FILE);
}

TEST(TestPlanFile, hugeFilesAreReadOnlyAsFarAsTheirLinesAreUsed)
{
    TempDir dir;
    const off_t gib = off_t { 1 } << 30;
    // A plan followed by a gigabyte of zero bytes: its 300 lines, and no money section.
    const std::string plan = planFileBytes(tenChildren());
    tabletest::writeSparseFile(dir.path() + "/tail.HRZ", plan, gib);
    FileLines lines;
    std::vector<std::string> trailing { "old" };
    std::string error;
    ASSERT_TRUE(FILE_IN(dir.path() + "/tail.HRZ", lines, &error, &trailing)) << error;
    FileLines expected;
    splitPlanFileBytes(plan, expected);
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(trailing.empty());

    // A gigabyte of zero bytes alone is one line far over 64 KiB.
    tabletest::writeSparseFile(dir.path() + "/zeros.HRZ", "", gib);
    EXPECT_FALSE(FILE_IN(dir.path() + "/zeros.HRZ", lines, &error));
    EXPECT_EQ(error, NOT_A_PLAN_FILE);
}

TEST(TestPlanFile, moneySectionIsReadToItsEndWithinItsBounds)
{
    const std::string plan = planFileBytes(noChildren());
    const std::string header(MONEY_SECTION_HEADER);
    const std::string end(MONEY_SECTION_END);
    std::vector<std::string> manyLines(MAX_TRAILING_LINES + 10, "INCOME1=1");
    manyLines.insert(manyLines.begin(), header);
    // The header and 15 lines of 64 KiB fit in 1 MiB; the next one would pass it and ends the section.
    std::vector<std::string> bigLines(17, std::string(MAX_LINE_BYTES, 'x'));
    bigLines.front() = header;
    bigLines.push_back(end);
    struct Row
    {
        const char* name;
        std::vector<std::string> after; // the lines after the 300
        size_t lines; // lines of the section taken
        bool endTaken;
        size_t firstUnread; // the cut: the file's first line not read (0: none) ...
        size_t unread; // ... how many lines up to END_MONEY or the end were left
        bool counted;
    };
    const Row rows[] = {
        { "no section", { "SOMETHING", end }, 0, false, 0, 0, false },
        { "header to end", { header, "LIVING=20", "X", end, "after the end" }, 4, true, 0, 0, false },
        { "no end marker", { header, "LIVING=20" }, 2, false, 0, 0, false },
        // 4,107 lines after the header: lines 4397 .. 4407 of the file are not read.
        { "at most 4096 lines", manyLines, MAX_TRAILING_LINES, false, 300 + MAX_TRAILING_LINES + 1, 11, true },
        // The header and 15 lines of 64 KiB fit; the 16th (line 317) and END_MONEY are left.
        { "at most 1 MiB", bigLines, 16, false, 317, 1, true },
        { "a line over 64 KiB",
            { header, "LIVING=20", std::string(MAX_LINE_BYTES + 1, 'x'), "INCOME1=1", end },
            2,
            false,
            303,
            1,
            false },
    };
    TempDir dir;
    for (const Row& row : rows) {
        const std::string path = dir.path() + "/money.HRZ";
        ASSERT_TRUE(saveFileAtomically(path, plan + fileOf(row.after)));
        FileLines lines;
        std::vector<std::string> trailing;
        ASSERT_TRUE(FILE_IN(path, lines, nullptr, &trailing)) << row.name;
        EXPECT_EQ(trailing.size(), row.lines) << row.name;
        EXPECT_EQ(!trailing.empty() && trailing.back() == end, row.endTaken) << row.name;
        for (size_t i = 0; i < trailing.size(); ++i)
            ASSERT_EQ(trailing[i], row.after[i]) << row.name << ", line " << 301 + i;
        MoneySectionCut cut;
        ASSERT_TRUE(FILE_IN(path, lines, nullptr, &trailing, &cut));
        EXPECT_EQ(cut.firstLine, row.firstUnread) << row.name;
        EXPECT_EQ(cut.unreadLines, row.unread) << row.name;
        EXPECT_EQ(cut.unreadCounted, row.counted) << row.name;
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Attention markers read from built tables: one worked example per kind, their meeting in one
// year, the edges of the child ages, and the university lengths the caller passes in.
#include "TableTestSupport.h"

#include "core/table/Attention.h"

#include <gtest/gtest.h>

using namespace harukaze;

using namespace tabletest;

namespace {

constexpr int Y0 = 2031;

// Husband and wife only; members are added by each test. Nobody's care or end of life falls in the
// table unless a test says so (entered ages at death of 150).
FamilyPlan couple()
{
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST1_CHILDREN = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1975;
    plan.ST2_WIFE_BIRTH_YEAR = 1977;
    plan.ST2_HUSBAND_LIFESPAN = 150;
    plan.ST2_WIFE_LIFESPAN = 150;
    for (CoupleSection section : { CoupleSection::ST4, CoupleSection::ST5 }) {
        plan.couple(section, COUPLE_MAN_LIFESPAN) = 150;
        plan.couple(section, COUPLE_WOMAN_LIFESPAN) = 150;
    }
    return plan;
}

void addChild(FamilyPlan& plan, const std::string& label, int birthYear, int elementary, int university)
{
    const int kid = ++plan.ST1_CHILDREN_NOW;
    plan.ST3_COUNT = plan.ST1_CHILDREN_NOW;
    plan.mtx2(kid, MTX2_ZOKUGARA) = label;
    plan.mtx1(kid, MTX1_BIRTH_YEAR) = static_cast<int16_t>(birthYear);
    plan.mtx1(kid, MTX1_ELEMENTARY) = static_cast<int16_t>(elementary);
    plan.mtx1(kid, MTX1_UNIVERSITY) = static_cast<int16_t>(university);
}

// "year kind names" for every marker, in the order found.
std::vector<std::string> summary(const std::vector<AttentionMarker>& markers)
{
    std::vector<std::string> lines;
    for (const AttentionMarker& marker : markers)
        lines.push_back(marker.yearText + " " + attentionKindName(marker.kind) + " " + attentionMemberNames(marker));
    return lines;
}

std::vector<AttentionMarker> markersOf(const FamilyPlan& plan,
    const UniversityYears& years = defaultUniversityYears(),
    const std::string& appDir = "/nonexistent/")
{
    const Built built = buildTable(plan, Y0, appDir);
    return findAttentionMarkers(plan, built.model, years);
}

using Lines = std::vector<std::string>;

} // namespace

TEST(TestAttention, doubleCareWhileAParentIsCaredForAndAChildIsNotAtSchool)
{
    FamilyPlan plan = couple();
    // 長男 born 2027, elementary school at 6: aged 4 in 2031, 5 in 2032, at school (6) in 2033.
    addChild(plan, "長男", 2027, 6, 18);
    // 夫側父 born 1941 with an entered age at death of 92: care at 90 and 91, in 2031 and 2032.
    plan.ST1_HUSBAND_FATHER = 1;
    plan.ST4_FATHER_BIRTH_YEAR = 1941;
    plan.ST4_FATHER_LIFESPAN = 92;

    const std::vector<AttentionMarker> markers = markersOf(plan);
    // The parent comes first although the child's column lies before the parents' columns.
    EXPECT_EQ(summary(markers), (Lines { "2031 ダブルケア 夫側父／長男", "2032 ダブルケア 夫側父／長男" }));
    ASSERT_FALSE(markers.empty());
    EXPECT_EQ(markers[0].row, 2);
    // Columns: 夫 2, 妻 3, 長男 4, 夫側父 5.
    ASSERT_EQ(markers[0].members.size(), 2u);
    EXPECT_EQ(markers[0].members[0].column, 5);
    EXPECT_EQ(markers[0].members[1].column, 4);
    EXPECT_EQ(attentionDescription(markers[0]), "2031年 ダブルケア：夫側父 介護中、長男 4歳");
    EXPECT_EQ(attentionDescription(markers[1]), "2032年 ダブルケア：夫側父 介護中、長男 5歳");
}

TEST(TestAttention, universityOverlapWhenTwoChildrenStudyInOneYear)
{
    FamilyPlan plan = couple();
    // 長男 born 2012, university at 18: 2030..2033. 長女 born 2014, at 18: 2032..2035.
    addChild(plan, "長男", 2012, 6, 18);
    addChild(plan, "長女", 2014, 6, 18);

    const std::vector<AttentionMarker> markers = markersOf(plan);
    EXPECT_EQ(summary(markers), (Lines { "2032 大学の重なり 長男／長女", "2033 大学の重なり 長男／長女" }));
    ASSERT_EQ(markers.size(), 2u);
    // In 2033 the son is 21, in his fourth year; the daughter 19, in her second.
    EXPECT_EQ(attentionDescription(markers[1]), "2033年 大学の重なり：長男 大学4年、長女 大学2年");
}

TEST(TestAttention, tuitionAfterRetirementNamesTheRetiredSpousesThenTheStudents)
{
    FamilyPlan plan = couple();
    // 夫 born 1971 retires at 60: retired from 2031. 妻 born 1973 retires at 62: from 2035.
    plan.ST2_HUSBAND_BIRTH_YEAR = 1971;
    plan.ST2_HUSBAND_RETIRE_AGE = 60;
    plan.ST2_WIFE_BIRTH_YEAR = 1973;
    plan.ST2_WIFE_RETIRE_AGE = 62;
    // The retirement counts whether or not its text is shown.
    plan.ST2_HUSBAND_RETIRE = 0;
    // 長男 born 2015, university at 18: 2033..2036.
    addChild(plan, "長男", 2015, 6, 18);

    const std::vector<AttentionMarker> markers = markersOf(plan);
    EXPECT_EQ(summary(markers),
        (Lines { "2033 定年後の学費 夫／長男",
            "2034 定年後の学費 夫／長男",
            "2035 定年後の学費 夫／妻／長男",
            "2036 定年後の学費 夫／妻／長男" }));
    ASSERT_EQ(markers.size(), 4u);
    // 2035: the husband is 64, the wife 62, the son 20 in his third year.
    EXPECT_EQ(attentionDescription(markers[2]),
        "2035年 定年後の学費：夫 64歳（定年60歳）、妻 62歳（定年62歳）、長男 大学3年");

    // A retirement age of 0 or less means no retirement at all.
    plan.ST2_HUSBAND_RETIRE_AGE = 0;
    plan.ST2_WIFE_RETIRE_AGE = -60;
    EXPECT_TRUE(markersOf(plan).empty());
}

TEST(TestAttention, allThreeInOneYearInTheirOrder)
{
    FamilyPlan plan = couple();
    // 夫 born 1970, retired at 60 since 2030; 61 in 2031.
    plan.ST2_HUSBAND_BIRTH_YEAR = 1970;
    plan.ST2_HUSBAND_RETIRE_AGE = 60;
    // 長男 born 2012 (19 in 2031, second year), 長女 born 2013 (18, first year), 次男 born 2030 (1).
    addChild(plan, "長男", 2012, 6, 18);
    addChild(plan, "長女", 2013, 6, 18);
    addChild(plan, "次男", 2030, 6, 18);
    // 妻側母 born 1942, age at death 91: care at 89 and 90, 2031 and 2032.
    plan.ST1_WIFE_MOTHER = 1;
    plan.ST5_MOTHER_BIRTH_YEAR = 1942;
    plan.ST5_MOTHER_LIFESPAN = 91;

    const std::vector<AttentionMarker> markers = markersOf(plan);
    const Lines lines = summary(markers);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3),
        (Lines { "2031 ダブルケア 妻側母／次男", "2031 大学の重なり 長男／長女", "2031 定年後の学費 夫／長男／長女" }));
    // Every marker of 2031 lies in its first year row.
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(markers[i].row, 2) << lines[i];
}

TEST(TestAttention, childAgesBeforeBirthAndAStoredEntryAgeOfZero)
{
    FamilyPlan plan = couple();
    // 長女 is born in 2033 (aged -2 in 2031); her stored elementary age 0 stands for 6, so she
    // counts from 2033 (0) to 2038 (5). 次女 born 2030 enters school at 2 (2032): she counts in
    // 2031 only.
    addChild(plan, "長女", 2033, 0, 0);
    addChild(plan, "次女", 2030, 2, 0);
    // 夫側母 born 1940, age at death 100: care at 98 and 99, 2038 and 2039.
    // 妻側父 born 1940, age at death 93: care at 91 and 92, 2031 and 2032.
    plan.ST1_HUSBAND_MOTHER = 1;
    plan.ST4_MOTHER_BIRTH_YEAR = 1940;
    plan.ST4_MOTHER_LIFESPAN = 100;
    plan.ST1_WIFE_FATHER = 1;
    plan.ST5_FATHER_BIRTH_YEAR = 1940;
    plan.ST5_FATHER_LIFESPAN = 93;

    const std::vector<AttentionMarker> markers = markersOf(plan);
    EXPECT_EQ(summary(markers), (Lines { "2031 ダブルケア 妻側父／次女", "2038 ダブルケア 夫側母／長女" }));
}

TEST(TestAttention, careIsReadFromTheParentsColumnsOnly)
{
    FamilyPlan plan = couple();
    addChild(plan, "長男", 2029, 6, 0);
    // The husband (" 介護") and the wife (" 介　護", the parents' very text) are cared for in 2031
    // and 2032, while the son is 2 and 3: neither of them is a parent column.
    plan.ST2_HUSBAND_LIFESPAN = 58;
    plan.ST2_WIFE_LIFESPAN = 56;
    EXPECT_TRUE(markersOf(plan).empty());

    // 夫側父 born 1940 takes his age at death from the men's file: 95 for everyone, so his care
    // falls at 93 and 94, in 2033 and 2034, when the son is 4 and 5.
    plan.ST1_HUSBAND_FATHER = 1;
    plan.ST4_FATHER_BIRTH_YEAR = 1940;
    plan.ST4_FATHER_LIFE_STAT = 1;
    TempDir data;
    data.write(MALE_FILE, uniformLifeFile(95));
    EXPECT_EQ(summary(markersOf(plan, defaultUniversityYears(), data.path())),
        (Lines { "2033 ダブルケア 夫側父／長男", "2034 ダブルケア 夫側父／長男" }));
    // Without the file the table shows no care for him, and so there is no marker.
    EXPECT_TRUE(markersOf(plan).empty());
}

TEST(TestAttention, universityLengthsComeFromTheCaller)
{
    FamilyPlan plan = couple();
    // All enter university at 18: 長男 born 2012 from 2030, 長女 born 2014 from 2032, 次男 born
    // 2015 from 2033.
    addChild(plan, "長男", 2012, 6, 18);
    addChild(plan, "長女", 2014, 6, 18);
    addChild(plan, "次男", 2015, 6, 18);
    // 私立医歯 for the son (6 years, to 2035), 短大 for the daughter (2 years, 2032 and 2033),
    // なし for the younger son.
    UniversityYears years = defaultUniversityYears();
    years[0] = 6;
    years[1] = 2;
    years[2] = 0;
    EXPECT_EQ(
        summary(markersOf(plan, years)), (Lines { "2032 大学の重なり 長男／長女", "2033 大学の重なり 長男／長女" }));

    // With four years each: 長男 2030..2033, 長女 2032..2035, 次男 2033..2036.
    EXPECT_EQ(summary(markersOf(plan)),
        (Lines { "2032 大学の重なり 長男／長女",
            "2033 大学の重なり 長男／長女／次男",
            "2034 大学の重なり 長女／次男",
            "2035 大学の重なり 長女／次男" }));
}

TEST(TestAttention, csvHasTheHeaderAndOneQuotedLinePerMarker)
{
    FamilyPlan plan = couple();
    addChild(plan, "長男", 2012, 6, 18);
    addChild(plan, "a,\"b\"", 2013, 6, 18);
    const std::vector<AttentionMarker> markers = markersOf(plan);
    // 長男 studies 2030..2033, the second child 2031..2034.
    EXPECT_EQ(attentionCsvBytes(markers),
        utf8ToCp932("西暦,注意,対象\r\n"
                    "2031,大学の重なり,\"長男／a,\"\"b\"\"\"\r\n"
                    "2032,大学の重なり,\"長男／a,\"\"b\"\"\"\r\n"
                    "2033,大学の重なり,\"長男／a,\"\"b\"\"\"\r\n"));
    EXPECT_EQ(attentionCsvBytes({}), utf8ToCp932("西暦,注意,対象\r\n"));
}

// A hand-edited plan may give a child no relationship label: the members are still joined by "／"
// by position, so the list shows where the unnamed member stands.
struct EmptyLabelCase
{
    const char* name;
    const char* firstLabel;
    const char* secondLabel;
    Lines expected;
};

class TestAttentionEmptyLabel : public ::testing::TestWithParam<EmptyLabelCase>
{
};

TEST_P(TestAttentionEmptyLabel, joinsEveryMemberBySlash)
{
    FamilyPlan plan = couple();
    // 夫 born 1971 retires at 60: retired from 2031. Children at university at 18: the first
    // (born 2013) 2031..2034, the second (born 2015) 2033..2036; both in 2033 and 2034.
    plan.ST2_HUSBAND_BIRTH_YEAR = 1971;
    plan.ST2_HUSBAND_RETIRE_AGE = 60;
    addChild(plan, GetParam().firstLabel, 2013, 6, 18);
    addChild(plan, GetParam().secondLabel, 2015, 6, 18);
    std::vector<std::string> lines;
    for (const std::string& line : summary(markersOf(plan))) {
        if (line.rfind("2033 ", 0) == 0)
            lines.push_back(line);
    }
    EXPECT_EQ(lines, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Labels,
    TestAttentionEmptyLabel,
    ::testing::Values(
        EmptyLabelCase { "firstEmpty", "", "長女", { "2033 大学の重なり ／長女", "2033 定年後の学費 夫／／長女" } },
        EmptyLabelCase { "secondEmpty", "長男", "", { "2033 大学の重なり 長男／", "2033 定年後の学費 夫／長男／" } },
        EmptyLabelCase { "bothEmpty", "", "", { "2033 大学の重なり ／", "2033 定年後の学費 夫／／" } }),
    [](const ::testing::TestParamInfo<EmptyLabelCase>& info) { return std::string(info.param.name); });

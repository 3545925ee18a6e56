// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace harukaze;

using namespace tabletest;

namespace {

constexpr int Y0 = 2026;
const std::string NO_DATA = "/nonexistent/";

// All four parents in the table, columns 2..5 in the order 夫側父, 夫側母, 妻側父, 妻側母.
FamilyPlan allParents()
{
    FamilyPlan plan;
    plan.ST1_HUSBAND_FATHER = 1;
    plan.ST1_HUSBAND_MOTHER = 1;
    plan.ST1_WIFE_FATHER = 1;
    plan.ST1_WIFE_MOTHER = 1;
    for (CoupleSection section : { CoupleSection::ST4, CoupleSection::ST5 }) {
        plan.couple(section, COUPLE_MAN_BIRTH_YEAR) = 1950;
        plan.couple(section, COUPLE_WOMAN_BIRTH_YEAR) = 1950;
        plan.couple(section, COUPLE_MARRIAGE_YEAR) = 1900;
        plan.couple(section, COUPLE_MAN_LIFESPAN) = 200;
        plan.couple(section, COUPLE_WOMAN_LIFESPAN) = 200;
    }
    return plan;
}

} // namespace

TEST(TestParentColumns, eachCodeReadsItsOwnFields)
{
    struct Row
    {
        int sex;
        const char* label;
        CoupleSection section;
        bool father;
    };
    const Row rows[] = {
        { 3, "夫側父", CoupleSection::ST4, true },
        { 4, "夫側母", CoupleSection::ST4, false },
        { 5, "妻側父", CoupleSection::ST5, true },
        { 6, "妻側母", CoupleSection::ST5, false },
    };
    TempDir data;
    data.write(MALE_FILE, uniformLifeFile(90));
    data.write(FEMALE_FILE, uniformLifeFile(95));
    for (const Row& row : rows) {
        FamilyPlan plan = allParents();
        // Only this parent's fields are set: born 1986 (40 now), retirement at 45, statistics chosen.
        const int birth = row.father ? COUPLE_MAN_BIRTH_YEAR : COUPLE_WOMAN_BIRTH_YEAR;
        plan.couple(row.section, birth) = 1986;
        plan.couple(row.section, row.father ? COUPLE_MAN_YAKUTOSHI : COUPLE_WOMAN_YAKUTOSHI) = 1;
        plan.couple(row.section, row.father ? COUPLE_MAN_RETIRE : COUPLE_WOMAN_RETIRE) = 1;
        plan.couple(row.section, row.father ? COUPLE_MAN_RETIRE_AGE : COUPLE_WOMAN_RETIRE_AGE) = 45;
        plan.couple(row.section, row.father ? COUPLE_MAN_LIFE_STAT : COUPLE_WOMAN_LIFE_STAT) = 1;
        const Built built = buildTable(plan, Y0, data.path());
        const int col = row.sex - 1;
        EXPECT_EQ(built.cell(0, col), row.label);
        EXPECT_EQ(built.cell(1, col), "40歳") << row.label;
        // Unlucky year at 41 for a father, 32 for a mother (the mother's is before the table).
        EXPECT_EQ(built.yearCell(Y0, 2027, col), row.father ? "41 厄\u3000年" : "41") << row.label;
        EXPECT_EQ(built.yearCell(Y0, 2031, col), "45 定\u3000年") << row.label;
        // 90 from the men's file, 95 from the women's: only the end of life at 90 is in the table.
        EXPECT_EQ(built.yearCell(Y0, 2074, col), row.father ? "88 介\u3000護" : "88") << row.label;
        EXPECT_EQ(built.yearCell(Y0, 2076, col), row.father ? "90 寿\u3000命" : "90") << row.label;
        // Nobody else's column shows anything.
        for (int other = 2; other <= 5; ++other) {
            if (other != col) {
                EXPECT_EQ(built.yearCell(Y0, 2031, other), "81") << row.label << " in " << other;
            }
        }
    }
}

TEST(TestParentColumns, anniversariesBelongToEachSide)
{
    FamilyPlan plan = allParents();
    plan.ST4_GOLDEN_WEDDING = 1;
    plan.ST4_MARRIAGE_YEAR = Y0 - 49;
    plan.ST5_GOLDEN_WEDDING = 0;
    plan.ST5_MARRIAGE_YEAR = Y0 - 49;
    const Built built = buildTable(plan, Y0, NO_DATA);
    EXPECT_EQ(built.yearCell(Y0, Y0 + 1, 2), "77 金婚式");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 1, 3), "77 金婚式");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 1, 4), "77");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 1, 5), "77");

    plan.ST5_SILVER_WEDDING = 1;
    plan.ST5_BRONZE_WEDDING = 1;
    plan.ST5_MARRIAGE_YEAR = Y0;
    const Built wifeSide = buildTable(plan, Y0, NO_DATA);
    EXPECT_EQ(wifeSide.yearCell(Y0, Y0 + 7, 5), "83 銅婚式");
    EXPECT_EQ(wifeSide.yearCell(Y0, Y0 + 25, 4), "101 銀婚式");
}

TEST(TestParentColumns, eventsOfOneYear)
{
    FamilyPlan plan = allParents();
    // A father of 60 with retirement at 60 in the year of the silver anniversary.
    plan.ST4_FATHER_BIRTH_YEAR = 1966;
    plan.ST4_FATHER_RETIRE = 1;
    plan.ST4_FATHER_RETIRE_AGE = 60;
    plan.ST4_SILVER_WEDDING = 1;
    plan.ST4_MARRIAGE_YEAR = 2001;
    // A mother of 32 next year with her unlucky year, who also retires then.
    plan.ST4_MOTHER_BIRTH_YEAR = 1995;
    plan.ST4_MOTHER_YAKUTOSHI = 1;
    plan.ST4_MOTHER_RETIRE = 1;
    plan.ST4_MOTHER_RETIRE_AGE = 32;
    plan.ST4_MOTHER_LIFESPAN = 34;
    const Built built = buildTable(plan, Y0, NO_DATA);
    EXPECT_EQ(built.yearCell(Y0, Y0, 2), "60 銀婚式 定\u3000年");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 1, 3), "32 厄\u3000年 定\u3000年 介\u3000護");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 2, 3), "33 介\u3000護");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 3, 3), "34 寿\u3000命");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 4, 3), "35");
    // The first anniversary after the end of life is still shown.
    plan.ST4_GOLDEN_WEDDING = 1;
    plan.ST4_MARRIAGE_YEAR = Y0 - 40; // golden in Y0 + 10
    EXPECT_EQ(buildTable(plan, Y0, NO_DATA).yearCell(Y0, Y0 + 10, 3), "41 金婚式");
}

TEST(TestParentColumns, enteredAgeAtDeath)
{
    FamilyPlan plan = allParents();
    plan.ST4_FATHER_BIRTH_YEAR = 1946; // 80 now
    struct Row
    {
        int16_t lifespan;
        std::vector<std::string> firstCells;
    };
    const Row rows[] = {
        { 81, { "80 介\u3000護", "81 寿\u3000命", "82" } }, // the first care year is before the table
        { 80, { "80 寿\u3000命", "81", "82" } },
        { 79, { "80", "81", "82" } },
        { 82, { "80 介\u3000護", "81 介\u3000護", "82 寿\u3000命" } },
    };
    for (const Row& row : rows) {
        plan.ST4_FATHER_LIFESPAN = row.lifespan;
        const std::vector<std::string> cells = yearCells(buildTable(plan, Y0, NO_DATA).model, 2);
        EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 3), row.firstCells) << row.lifespan;
        EXPECT_FALSE(std::any_of(cells.begin() + 3, cells.end(), [](const std::string& c) { return c.size() > 3; }));
    }
}

TEST(TestParentColumns, statisticsWithoutAUsableLine)
{
    FamilyPlan plan = allParents();
    plan.ST1_HUSBAND_MOTHER = 0;
    plan.ST1_WIFE_MOTHER = 0;
    plan.ST4_FATHER_LIFE_STAT = 1;
    plan.ST5_FATHER_LIFE_STAT = 1;
    plan.ST4_FATHER_BIRTH_YEAR = 1925; // 101 now
    plan.ST5_FATHER_BIRTH_YEAR = Y0 + 3;

    TempDir shortFile;
    shortFile.write(MALE_FILE, uniformLifeFile(110, 101)); // ages 0..100
    TempDir empty;
    for (const std::string& dir : { shortFile.path(), empty.path(), NO_DATA }) {
        const Built built = buildTable(plan, Y0, dir);
        EXPECT_EQ(built.cell(1, 2), "101歳");
        EXPECT_EQ(built.cell(2, 2), "101");
        EXPECT_FALSE(columnContains(built.model, 2, "介")) << dir;
        // A parent not yet born reads no line and gets no fixed value: L stays 0.
        EXPECT_EQ(built.cell(1, 3), "-03歳");
        EXPECT_EQ(built.yearCell(Y0, Y0 + 1, 3), "-02 介\u3000護") << dir;
        EXPECT_EQ(built.yearCell(Y0, Y0 + 2, 3), "-01 介\u3000護") << dir;
        EXPECT_EQ(built.yearCell(Y0, Y0 + 3, 3), "00 寿\u3000命") << dir;
    }

    // With a long enough file the 101-year-old reads line 102.
    TempDir full;
    full.write(MALE_FILE, lifeFile(121, [](int age) { return age == 101 ? std::string(" 103.4") : " 1"; }));
    const Built built = buildTable(plan, Y0, full.path());
    EXPECT_EQ(built.yearCell(Y0, Y0, 2), "101 介\u3000護");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 1, 2), "102 介\u3000護");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 2, 2), "103 寿\u3000命");
}

TEST(TestParentColumns, builderCalledAloneFillsTheColumnItIsGiven)
{
    FamilyPlan plan = allParents();
    TableContext context;
    context.y0 = Y0;
    TableBuilder builder(plan, context);
    for (int16_t sex = 3; sex <= 6; ++sex)
        builder.SUKE_4_EVENT(static_cast<int16_t>(sex - 1), ParentCode { sex });
    EXPECT_EQ(builder.model().text(0, 5), "妻側母");
    EXPECT_EQ(builder.model().text(1, 5), "76歳");
}

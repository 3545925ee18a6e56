// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableTestSupport.h"

#include <gtest/gtest.h>

using namespace harukaze;

using namespace tabletest;

namespace {

constexpr int Y0 = 2026;
const std::string NO_DATA = "/nonexistent/";

// Husband 1964 and wife 1967, married 1993, every event shown, ends of life entered by hand.
FamilyPlan couple()
{
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1964;
    plan.ST2_WIFE_BIRTH_YEAR = 1967;
    plan.ST2_MARRIAGE_YEAR = 1993;
    plan.ST2_HUSBAND_RETIRE_AGE = 60;
    plan.ST2_WIFE_RETIRE_AGE = 60;
    plan.ST2_HUSBAND_LIFESPAN = 78;
    plan.ST2_WIFE_LIFESPAN = 84;
    plan.ST2_GOLDEN_WEDDING = 1;
    plan.ST2_SILVER_WEDDING = 1;
    plan.ST2_BRONZE_WEDDING = 1;
    plan.ST2_HUSBAND_YAKUTOSHI = 1;
    plan.ST2_HUSBAND_RETIRE = 1;
    plan.ST2_WIFE_YAKUTOSHI = 1;
    plan.ST2_WIFE_RETIRE = 1;
    plan.ST2_HUSBAND_LIFE_CUSTOM = 1;
    plan.ST2_WIFE_LIFE_CUSTOM = 1;
    return plan;
}

void addChild(FamilyPlan& plan, const std::string& label, int16_t birthYear)
{
    ++plan.ST3_COUNT;
    plan.mtx2(plan.ST3_COUNT, MTX2_ZOKUGARA) = label;
    plan.mtx1(plan.ST3_COUNT, MTX1_BIRTH_YEAR) = birthYear;
}

} // namespace

TEST(TestCoupleColumns, husbandBornIn1964)
{
    const Built built = buildTable(couple(), Y0, NO_DATA);
    EXPECT_EQ(built.cell(0, 2), "夫");
    EXPECT_EQ(built.cell(1, 2), "62歳");
    EXPECT_EQ(built.cell(0, 3), "妻");
    EXPECT_EQ(built.cell(1, 3), "59歳");
    // The silver wedding (2018) and the unlucky year (2005) lie before the table.
    EXPECT_FALSE(columnContains(built.model, 2, "銀婚式"));
    EXPECT_FALSE(columnContains(built.model, 2, "厄"));
    EXPECT_FALSE(columnContains(built.model, 2, "定年")); // retirement at 60 was 2024
    // The golden wedding in 2043, in both columns.
    EXPECT_EQ(built.yearCell(Y0, 2043, 2), "79 金婚式");
    EXPECT_EQ(built.yearCell(Y0, 2043, 3), "76 金婚式");
    // Entered age at death 78: care at 76 and 77, the end at 78, and the ages go on.
    EXPECT_EQ(built.yearCell(Y0, 2039, 2), "75");
    EXPECT_EQ(built.yearCell(Y0, 2040, 2), "76 介護");
    EXPECT_EQ(built.yearCell(Y0, 2041, 2), "77 介護");
    EXPECT_EQ(built.yearCell(Y0, 2042, 2), "78 寿命");
    EXPECT_EQ(built.yearCell(Y0, 2044, 2), "80");
    EXPECT_EQ(built.yearCell(Y0, 2076, 2), "112");
    // The wife's texts carry an ideographic space: 84 entered, so care at 82 and 83 (2049, 2050).
    EXPECT_EQ(built.yearCell(Y0, 2049, 3), "82 介\u3000護");
    EXPECT_EQ(built.yearCell(Y0, 2050, 3), "83 介\u3000護");
    EXPECT_EQ(built.yearCell(Y0, 2051, 3), "84 寿\u3000命");
}

TEST(TestCoupleColumns, eventsOfOneYearKeepTheirOrder)
{
    // A husband of 41 in the year of the silver wedding and of a daughter's birth.
    FamilyPlan plan = couple();
    plan.ST2_HUSBAND_BIRTH_YEAR = 1990;
    plan.ST2_MARRIAGE_YEAR = 2006;
    addChild(plan, "長女", 2031);
    const Built built = buildTable(plan, Y0, NO_DATA);
    EXPECT_EQ(built.yearCell(Y0, 2031, 2), "41 長女誕生 銀婚式 厄年");
    EXPECT_EQ(built.yearCell(Y0, 2038, 2), "48"); // no bronze: 2013 is before the table
    EXPECT_EQ(built.yearCell(Y0, 2056, 2), "66 金婚式");

    // Unlucky year and retirement in one year.
    plan.ST2_HUSBAND_RETIRE_AGE = 41;
    EXPECT_EQ(buildTable(plan, Y0, NO_DATA).yearCell(Y0, 2031, 2), "41 長女誕生 銀婚式 厄年 定年");

    // The wife's unlucky year is at 32, her texts spaced; she shows no births.
    plan.ST2_WIFE_BIRTH_YEAR = 1999;
    plan.ST2_WIFE_RETIRE_AGE = 32;
    plan.ST2_MARRIAGE_YEAR = 2024; // bronze in 2031
    const Built wife = buildTable(plan, Y0, NO_DATA);
    EXPECT_EQ(wife.yearCell(Y0, 2031, 3), "32 銅婚式 厄\u3000年 定\u3000年");
    EXPECT_EQ(wife.yearCell(Y0, 2031, 2), "41 長女誕生 銅婚式 厄年 定年");
}

TEST(TestCoupleColumns, eventSwitchesCountOnlyWhenOne)
{
    FamilyPlan plan = couple();
    plan.ST2_HUSBAND_BIRTH_YEAR = 1990;
    plan.ST2_MARRIAGE_YEAR = 2006;
    plan.ST2_SILVER_WEDDING = 2;
    plan.ST2_HUSBAND_YAKUTOSHI = -1;
    plan.ST2_GOLDEN_WEDDING = 0;
    const Built built = buildTable(plan, Y0, NO_DATA);
    EXPECT_EQ(built.yearCell(Y0, 2031, 2), "41");
    EXPECT_EQ(built.yearCell(Y0, 2056, 2), "66");
}

TEST(TestCoupleColumns, childrensBirthsInTheHusbandsColumn)
{
    FamilyPlan plan = couple();
    addChild(plan, "長女", Y0 + 2);
    addChild(plan, "長男", Y0 + 2);
    addChild(plan, "次女", Y0 + 5);
    plan.mtx2(4, MTX2_ZOKUGARA) = "次男"; // above ST3_COUNT: never shown
    plan.mtx1(4, MTX1_BIRTH_YEAR) = Y0 + 5;
    // The children have no columns of their own: their births still show.
    const Built built = buildTable(plan, Y0, NO_DATA);
    EXPECT_EQ(built.model.columnCount(), 4);
    EXPECT_EQ(built.yearCell(Y0, Y0 + 2, 2), "64 長女誕生 長男誕生");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 5, 2), "67 次女誕生");
    EXPECT_FALSE(columnContains(built.model, 3, "誕生"));

    // A label is shown as stored, whatever it holds.
    plan.mtx2(1, MTX2_ZOKUGARA) = "";
    plan.mtx2(2, MTX2_ZOKUGARA) = "a,b";
    EXPECT_EQ(buildTable(plan, Y0, NO_DATA).yearCell(Y0, Y0 + 2, 2), "64 誕生 a,b誕生");
}

TEST(TestCoupleColumns, childCountIsClampedForTheBirths)
{
    FamilyPlan plan = couple();
    for (int kid = 1; kid <= 10; ++kid) {
        plan.mtx2(kid, MTX2_ZOKUGARA) = "子" + std::to_string(kid);
        plan.mtx1(kid, MTX1_BIRTH_YEAR) = Y0 + 1;
    }
    plan.ST3_COUNT = 32767;
    std::string all = "63";
    for (int kid = 1; kid <= 10; ++kid)
        all += " 子" + std::to_string(kid) + "誕生";
    EXPECT_EQ(buildTable(plan, Y0, NO_DATA).yearCell(Y0, Y0 + 1, 2), all);
    plan.ST3_COUNT = -5;
    EXPECT_EQ(buildTable(plan, Y0, NO_DATA).yearCell(Y0, Y0 + 1, 2), "63");
    plan.ST3_COUNT = 1;
    plan.mtx1(1, MTX1_BIRTH_YEAR) = 32767;
    EXPECT_FALSE(columnContains(buildTable(plan, Y0, NO_DATA).model, 2, "誕生"));
}

TEST(TestCoupleColumns, endOfLifeFromTheDataFiles)
{
    TempDir data;
    // Only the line of the husband's current age (62, line 63) holds his value.
    data.write(MALE_FILE, lifeFile(121, [](int age) { return age == 62 ? std::string(" 84.51") : " 50"; }));
    data.write(FEMALE_FILE, lifeFile(121, [](int age) { return age == 59 ? std::string(" 80.5") : " 50"; }));
    FamilyPlan plan = couple();
    plan.ST2_HUSBAND_LIFE_STAT = 1;
    plan.ST2_HUSBAND_LIFE_CUSTOM = 0;
    const Built built = buildTable(plan, Y0, data.path());
    // 84.51 -> 85: care at 83 and 84, end at 85; the wife keeps her own entered 84.
    EXPECT_EQ(built.yearCell(Y0, 2047, 2), "83 介護");
    EXPECT_EQ(built.yearCell(Y0, 2048, 2), "84 介護");
    EXPECT_EQ(built.yearCell(Y0, 2049, 2), "85 寿命");
    EXPECT_EQ(built.yearCell(Y0, 2051, 3), "84 寿\u3000命");

    // The wife from statistics: 80.5 -> 80 (half to even), so the end in 2047.
    plan.ST2_WIFE_LIFE_STAT = 1;
    const Built both = buildTable(plan, Y0, data.path());
    EXPECT_EQ(both.yearCell(Y0, 2045, 3), "78 介\u3000護");
    EXPECT_EQ(both.yearCell(Y0, 2047, 3), "80 寿\u3000命");
    EXPECT_EQ(both.yearCell(Y0, 2051, 3), "84");
}

TEST(TestCoupleColumns, missingOrShortDataFiles)
{
    FamilyPlan plan = couple();
    plan.ST2_HUSBAND_LIFE_STAT = 1;
    plan.ST2_WIFE_LIFE_STAT = 1;
    TempDir empty;
    TempDir shortFiles;
    shortFiles.write(MALE_FILE, uniformLifeFile(70, 62)); // no line for age 62
    shortFiles.write(FEMALE_FILE, lifeFile(121, [](int) { return std::string(" n/a"); }));
    for (const std::string& dir : { empty.path(), shortFiles.path() }) {
        // L stays 0: care and end of life would fall before the table; the table is still built.
        const Built built = buildTable(plan, Y0, dir);
        EXPECT_EQ(built.model.columnCount(), 4);
        for (int col : { 2, 3 }) {
            EXPECT_FALSE(columnContains(built.model, col, "介")) << dir << " " << col;
            EXPECT_FALSE(columnContains(built.model, col, "寿")) << dir << " " << col;
        }
        EXPECT_EQ(built.yearCell(Y0, 2043, 2), "79 金婚式");
    }
}

TEST(TestCoupleColumns, membersNotYetBorn)
{
    FamilyPlan plan = couple();
    plan.ST2_HUSBAND_BIRTH_YEAR = Y0 + 1;
    plan.ST2_WIFE_BIRTH_YEAR = Y0 + 3;
    plan.ST2_HUSBAND_LIFE_STAT = 1;
    plan.ST2_WIFE_LIFE_STAT = 1;

    // Without the data files L is 0: care at ages -2 and -1, the end at 0, as far as in the table.
    TempDir empty;
    const Built missing = buildTable(plan, Y0, empty.path());
    EXPECT_EQ(missing.cell(1, 2), "-01歳");
    EXPECT_EQ(missing.yearCell(Y0, Y0, 2), "-01 介護");
    EXPECT_EQ(missing.yearCell(Y0, Y0 + 1, 2), "00 寿命");
    EXPECT_EQ(missing.yearCell(Y0, Y0 + 2, 2), "01");
    EXPECT_EQ(missing.yearCell(Y0, Y0, 3), "-03");
    EXPECT_EQ(missing.yearCell(Y0, Y0 + 1, 3), "-02 介\u3000護");
    EXPECT_EQ(missing.yearCell(Y0, Y0 + 2, 3), "-01 介\u3000護");
    EXPECT_EQ(missing.yearCell(Y0, Y0 + 3, 3), "00 寿\u3000命");

    // With the files present the fixed 77 / 84 apply, beyond the table, whatever the files hold.
    TempDir data;
    data.write(MALE_FILE, "");
    data.write(FEMALE_FILE, "");
    const Built present = buildTable(plan, Y0, data.path());
    for (int col : { 2, 3 }) {
        EXPECT_FALSE(columnContains(present.model, col, "介")) << col;
        EXPECT_FALSE(columnContains(present.model, col, "寿")) << col;
    }

    // An entered age at death is used as stored, even for a member not yet born.
    plan.ST2_HUSBAND_LIFE_STAT = 0;
    plan.ST2_HUSBAND_LIFESPAN = 2;
    const Built entered = buildTable(plan, Y0, data.path());
    EXPECT_EQ(entered.yearCell(Y0, Y0 + 1, 2), "00 介護");
    EXPECT_EQ(entered.yearCell(Y0, Y0 + 2, 2), "01 介護");
    EXPECT_EQ(entered.yearCell(Y0, Y0 + 3, 2), "02 寿命");
}

TEST(TestCoupleColumns, extremeYearsNeverFallInTheTable)
{
    FamilyPlan plan = couple();
    plan.ST2_HUSBAND_BIRTH_YEAR = 32767;
    plan.ST2_WIFE_BIRTH_YEAR = -32768;
    plan.ST2_MARRIAGE_YEAR = 32767;
    plan.ST2_HUSBAND_RETIRE_AGE = -32768;
    plan.ST2_HUSBAND_LIFESPAN = 32767;
    plan.ST2_WIFE_LIFESPAN = -32768;
    addChild(plan, "長男", 32767);
    const Built built = buildTable(plan, Y0, NO_DATA);
    EXPECT_EQ(built.cell(1, 2), "-30741歳");
    EXPECT_EQ(built.cell(1, 3), "34794歳");
    for (int col : { 2, 3 }) {
        for (const std::string& cell : yearCells(built.model, col))
            EXPECT_EQ(cell.find(' '), std::string::npos) << cell;
    }
}

TEST(TestCoupleColumns, buildersCalledAloneFillTheirColumnAsTheWholeBuildDoes)
{
    FamilyPlan plan = couple();
    addChild(plan, "長女", Y0 + 1);
    TableContext context;
    context.y0 = Y0;
    TableBuilder builder(plan, context);
    builder.SUKE_1_EVENT(2);
    builder.SUKE_2_EVENT(3);
    EXPECT_EQ(builder.model().text(2 + 1, 2), "63 長女誕生");
    const Built whole = buildTable(plan, Y0, "/nonexistent/");
    for (int col : { 2, 3 }) {
        for (int row = 0; row < TABLE_ROWS; ++row)
            EXPECT_EQ(builder.model().text(row, col), whole.cell(row, col)) << col << "," << row;
    }
}

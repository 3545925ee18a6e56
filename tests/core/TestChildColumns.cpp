// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableTestSupport.h"

#include <gtest/gtest.h>

using namespace harukaze;

using namespace tabletest;

namespace {

constexpr int Y0 = 2026;

// A plan whose only members are its children, in columns 2, 3, ...
FamilyPlan childrenOnly(int count)
{
    FamilyPlan plan;
    plan.ST1_CHILDREN = 1;
    plan.ST1_CHILDREN_NOW = static_cast<int16_t>(count);
    plan.ST3_COUNT = static_cast<int16_t>(count);
    return plan;
}

void setChild(FamilyPlan& plan,
    int kid,
    const std::string& label,
    int16_t birthYear,
    std::initializer_list<int16_t> eventAges = {})
{
    plan.mtx2(kid, MTX2_ZOKUGARA) = label;
    plan.mtx1(kid, MTX1_BIRTH_YEAR) = birthYear;
    int column = MTX1_KINDERGARTEN;
    for (int16_t age : eventAges)
        plan.mtx1(kid, column++) = age;
}

// Data files whose every line gives the same age at death: 60 for men, 70 for women.
void writeDistinctFiles(const TempDir& dir)
{
    dir.write(MALE_FILE, uniformLifeFile(60));
    dir.write(FEMALE_FILE, uniformLifeFile(70));
}

} // namespace

TEST(TestChildColumns, everyEventTextInColumnOrder)
{
    TempDir data;
    writeDistinctFiles(data);
    FamilyPlan plan = childrenOnly(1);
    // Events at ages 1..12, one per year, in the order of the columns 2..13.
    setChild(plan, 1, "長男", 2020, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 });
    const Built built = buildTable(plan, 2020, data.path());
    EXPECT_EQ(built.cell(0, 2), "長男");
    EXPECT_EQ(built.cell(1, 2), "00歳");
    const std::vector<std::string> expected {
        "00",
        "01 幼稚園",
        "02 小学校",
        "03 中学校",
        "04 高\u3000校",
        "05 大\u3000学",
        "06 成人式",
        "07 就\u3000職",
        "08 結\u3000婚",
        "09 第\uFF11子",
        "10 第\uFF12子",
        "11 厄\u3000年",
        "12 定\u3000年",
        "13",
    };
    const std::vector<std::string> cells = yearCells(built.model, 2);
    EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 14), expected);
    // A son: the men's file gives 60, so care and end of life lie past the last row (age 50).
    EXPECT_EQ(built.yearCell(2020, 2070, 2), "50");
    EXPECT_FALSE(columnContains(built.model, 2, "介"));
}

TEST(TestChildColumns, bornThisYear)
{
    TempDir data;
    // A child of current age 0 reads exactly the first line.
    data.write(FEMALE_FILE, lifeFile(121, [](int age) { return age == 0 ? std::string(" 45") : " 99"; }));
    FamilyPlan plan = childrenOnly(1);
    setChild(plan, 1, "長女", Y0, { 4 });
    const Built built = buildTable(plan, Y0, data.path());
    EXPECT_EQ(built.cell(1, 2), "00歳");
    EXPECT_EQ(built.cell(2, 2), "00");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 4, 2), "04 幼稚園");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 43, 2), "43 介\u3000護");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 44, 2), "44 介\u3000護");
    EXPECT_EQ(built.yearCell(Y0, Y0 + 45, 2), "45 寿\u3000命");
}

TEST(TestChildColumns, notYetBorn)
{
    FamilyPlan plan = childrenOnly(2);
    setChild(plan, 1, "次男", Y0 + 3);
    setChild(plan, 2, "長女", Y0 + 1);

    // Files present, even empty: 77 and 84 without reading a line, so care and end lie beyond the table.
    TempDir data;
    data.write(MALE_FILE, "");
    data.write(FEMALE_FILE, "");
    const Built present = buildTable(plan, Y0, data.path());
    EXPECT_EQ(present.cell(1, 2), "-03歳");
    const std::vector<std::string> cells = yearCells(present.model, 2);
    EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 5),
        (std::vector<std::string> { "-03", "-02", "-01", "00", "01" }));
    for (int col : { 2, 3 }) {
        EXPECT_FALSE(columnContains(present.model, col, "介")) << col;
        EXPECT_FALSE(columnContains(present.model, col, "寿")) << col;
    }

    // Files missing: L stays 0, care in the two years before the birth, the end in the birth year.
    TempDir empty;
    const Built missing = buildTable(plan, Y0, empty.path());
    EXPECT_EQ(missing.yearCell(Y0, Y0, 2), "-03");
    EXPECT_EQ(missing.yearCell(Y0, Y0 + 1, 2), "-02 介\u3000護");
    EXPECT_EQ(missing.yearCell(Y0, Y0 + 2, 2), "-01 介\u3000護");
    EXPECT_EQ(missing.yearCell(Y0, Y0 + 3, 2), "00 寿\u3000命");
    EXPECT_EQ(missing.yearCell(Y0, Y0 + 4, 2), "01");
    // Born next year: only the second care year and the birth year are in the table.
    EXPECT_EQ(missing.yearCell(Y0, Y0, 3), "-01 介\u3000護");
    EXPECT_EQ(missing.yearCell(Y0, Y0 + 1, 3), "00 寿\u3000命");
}

TEST(TestChildColumns, eventAgeZeroIsNeverShown)
{
    TempDir data;
    writeDistinctFiles(data);
    FamilyPlan plan = childrenOnly(1);
    setChild(plan, 1, "長女", Y0, { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 });
    const Built built = buildTable(plan, Y0, data.path());
    // The women's file gives 70: care and end of life lie beyond the table, so no cell has an event.
    for (const std::string& cell : yearCells(built.model, 2))
        EXPECT_EQ(cell.find(' '), std::string::npos) << cell;
}

TEST(TestChildColumns, eventsOfOneYearKeepTheColumnOrder)
{
    TempDir data;
    writeDistinctFiles(data);
    FamilyPlan plan = childrenOnly(2);
    // Employment and marriage both at 22.
    setChild(plan, 1, "長女", 2010, { 4, 6, 12, 15, 18, 20, 22, 22 });
    // First child and unlucky year at the same age, stored "out of order" values.
    setChild(plan, 2, "長男", 2000, { 0, 0, 0, 0, 0, 0, 0, 0, 41, 0, 30, 30 });
    const Built built = buildTable(plan, Y0, data.path());
    EXPECT_EQ(built.yearCell(Y0, 2032, 2), "22 就\u3000職 結\u3000婚");
    EXPECT_EQ(built.yearCell(Y0, 2030, 3), "30 厄\u3000年 定\u3000年");
    EXPECT_EQ(built.yearCell(Y0, 2041, 3), "41 第\uFF11子");
}

TEST(TestChildColumns, eventBeforeTheCareText)
{
    TempDir data;
    // Born 1990: current age 36 reads line 37, age at death 77.
    data.write(FEMALE_FILE, lifeFile(121, [](int age) { return age == 36 ? std::string(" 77") : " 20"; }));
    FamilyPlan plan = childrenOnly(1);
    setChild(plan, 1, "長女", 1990, { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 75 });
    const Built built = buildTable(plan, Y0, data.path());
    EXPECT_EQ(built.yearCell(Y0, 2065, 2), "75 定\u3000年 介\u3000護");
    EXPECT_EQ(built.yearCell(Y0, 2066, 2), "76 介\u3000護");
    EXPECT_EQ(built.yearCell(Y0, 2067, 2), "77 寿\u3000命");
    EXPECT_EQ(built.yearCell(Y0, 2068, 2), "78");
}

TEST(TestChildColumns, theDataFileDependsOnTheLabelOnly)
{
    TempDir data;
    writeDistinctFiles(data);
    struct Row
    {
        const char* label;
        int ageAtDeath; // 60 from the men's file, 70 from the women's
    };
    const Row rows[] = {
        { "長男", 60 },
        { "次男", 60 },
        { "三男", 60 },
        { "四男", 60 },
        { "五男", 60 },
        { "六男", 60 },
        { "七男", 60 },
        { "八男", 60 },
        { "九男", 60 },
        { "十男", 60 },
        { "十女", 70 },
        { "長女", 70 },
        { "", 70 },
        { "長男 ", 70 },
        { " 長男", 70 },
        { "男", 70 },
        { "十一男", 70 },
        { "次男\u3000", 70 },
    };
    for (const Row& row : rows) {
        FamilyPlan plan = childrenOnly(1);
        setChild(plan, 1, row.label, 2000); // 26 now
        const Built built = buildTable(plan, Y0, data.path());
        EXPECT_EQ(built.cell(0, 2), row.label);
        EXPECT_EQ(built.yearCell(Y0, 2000 + row.ageAtDeath, 2), std::to_string(row.ageAtDeath) + " 寿\u3000命")
            << '"' << row.label << '"';
    }
}

TEST(TestChildColumns, shortOrMalformedDataFiles)
{
    FamilyPlan plan = childrenOnly(2);
    setChild(plan, 1, "長男", 1990, { 4 });
    setChild(plan, 2, "長女", 2024, { 4 });
    TempDir data;
    data.write(MALE_FILE, uniformLifeFile(80, 36)); // ages 0..35: too short for 36
    data.write(FEMALE_FILE, lifeFile(121, [](int) { return std::string(""); }));
    const Built built = buildTable(plan, Y0, data.path());
    for (int col : { 2, 3 }) {
        EXPECT_FALSE(columnContains(built.model, col, "介")) << col;
        EXPECT_FALSE(columnContains(built.model, col, "寿")) << col;
    }
    // The table is still built with the other events.
    EXPECT_EQ(built.yearCell(Y0, 2028, 3), "04 幼稚園");
}

TEST(TestChildColumns, tenChildrenAndHostileCounts)
{
    TempDir data;
    writeDistinctFiles(data);
    FamilyPlan plan = childrenOnly(10);
    for (int kid = 1; kid <= 10; ++kid)
        setChild(plan, kid, "子" + std::to_string(kid), static_cast<int16_t>(2000 + kid), { 4 });
    const Built built = buildTable(plan, Y0, data.path());
    ASSERT_EQ(built.model.columnCount(), 12);
    for (int kid = 1; kid <= 10; ++kid) {
        EXPECT_EQ(built.cell(0, 1 + kid), "子" + std::to_string(kid));
        EXPECT_EQ(built.cell(1, 1 + kid), std::to_string(26 - kid) + "歳");
    }

    // Counts far beyond ten never index past the ten children.
    plan.ST1_CHILDREN_NOW = 32767;
    plan.ST1_CHILDREN_FUTURE = 32767;
    plan.ST3_COUNT = 32767;
    EXPECT_EQ(buildTable(plan, Y0, data.path()).model.columnCount(), 12);
    plan.ST1_CHILDREN_NOW = -5;
    plan.ST1_CHILDREN_FUTURE = 2;
    EXPECT_EQ(buildTable(plan, Y0, data.path()).model.columnCount(), 4);

    // Birth years at the ends of the range.
    setChild(plan, 1, "長男", 32767, { 32767, -32768, 1 });
    setChild(plan, 2, "長女", -32768, { 32767, -32768, 1 });
    const Built extreme = buildTable(plan, Y0, data.path());
    EXPECT_EQ(extreme.cell(1, 2), "-30741歳");
    EXPECT_EQ(extreme.cell(1, 3), "34794歳");
    for (int col : { 2, 3 }) {
        for (const std::string& cell : yearCells(extreme.model, col))
            EXPECT_EQ(cell.find(' '), std::string::npos) << cell;
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableTestSupport.h"

#include "core/table/SampleFamily.h"

#include <gtest/gtest.h>

using namespace harukaze;

using namespace tabletest;

namespace {

constexpr int Y0 = 2026;
const std::string BIN_DIR = std::string(HARUKAZE_BIN_DIR) + "/";

FamilyPlan sampleFamily()
{
    FamilyPlan plan;
    writeSampleFamily(plan);
    return plan;
}

} // namespace

TEST(TestSampleFamily, writesTheSampleIntoThePlan)
{
    FamilyPlan plan;
    plan.mtx1(3, MTX1_BIRTH_YEAR) = 2010; // not part of the sample
    plan.mtx2(3, MTX2_ZOKUGARA) = "次女";
    writeSampleFamily(plan);
    EXPECT_EQ(plan.mtx1(3, MTX1_BIRTH_YEAR), 2010);
    EXPECT_EQ(plan.mtx2(3, MTX2_ZOKUGARA), "次女");

    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot) {
        const int16_t expected = slot == 7 ? 2 : slot == 8 ? 0 : 1;
        EXPECT_EQ(plan.st1(slot), expected) << "ST1 slot " << slot;
    }
    struct Row
    {
        CoupleSection section;
        std::array<int16_t, COUPLE_FIELD_COUNT> fields;
    };
    const Row rows[] = {
        { CoupleSection::ST2, { 1, 1964, 60, 1967, 60, 1993, 78, 84, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1 } },
        { CoupleSection::ST4, { 1, 1938, 60, 1940, 60, 1963, 78, 84, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1 } },
        { CoupleSection::ST5, { 1, 1925, 60, 1938, 60, 1965, 78, 84, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1 } },
    };
    for (const Row& row : rows) {
        for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot)
            EXPECT_EQ(plan.couple(row.section, slot), row.fields[static_cast<size_t>(slot - 1)])
                << "ST" << sectionNumber(row.section) << " slot " << slot;
    }
    EXPECT_EQ(plan.ST3_RECORDED, 1);
    EXPECT_EQ(plan.ST3_COUNT, 2);
    const std::array<int16_t, MTX1_COLUMNS> first { 1995, 4, 6, 12, 15, 18, 20, 22, 26, 28, 31, 32, 60 };
    const std::array<int16_t, MTX1_COLUMNS> second { 2000, 4, 6, 12, 15, 18, 20, 22, 28, 30, 33, 41, 60 };
    EXPECT_EQ(plan.ST3_MTX1[0], first);
    EXPECT_EQ(plan.ST3_MTX1[1], second);
    EXPECT_EQ(plan.mtx2(1, MTX2_ZOKUGARA), "長女");
    EXPECT_EQ(plan.mtx2(2, MTX2_ZOKUGARA), "長男");
    EXPECT_EQ(plan.mtx2(1, MTX2_HAYAUMARE), "普通");
    EXPECT_EQ(plan.mtx2(2, MTX2_HAYAUMARE), "普通");
}

TEST(TestSampleFamily, tableIn2026)
{
    const Built built = buildTable(sampleFamily(), Y0, BIN_DIR);
    ASSERT_EQ(built.model.columnCount(), 10);
    const std::vector<std::pair<std::string, std::string>> headers {
        { "夫", "62歳" },
        { "妻", "59歳" },
        { "長女", "31歳" },
        { "長男", "26歳" },
        { "夫側父", "88歳" },
        { "夫側母", "86歳" },
        { "妻側父", "101歳" },
        { "妻側母", "88歳" },
    };
    for (size_t i = 0; i < headers.size(); ++i) {
        const int col = static_cast<int>(i) + 2;
        EXPECT_EQ(built.cell(0, col), headers[i].first);
        EXPECT_EQ(built.cell(1, col), headers[i].second);
    }
    // The marriage of 1993 reaches 50 years in 2043, in both couple columns.
    EXPECT_EQ(built.yearCell(Y0, 2043, 2), "79 金婚式");
    EXPECT_EQ(built.yearCell(Y0, 2043, 3), "76 金婚式");
    // The children's own events from their stored ages.
    EXPECT_EQ(built.yearCell(Y0, 2026, 4), "31 第\uFF12子");
    EXPECT_EQ(built.yearCell(Y0, 2027, 4), "32 厄\u3000年");
    EXPECT_EQ(built.yearCell(Y0, 2028, 5), "28 結\u3000婚");
    EXPECT_EQ(built.yearCell(Y0, 2041, 5), "41 厄\u3000年");
    EXPECT_EQ(built.yearCell(Y0, 2060, 5), "60 定\u3000年");
    // The husband's end of life from the generated men's file: age 62 -> 84.43 -> 84.
    EXPECT_EQ(built.yearCell(Y0, 2046, 2), "82 介護");
    EXPECT_EQ(built.yearCell(Y0, 2047, 2), "83 介護");
    EXPECT_EQ(built.yearCell(Y0, 2048, 2), "84 寿命");
}

TEST(TestSampleFamily, withoutDataFilesNoCareOrEndOfLife)
{
    TempDir empty;
    const Built built = buildTable(sampleFamily(), Y0, empty.path());
    ASSERT_EQ(built.model.columnCount(), 10);
    for (int col = 2; col < 10; ++col) {
        EXPECT_FALSE(columnContains(built.model, col, "介")) << col;
        EXPECT_FALSE(columnContains(built.model, col, "寿")) << col;
    }
    EXPECT_EQ(built.yearCell(Y0, 2043, 2), "79 金婚式");
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableTestSupport.h"

#include "core/table/Clock.h"

#include <gtest/gtest.h>

using namespace harukaze;

using namespace tabletest;

namespace {

FamilyPlan everyoneIncluded(int children)
{
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST1_CHILDREN = 1;
    plan.ST1_CHILDREN_NOW = static_cast<int16_t>(children);
    plan.ST1_HUSBAND_FATHER = 1;
    plan.ST1_HUSBAND_MOTHER = 1;
    plan.ST1_WIFE_FATHER = 1;
    plan.ST1_WIFE_MOTHER = 1;
    plan.ST3_COUNT = static_cast<int16_t>(children);
    for (int kid = 1; kid <= std::min(children, 10); ++kid)
        plan.mtx2(kid, MTX2_ZOKUGARA) = "子" + std::to_string(kid);
    return plan;
}

std::vector<std::string> labels(const TableModel& model)
{
    std::vector<std::string> row;
    for (int col = 0; col < model.columnCount(); ++col)
        row.push_back(model.text(0, col));
    return row;
}

} // namespace

TEST(TestTableFrame, noMembersGivesTheTwoYearColumns)
{
    TempDir data;
    const Built built = buildTable(FamilyPlan {}, 2026, data.path());
    ASSERT_EQ(built.model.columnCount(), 2);
    EXPECT_EQ(built.model.rowCount(), 53);
    EXPECT_EQ(built.cell(0, 0), "");
    EXPECT_EQ(built.cell(0, 1), "");
    EXPECT_EQ(built.cell(1, 0), "西暦");
    EXPECT_EQ(built.cell(1, 1), "和暦");
    // The era column shows the year of the era in force: 令和8 in 2026, 令和58 in 2076.
    EXPECT_EQ(built.cell(2, 0), "2026");
    EXPECT_EQ(built.cell(2, 1), "08");
    EXPECT_EQ(built.cell(3, 0), "2027");
    EXPECT_EQ(built.cell(3, 1), "09");
    EXPECT_EQ(built.cell(52, 0), "2076");
    EXPECT_EQ(built.cell(52, 1), "58");
}

TEST(TestTableFrame, eraColumnFollowsTheEraOfEachYear)
{
    struct Row
    {
        int y0;
        int n;
        const char* year;
        const char* era;
    };
    const Row rows[] = {
        { 2000, 0, "2000", "12" }, // 平成12
        { 1990, 0, "1990", "02" }, // 平成2
        { 1980, 8, "1988", "63" }, // 昭和63
        { 1980, 9, "1989", "01" }, // 平成1
        { 2010, 8, "2018", "30" }, // 平成30
        { 2010, 9, "2019", "01" }, // 令和1
        { 1900, 11, "1911", "44" }, // 明治44
        { 1900, 12, "1912", "01" }, // 大正1
        { 1900, 26, "1926", "01" }, // 昭和1
        { 987, 0, "0987", "-880" }, // before 明治: the year of 明治 counted backwards
    };
    for (const Row& row : rows) {
        const Built built = buildTable(FamilyPlan {}, row.y0, "/nonexistent/");
        EXPECT_EQ(built.cell(2 + row.n, 0), row.year) << row.y0 << "+" << row.n;
        EXPECT_EQ(built.cell(2 + row.n, 1), row.era) << row.y0 << "+" << row.n;
    }
}

TEST(TestTableFrame, membersTakeConsecutiveColumnsInTheFixedOrder)
{
    FamilyPlan plan = everyoneIncluded(3);
    EXPECT_EQ(memberCount(plan), 9);
    EXPECT_EQ(labels(buildTable(plan, 2026, "/nonexistent/").model),
        (std::vector<std::string> { "", "", "夫", "妻", "子1", "子2", "子3", "夫側父", "夫側母", "妻側父", "妻側母" }));

    // Only the wife: she is column 2.
    FamilyPlan onlyWife;
    onlyWife.ST1_WIFE = 1;
    EXPECT_EQ(labels(buildTable(onlyWife, 2026, "/nonexistent/").model), (std::vector<std::string> { "", "", "妻" }));

    // The group flags of the parents are not consulted; each parent's own flag is.
    FamilyPlan parents;
    parents.ST1_HUSBAND_PARENTS = 1;
    parents.ST1_WIFE_PARENTS = 1;
    parents.ST1_HUSBAND_MOTHER = 1;
    parents.ST1_WIFE_FATHER = 1;
    EXPECT_EQ(labels(buildTable(parents, 2026, "/nonexistent/").model),
        (std::vector<std::string> { "", "", "夫側母", "妻側父" }));

    // Children without ST1_CHILDREN take no column; yes/no fields count only when 1.
    FamilyPlan flags = everyoneIncluded(2);
    flags.ST1_CHILDREN = 0;
    flags.ST1_HUSBAND = -1;
    flags.ST1_WIFE_MOTHER = 2;
    EXPECT_EQ(labels(buildTable(flags, 2026, "/nonexistent/").model),
        (std::vector<std::string> { "", "", "妻", "夫側父", "夫側母", "妻側父" }));
}

TEST(TestTableFrame, childColumnsCountNowPlusFutureClampedToTen)
{
    struct Row
    {
        int16_t now;
        int16_t future;
        int children;
    };
    const Row rows[] = {
        { 2, 0, 2 },
        { 1, 2, 3 },
        { 0, 0, 0 },
        { 10, 0, 10 },
        { 6, 4, 10 },
        { 32767, 0, 10 },
        { 32767, 32767, 10 },
        { -5, 3, 3 },
        { -5, -5, 0 },
        { 4, -32768, 4 },
        { 11, 0, 10 },
    };
    for (const Row& row : rows) {
        FamilyPlan plan = everyoneIncluded(10);
        plan.ST1_CHILDREN_NOW = row.now;
        plan.ST1_CHILDREN_FUTURE = row.future;
        const Built built = buildTable(plan, 2026, "/nonexistent/");
        EXPECT_EQ(memberCount(plan), 6 + row.children) << row.now << "+" << row.future;
        ASSERT_EQ(built.model.columnCount(), 8 + row.children) << row.now << "+" << row.future;
        EXPECT_EQ(built.cell(0, 4 + row.children), "夫側父");
        EXPECT_EQ(built.cell(0, 7 + row.children), "妻側母");
    }
}

TEST(TestTableFrame, sixteenMembersEndInColumnSeventeen)
{
    const Built built = buildTable(everyoneIncluded(10), 2026, "/nonexistent/");
    ASSERT_EQ(built.model.columnCount(), 18);
    EXPECT_EQ(built.cell(0, 4), "子1");
    EXPECT_EQ(built.cell(0, 13), "子10");
    EXPECT_EQ(built.cell(0, 17), "妻側母");
}

TEST(TestTableFrame, textMatrixHoldsEveryCellAndNothingPastTheLastMember)
{
    for (int members : { 0, 6, 16 }) {
        FamilyPlan plan = everyoneIncluded(10);
        if (members == 0)
            plan = FamilyPlan {};
        if (members == 6)
            plan.ST1_CHILDREN = 0;
        const Built built = buildTable(plan, 2026, "/nonexistent/");
        const auto tbl = std::make_unique<TextMatrix>(textMatrixOf(built.model));
        const int cols = built.model.columnCount();
        ASSERT_EQ(cols, 2 + members);
        EXPECT_EQ((*tbl)[0][1], "西暦");
        for (int col = 0; col < TBL_COLUMNS; ++col) {
            for (int row = 0; row < TBL_ROWS; ++row) {
                const std::string& text = (*tbl)[static_cast<size_t>(col)][static_cast<size_t>(row)];
                if (col < cols)
                    EXPECT_EQ(text, built.cell(row, col)) << col << "," << row;
                else
                    EXPECT_EQ(text, "") << col << "," << row;
            }
        }
    }
}

TEST(TestTableFrame, widthsAndAlignmentsFollowTheFontSize)
{
    struct Row
    {
        const char* fontSize;
        int yearWidth; // three font-size squares in twentieths of a point
        int memberWidth; // six squares
    };
    const Row rows[] = {
        { "9", 540, 1080 },
        { "10.5", 630, 1260 },
        { " 12 ", 720, 1440 },
        { "0.1875", 11, 22 }, // 11.25 and 22.5: the half goes to the even neighbour
        { "0.0625", 4, 8 }, // 3.75 and 7.5
        { "", 0, 0 },
    };
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    for (const Row& row : rows) {
        TableContext context;
        context.y0 = 2026;
        context.fontName = "IPAGothic";
        context.fontSize = row.fontSize;
        const TableModel model = buildLifeCycleTable(plan, context);
        EXPECT_EQ(model.fontName, "IPAGothic");
        EXPECT_EQ(model.columns[0].widthTwips, row.yearWidth) << row.fontSize;
        EXPECT_EQ(model.columns[1].widthTwips, row.yearWidth) << row.fontSize;
        EXPECT_EQ(model.columns[2].widthTwips, row.memberWidth) << row.fontSize;
    }
    const TableModel model = buildLifeCycleTable(plan, TableContext { 2026, "", "x", "9" });
    EXPECT_DOUBLE_EQ(model.fontSize, 9.0);
    for (int col : { 0, 1 }) {
        EXPECT_EQ(model.columns[static_cast<size_t>(col)].fixedAlignment, ALIGN_CENTER_CENTER);
        EXPECT_EQ(model.columns[static_cast<size_t>(col)].columnAlignment, ALIGN_CENTER_TOP);
    }
    EXPECT_EQ(model.columns[2].fixedAlignment, ALIGN_CENTER_CENTER);
    EXPECT_EQ(model.columns[2].columnAlignment, ALIGN_LEFT_CENTER);
}

TEST(TestTableFrame, agesUseTheTwoDigitPattern)
{
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 2029; // born in Y0 + 3
    plan.ST2_WIFE_BIRTH_YEAR = 1925; // 101 now
    plan.ST2_HUSBAND_LIFESPAN = 80; // keeps care and end of life out of the first rows
    const Built built = buildTable(plan, 2026, "/nonexistent/");
    EXPECT_EQ(built.cell(1, 2), "-03歳");
    const std::vector<std::string> husband = yearCells(built.model, 2);
    EXPECT_EQ(std::vector<std::string>(husband.begin(), husband.begin() + 5),
        (std::vector<std::string> { "-03", "-02", "-01", "00", "01" }));
    EXPECT_EQ(husband[50], "47");
    EXPECT_EQ(built.cell(1, 3), "101歳");
    EXPECT_EQ(built.cell(2, 3), "101");
    EXPECT_EQ(built.cell(52, 3), "151");
}

TEST(TestTableFrame, theAxisStartsAtTheCurrentYear)
{
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1964;
    const Built first = buildTable(plan, 2026, "/nonexistent/");
    const Built again = buildTable(plan, 2026, "/nonexistent/");
    for (int col = 0; col < 3; ++col) {
        for (int row = 0; row < TABLE_ROWS; ++row)
            EXPECT_EQ(first.cell(row, col), again.cell(row, col));
    }
    const Built later = buildTable(plan, 2031, "/nonexistent/");
    EXPECT_EQ(later.cell(2, 0), "2031");
    EXPECT_EQ(later.cell(1, 2), "67歳");
    EXPECT_EQ(later.cell(2, 2), "67");

    // A window build takes Y0 from the clock seam.
    setCurrentYearOverride(2040);
    EXPECT_EQ(currentYear(), 2040);
    setCurrentYearOverride(std::nullopt);
    EXPECT_GE(currentYear(), 2024);
}

TEST(TestTableFrame, hostilePlansStayInsideTheTable)
{
    // Every numeric field at the extremes of its range: the build must neither crash nor
    // reach past TBL, and the ages are counted without 16-bit overflow.
    for (int16_t value : { int16_t(32767), int16_t(-32768), int16_t(-5), int16_t(1) }) {
        FamilyPlan plan;
        for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot)
            plan.st1(slot) = value;
        for (CoupleSection section : COUPLE_SECTIONS) {
            for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot)
                plan.couple(section, slot) = value;
        }
        plan.ST3_COUNT = value;
        for (auto& child : plan.ST3_MTX1)
            child.fill(value);
        TempDir data;
        data.write(MALE_FILE, uniformLifeFile(80));
        const Built built = buildTable(plan, 2026, data.path());
        // With 1 everywhere: husband, wife, 1 + 1 children and four parents.
        const int expectedColumns = value == 1 ? 10 : 2;
        ASSERT_EQ(built.model.columnCount(), expectedColumns) << value;
    }

    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = -32768;
    plan.ST2_WIFE_BIRTH_YEAR = 32767;
    plan.ST2_MARRIAGE_YEAR = -32768;
    plan.ST2_GOLDEN_WEDDING = 1;
    const Built built = buildTable(plan, 2026, "/nonexistent/");
    EXPECT_EQ(built.cell(1, 2), "34794歳");
    EXPECT_EQ(built.cell(52, 2), "34844");
    EXPECT_EQ(built.cell(1, 3), "-30741歳");
    EXPECT_FALSE(columnContains(built.model, 2, "金婚式"));
}

TEST(TestTableFrame, buildersIgnoreColumnsAndCodesOutsideTheTable)
{
    FamilyPlan plan = everyoneIncluded(10);
    TableContext context;
    context.y0 = 2026;
    TableBuilder builder(plan, context);
    builder.SUKE_1_EVENT(-1);
    builder.SUKE_2_EVENT(19);
    builder.SUKE_3_EVENT(2, 0);
    builder.SUKE_3_EVENT(2, 11);
    builder.SUKE_4_EVENT(2, ParentCode { 2 });
    builder.SUKE_4_EVENT(2, ParentCode { 7 });
    builder.SUKE_3_EVENT(32767, 1);
    for (int col = 0; col < builder.model().columnCount(); ++col) {
        for (int row = 0; row < TABLE_ROWS; ++row)
            EXPECT_EQ(builder.model().text(row, col), "") << col << "," << row;
    }
    builder.SUKE_4_EVENT(18, ParentCode::WifeMother); // the last column TBL has
    EXPECT_EQ(builder.model().text(0, 18), "妻側母");
    EXPECT_EQ(textMatrixOf(builder.model())[18][0], "妻側母");
}

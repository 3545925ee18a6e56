// SPDX-License-Identifier: GPL-3.0-or-later
// The facts a table build decides beside its texts (ages, care and 寿命 years, retirement, school
// entries, events), and the readers that take them instead of the texts: attention markers and
// the cash-flow table.
#include "TableTestSupport.h"

#include "core/io/NumberText.h"
#include "core/money/CashFlow.h"
#include "core/table/Attention.h"

#include <gtest/gtest.h>

using namespace harukaze;
using namespace tabletest;

namespace {

constexpr int Y0 = 2026;

// 夫 born 1968, retiring at 60 (shown), 寿命 entered 80; 長女 born 2022 with 小学校 at 6 and 大学
// at 18; 夫側父 born 1944 with 寿命 84 (介護 at 82 and 83: 2026, 2027; 寿命 2028).
FamilyPlan family()
{
    FamilyPlan plan;
    plan.ST1_HUSBAND = 1;
    plan.ST1_CHILDREN = 1;
    plan.ST1_CHILDREN_NOW = 1;
    plan.ST1_HUSBAND_FATHER = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1968;
    plan.ST2_HUSBAND_RETIRE = 1;
    plan.ST2_HUSBAND_RETIRE_AGE = 60;
    plan.ST2_HUSBAND_LIFESPAN = 80;
    plan.ST3_COUNT = 1;
    plan.mtx2(1, MTX2_ZOKUGARA) = "長女";
    plan.mtx1(1, MTX1_BIRTH_YEAR) = 2022;
    plan.mtx1(1, MTX1_ELEMENTARY) = 6;
    plan.mtx1(1, MTX1_UNIVERSITY) = 18;
    plan.ST4_FATHER_BIRTH_YEAR = 1944;
    plan.ST4_FATHER_LIFESPAN = 84;
    plan.money = MoneySettings {};
    plan.money->careHusbandParents = 1;
    return plan;
}

struct FactCase
{
    const char* name;
    size_t member; // index in the facts: 0 夫, 1 長女, 2 夫側父
    int year;
    int age;
    bool care;
    bool endOfLife;
    bool retirement;
    int schoolEntry; // the stage entered, or -1
    const char* events;
};

class TestTableFacts : public ::testing::TestWithParam<FactCase>
{
};

TEST_P(TestTableFacts, theBuildRecordsWhatItDecided)
{
    const FactCase& c = GetParam();
    TempDir data;
    const Built built = buildTable(family(), Y0, data.path());
    const TableFacts& facts = built.model.facts;
    ASSERT_EQ(facts.members.size(), 3u);
    const MemberFacts& member = facts.members[c.member];
    const MemberYear& year = member.years[static_cast<size_t>(c.year - Y0)];
    EXPECT_EQ(year.age, c.age);
    EXPECT_EQ(year.care, c.care);
    EXPECT_EQ(year.endOfLife, c.endOfLife);
    EXPECT_EQ(year.retirement, c.retirement);
    for (int stage = 0; stage < SCHOOL_STAGES; ++stage)
        EXPECT_EQ(year.schoolEntry[stage], stage == c.schoolEntry) << stage;
    EXPECT_EQ(year.events, c.events);
    // The column shows exactly the age and then these events.
    EXPECT_EQ(built.yearCell(Y0, c.year, member.member.column), formatPadded(c.age, 2) + c.events);
}

INSTANTIATE_TEST_SUITE_P(TestTableFacts,
    TestTableFacts,
    ::testing::Values(FactCase { "husbandRetires", 0, 2028, 60, false, false, true, -1, " 定年" },
        FactCase { "husbandCare", 0, 2046, 78, true, false, false, -1, " 介護" },
        FactCase { "husbandEndOfLife", 0, 2048, 80, false, true, false, -1, " 寿命" },
        FactCase { "daughterBornBefore", 1, 2026, 4, false, false, false, -1, "" },
        FactCase { "daughterElementary", 1, 2028, 6, false, false, false, 1, " 小学校" },
        FactCase { "daughterUniversity", 1, 2040, 18, false, false, false, 4, " 大\u3000学" },
        FactCase { "fatherCare", 2, 2026, 82, true, false, false, -1, " 介\u3000護" },
        FactCase { "fatherEndOfLife", 2, 2028, 84, false, true, false, -1, " 寿\u3000命" },
        FactCase { "fatherAfter", 2, 2029, 85, false, false, false, -1, "" }),
    [](const ::testing::TestParamInfo<FactCase>& info) { return std::string(info.param.name); });

TEST(TestTableFacts, readersTakeTheFactsNotTheTexts)
{
    // Blank every member cell of a built table: the markers and the cash flow stay the same,
    // because neither reads an age or an event back out of a text.
    FamilyPlan plan = family();
    plan.ST1_WIFE = 1;
    plan.ST2_WIFE_BIRTH_YEAR = 1970;
    plan.ST2_WIFE_RETIRE_AGE = 60;
    plan.mtx1(1, MTX1_UNIVERSITY) = 6; // in university while the husband is retired
    TempDir data;
    const Built built = buildTable(plan, Y0, data.path());
    TableModel blank = built.model;
    for (size_t col = TABLE_FIXED_COLS; col < blank.columns.size(); ++col) {
        for (int row = TABLE_FIXED_ROWS; row < TABLE_ROWS; ++row)
            blank.columns[col].cells[static_cast<size_t>(row)].clear();
    }
    const std::vector<AttentionMarker> markers = findAttentionMarkers(built.model, defaultUniversityYears());
    ASSERT_FALSE(markers.empty());
    EXPECT_EQ(attentionCsvBytes(findAttentionMarkers(blank, defaultUniversityYears())), attentionCsvBytes(markers));
    EXPECT_EQ(
        cashFlowCsvBytes(buildCashFlowTable(plan, blank)), cashFlowCsvBytes(buildCashFlowTable(plan, built.model)));
    // And a table built once gives the cash flow a fresh build would.
    TableContext context;
    context.y0 = Y0;
    context.appDir = data.path();
    EXPECT_EQ(
        cashFlowCsvBytes(buildCashFlowTable(plan, context)), cashFlowCsvBytes(buildCashFlowTable(plan, built.model)));
}

} // namespace

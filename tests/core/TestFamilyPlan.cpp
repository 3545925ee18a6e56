// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/FamilyDefaults.h"
#include "core/plan/FamilyPlan.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace harukaze;

namespace {

// A plan in which every scalar, every matrix element and every string differs from 0 / "".
FamilyPlan everyFieldSet()
{
    FamilyPlan plan;
    int value = 1;
    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot)
        plan.st1(slot) = static_cast<int16_t>(value++);
    for (CoupleSection section : COUPLE_SECTIONS) {
        for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot)
            plan.couple(section, slot) = static_cast<int16_t>(value++);
    }
    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = 10;
    for (int child = 1; child <= MAX_CHILDREN; ++child) {
        for (int column = 1; column <= MTX1_COLUMNS; ++column)
            plan.mtx1(child, column) = static_cast<int16_t>(value++);
        plan.mtx2(child, MTX2_ZOKUGARA) = "第" + std::to_string(child) + "子";
        plan.mtx2(child, MTX2_HAYAUMARE) = "普通";
    }
    return plan;
}

TEST(TestFamilyPlan, startsAllZero)
{
    const FamilyPlan plan;
    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot)
        EXPECT_EQ(plan.st1(slot), 0) << "ST1 slot " << slot;
    for (CoupleSection section : COUPLE_SECTIONS) {
        for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot)
            EXPECT_EQ(plan.couple(section, slot), 0) << "ST" << sectionNumber(section) << " slot " << slot;
    }
    EXPECT_EQ(plan.ST3_RECORDED, 0);
    EXPECT_EQ(plan.ST3_COUNT, 0);
    for (int child = 1; child <= MAX_CHILDREN; ++child) {
        for (int column = 1; column <= MTX1_COLUMNS; ++column)
            EXPECT_EQ(plan.mtx1(child, column), 0);
        EXPECT_EQ(plan.mtx2(child, 1), "");
        EXPECT_EQ(plan.mtx2(child, 2), "");
    }
}

TEST(TestFamilyPlan, recClearResetsEveryField)
{
    FamilyPlan plan = everyFieldSet();
    ASSERT_NE(plan, FamilyPlan {});
    REC_CLEAR(plan);
    EXPECT_EQ(plan, FamilyPlan {});
    EXPECT_EQ(plan.ST2_WIFE_LIFE_STAT, 0);
    EXPECT_EQ(plan.ST5_MOTHER_LIFE_STAT, 0);
    EXPECT_EQ(plan.mtx1(10, MTX1_RETIRE), 0);
    EXPECT_EQ(plan.mtx2(10, MTX2_HAYAUMARE), "");
}

// The slot order is the order of the plan file, so every slot must reach its own named field.
TEST(TestFamilyPlan, slotsReachTheNamedFields)
{
    const FamilyPlan plan = everyFieldSet();
    const int16_t st1[] = { plan.ST1_RECORDED,
        plan.ST1_HUSBAND,
        plan.ST1_WIFE,
        plan.ST1_CHILDREN,
        plan.ST1_HUSBAND_PARENTS,
        plan.ST1_WIFE_PARENTS,
        plan.ST1_CHILDREN_NOW,
        plan.ST1_CHILDREN_FUTURE,
        plan.ST1_HUSBAND_FATHER,
        plan.ST1_HUSBAND_MOTHER,
        plan.ST1_WIFE_FATHER,
        plan.ST1_WIFE_MOTHER };
    for (int i = 0; i < ST1_FIELD_COUNT; ++i)
        EXPECT_EQ(st1[i], i + 1) << "ST1 field " << i + 1;

    const int16_t st2[] = { plan.ST2_RECORDED,
        plan.ST2_HUSBAND_BIRTH_YEAR,
        plan.ST2_HUSBAND_RETIRE_AGE,
        plan.ST2_WIFE_BIRTH_YEAR,
        plan.ST2_WIFE_RETIRE_AGE,
        plan.ST2_MARRIAGE_YEAR,
        plan.ST2_HUSBAND_LIFESPAN,
        plan.ST2_WIFE_LIFESPAN,
        plan.ST2_GOLDEN_WEDDING,
        plan.ST2_SILVER_WEDDING,
        plan.ST2_BRONZE_WEDDING,
        plan.ST2_HUSBAND_YAKUTOSHI,
        plan.ST2_HUSBAND_RETIRE,
        plan.ST2_WIFE_YAKUTOSHI,
        plan.ST2_WIFE_RETIRE,
        plan.ST2_HUSBAND_LIFE_STAT,
        plan.ST2_HUSBAND_LIFE_CUSTOM,
        plan.ST2_WIFE_LIFE_CUSTOM,
        plan.ST2_WIFE_LIFE_STAT };
    const int16_t st4[] = { plan.ST4_RECORDED,
        plan.ST4_FATHER_BIRTH_YEAR,
        plan.ST4_FATHER_RETIRE_AGE,
        plan.ST4_MOTHER_BIRTH_YEAR,
        plan.ST4_MOTHER_RETIRE_AGE,
        plan.ST4_MARRIAGE_YEAR,
        plan.ST4_FATHER_LIFESPAN,
        plan.ST4_MOTHER_LIFESPAN,
        plan.ST4_GOLDEN_WEDDING,
        plan.ST4_SILVER_WEDDING,
        plan.ST4_BRONZE_WEDDING,
        plan.ST4_FATHER_YAKUTOSHI,
        plan.ST4_FATHER_RETIRE,
        plan.ST4_MOTHER_YAKUTOSHI,
        plan.ST4_MOTHER_RETIRE,
        plan.ST4_FATHER_LIFE_STAT,
        plan.ST4_FATHER_LIFE_CUSTOM,
        plan.ST4_MOTHER_LIFE_CUSTOM,
        plan.ST4_MOTHER_LIFE_STAT };
    const int16_t st5[] = { plan.ST5_RECORDED,
        plan.ST5_FATHER_BIRTH_YEAR,
        plan.ST5_FATHER_RETIRE_AGE,
        plan.ST5_MOTHER_BIRTH_YEAR,
        plan.ST5_MOTHER_RETIRE_AGE,
        plan.ST5_MARRIAGE_YEAR,
        plan.ST5_FATHER_LIFESPAN,
        plan.ST5_MOTHER_LIFESPAN,
        plan.ST5_GOLDEN_WEDDING,
        plan.ST5_SILVER_WEDDING,
        plan.ST5_BRONZE_WEDDING,
        plan.ST5_FATHER_YAKUTOSHI,
        plan.ST5_FATHER_RETIRE,
        plan.ST5_MOTHER_YAKUTOSHI,
        plan.ST5_MOTHER_RETIRE,
        plan.ST5_FATHER_LIFE_STAT,
        plan.ST5_FATHER_LIFE_CUSTOM,
        plan.ST5_MOTHER_LIFE_CUSTOM,
        plan.ST5_MOTHER_LIFE_STAT };
    for (int i = 0; i < COUPLE_FIELD_COUNT; ++i) {
        EXPECT_EQ(st2[i], ST1_FIELD_COUNT + i + 1) << "ST2 field " << i + 1;
        EXPECT_EQ(st4[i], ST1_FIELD_COUNT + COUPLE_FIELD_COUNT + i + 1) << "ST4 field " << i + 1;
        EXPECT_EQ(st5[i], ST1_FIELD_COUNT + 2 * COUPLE_FIELD_COUNT + i + 1) << "ST5 field " << i + 1;
    }
    EXPECT_EQ(plan.couple(CoupleSection::ST2, COUPLE_MAN_RETIRE), plan.ST2_HUSBAND_RETIRE);
    EXPECT_EQ(plan.couple(CoupleSection::ST4, COUPLE_WOMAN_YAKUTOSHI), plan.ST4_MOTHER_YAKUTOSHI);
    EXPECT_EQ(plan.couple(CoupleSection::ST5, COUPLE_WOMAN_LIFE_STAT), plan.ST5_MOTHER_LIFE_STAT);
}

TEST(TestFamilyPlan, matrixAccessorsAreOneBased)
{
    FamilyPlan plan;
    plan.mtx1(1, MTX1_BIRTH_YEAR) = 1995;
    plan.mtx1(10, MTX1_RETIRE) = 60;
    plan.mtx2(3, MTX2_HAYAUMARE) = "早生";
    EXPECT_EQ(plan.ST3_MTX1[0][0], 1995);
    EXPECT_EQ(plan.ST3_MTX1[9][12], 60);
    EXPECT_EQ(plan.ST3_MTX2[2][1], "早生");
}

TEST(TestFamilyPlan, equalityNoticesEveryField)
{
    const FamilyPlan base = everyFieldSet();
    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot) {
        FamilyPlan changed = base;
        changed.st1(slot) = -1;
        EXPECT_NE(changed, base) << "ST1 slot " << slot;
    }
    for (CoupleSection section : COUPLE_SECTIONS) {
        for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot) {
            FamilyPlan changed = base;
            changed.couple(section, slot) = -1;
            EXPECT_NE(changed, base) << "ST" << sectionNumber(section) << " slot " << slot;
        }
    }
    FamilyPlan changed = base;
    changed.mtx1(7, MTX1_MARRIAGE) = -1;
    EXPECT_NE(changed, base);
    changed = base;
    changed.mtx2(10, MTX2_ZOKUGARA) = "長男";
    EXPECT_NE(changed, base);
    changed = base;
    changed.ST3_COUNT = 3;
    EXPECT_NE(changed, base);
}

TEST(TestFamilyPlan, childCountsAreClampedToTen)
{
    struct Row
    {
        int16_t count;
        int expected;
    };
    for (const Row& row : { Row { 0, 0 },
             Row { 3, 3 },
             Row { 10, 10 },
             Row { 11, 10 },
             Row { 32767, 10 },
             Row { -1, 0 },
             Row { -32768, 0 } }) {
        FamilyPlan plan;
        plan.ST3_COUNT = row.count;
        EXPECT_EQ(plan.childCount(), row.expected) << "ST3_COUNT " << row.count;
    }

    struct Planned
    {
        int16_t now;
        int16_t future;
        int expected;
    };
    for (const Planned& row : { Planned { 2, 0, 2 },
             Planned { 3, 4, 7 },
             Planned { 10, 0, 10 },
             Planned { 6, 6, 10 },
             Planned { -5, 3, 3 },
             Planned { 3, -5, 3 },
             Planned { 32767, 32767, 10 },
             Planned { -32768, -32768, 0 } }) {
        FamilyPlan plan;
        plan.ST1_CHILDREN_NOW = row.now;
        plan.ST1_CHILDREN_FUTURE = row.future;
        EXPECT_EQ(plan.plannedChildren(), row.expected) << row.now << " + " << row.future;
    }
}

TEST(TestFamilyPlan, coupleRefusesWhatTheRecordDoesNotHave)
{
    // Sections 3 and 1 are no couples, slots 0 and 20 lie outside the 19 fields: nothing is read
    // or written in their place, in a release build as well.
    FamilyPlan plan;
    const FamilyPlan& constPlan = plan;
    EXPECT_THROW(plan.couple(CoupleSection { 3 }, COUPLE_MAN_BIRTH_YEAR), std::out_of_range);
    EXPECT_THROW(constPlan.couple(CoupleSection { 1 }, COUPLE_MAN_BIRTH_YEAR), std::out_of_range);
    EXPECT_THROW(plan.couple(CoupleSection::ST5, 0), std::out_of_range);
    EXPECT_THROW(constPlan.couple(CoupleSection::ST2, COUPLE_FIELD_COUNT + 1), std::out_of_range);
    EXPECT_THROW(coupleDefaults(CoupleSection { 6 }), std::out_of_range);
    EXPECT_EQ(plan, FamilyPlan {});
}

TEST(TestFamilyPlan, relationshipCodesAlternateDaughterAndSon)
{
    struct Row
    {
        int code;
        const char* label;
        ChildSex sex;
    };
    for (const Row& row : { Row { 1, "長女", ChildSex::Daughter },
             Row { 2, "長男", ChildSex::Son },
             Row { 3, "次女", ChildSex::Daughter },
             Row { 4, "次男", ChildSex::Son },
             Row { 9, "五女", ChildSex::Daughter },
             Row { 10, "五男", ChildSex::Son } }) {
        EXPECT_EQ(relationshipLabel(row.code), row.label) << row.code;
        EXPECT_EQ(sexOfCode(row.code), row.sex) << row.code;
        // The table reads the label back as the same sex, so a default child's column takes the
        // right data file.
        EXPECT_EQ(sexOfLabel(relationshipLabel(row.code)), row.sex) << row.code;
    }
    for (int code : { 0, 11, -1 }) {
        EXPECT_EQ(relationshipLabel(code), "") << code;
        EXPECT_EQ(sexOfCode(code), std::nullopt) << code;
    }
}

TEST(TestFamilyPlan, onlyTheTenSonsLabelsAreSons)
{
    for (const char* son : { "長男", "五男", "十男" })
        EXPECT_EQ(sexOfLabel(son), ChildSex::Son) << son;
    // Compared as a whole: a label with anything around it, or none at all, is a daughter's.
    for (const char* other : { "長女", "十女", "", "長男 ", "孫", "男" })
        EXPECT_EQ(sexOfLabel(other), ChildSex::Daughter) << other;
}

} // namespace

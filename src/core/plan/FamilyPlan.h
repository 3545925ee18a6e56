// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/MoneySettings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace harukaze {

/**
 * The family plan: one household described in five sections.
 *
 * ST1 is the family range (who is in the table and how many children), ST2 the husband and wife,
 * ST3 the children (count plus the two per-child matrices), ST4 the husband's parents and ST5 the
 * wife's parents. Every scalar is a signed 16-bit integer; yes/no fields count as yes only when they
 * equal 1. Field 1 of each section is the section's recorded flag, which only steers the wizard.
 *
 * ST2, ST4 and ST5 share one 19-field layout for a couple: a man (husband / father) and a woman
 * (wife / mother). The generic accessors couple() and st1() reach the fields by their slot number,
 * which is also their position in the plan file.
 *
 * The matrices are stored 0-based ([child - 1][column - 1]); use mtx1() / mtx2() with the 1-based
 * child number and the column constants below, as the plan file and the children grid number them.
 */

// Column numbers of ST3_MTX1 (1-based, as on the children page and in the plan file).
constexpr int MTX1_BIRTH_YEAR = 1;
constexpr int MTX1_KINDERGARTEN = 2;
constexpr int MTX1_ELEMENTARY = 3;
constexpr int MTX1_JUNIOR_HIGH = 4;
constexpr int MTX1_HIGH_SCHOOL = 5;
constexpr int MTX1_UNIVERSITY = 6;
constexpr int MTX1_COMING_OF_AGE = 7;
constexpr int MTX1_EMPLOYMENT = 8;
constexpr int MTX1_MARRIAGE = 9;
constexpr int MTX1_FIRST_CHILD = 10;
constexpr int MTX1_SECOND_CHILD = 11;
constexpr int MTX1_YAKUTOSHI = 12;
constexpr int MTX1_RETIRE = 13;
constexpr int MTX1_COLUMNS = 13;

// Column numbers of ST3_MTX2 (1-based).
constexpr int MTX2_ZOKUGARA = 1;
constexpr int MTX2_HAYAUMARE = 2;
constexpr int MTX2_COLUMNS = 2;

constexpr int MAX_CHILDREN = 10;
constexpr int SECTION_SLOTS = 30;
constexpr int ST1_FIELD_COUNT = 12;
constexpr int COUPLE_FIELD_COUNT = 19;
constexpr int ST3_FIELD_COUNT = 2;

/** The three couple sections of the record, under their section numbers. */
enum class CoupleSection : int {
    ST2 = 2, ///< husband and wife
    ST4 = 4, ///< the husband's parents
    ST5 = 5, ///< the wife's parents
};

/** The couple sections in record order. */
constexpr std::array<CoupleSection, 3> COUPLE_SECTIONS { CoupleSection::ST2, CoupleSection::ST4, CoupleSection::ST5 };

/** The section number (2, 4 or 5), as the plan file and the messages name a section. */
constexpr int sectionNumber(CoupleSection section)
{
    return static_cast<int>(section);
}

/** Slot numbers of the shared couple layout of ST2, ST4 and ST5 (man = husband / father, woman = wife / mother). */
enum CoupleSlot : int {
    COUPLE_RECORDED = 1,
    COUPLE_MAN_BIRTH_YEAR = 2,
    COUPLE_MAN_RETIRE_AGE = 3,
    COUPLE_WOMAN_BIRTH_YEAR = 4,
    COUPLE_WOMAN_RETIRE_AGE = 5,
    COUPLE_MARRIAGE_YEAR = 6,
    COUPLE_MAN_LIFESPAN = 7,
    COUPLE_WOMAN_LIFESPAN = 8,
    COUPLE_GOLDEN_WEDDING = 9,
    COUPLE_SILVER_WEDDING = 10,
    COUPLE_BRONZE_WEDDING = 11,
    COUPLE_MAN_YAKUTOSHI = 12,
    COUPLE_MAN_RETIRE = 13,
    COUPLE_WOMAN_YAKUTOSHI = 14,
    COUPLE_WOMAN_RETIRE = 15,
    COUPLE_MAN_LIFE_STAT = 16,
    COUPLE_MAN_LIFE_CUSTOM = 17,
    COUPLE_WOMAN_LIFE_CUSTOM = 18,
    COUPLE_WOMAN_LIFE_STAT = 19,
};

struct FamilyPlan
{
    // ST1: family range (page 1/6).
    int16_t ST1_RECORDED = 0;
    int16_t ST1_HUSBAND = 0;
    int16_t ST1_WIFE = 0;
    int16_t ST1_CHILDREN = 0;
    int16_t ST1_HUSBAND_PARENTS = 0;
    int16_t ST1_WIFE_PARENTS = 0;
    int16_t ST1_CHILDREN_NOW = 0;
    int16_t ST1_CHILDREN_FUTURE = 0;
    int16_t ST1_HUSBAND_FATHER = 0;
    int16_t ST1_HUSBAND_MOTHER = 0;
    int16_t ST1_WIFE_FATHER = 0;
    int16_t ST1_WIFE_MOTHER = 0;

    // ST2: husband and wife.
    int16_t ST2_RECORDED = 0;
    int16_t ST2_HUSBAND_BIRTH_YEAR = 0;
    int16_t ST2_HUSBAND_RETIRE_AGE = 0;
    int16_t ST2_WIFE_BIRTH_YEAR = 0;
    int16_t ST2_WIFE_RETIRE_AGE = 0;
    int16_t ST2_MARRIAGE_YEAR = 0;
    int16_t ST2_HUSBAND_LIFESPAN = 0;
    int16_t ST2_WIFE_LIFESPAN = 0;
    int16_t ST2_GOLDEN_WEDDING = 0;
    int16_t ST2_SILVER_WEDDING = 0;
    int16_t ST2_BRONZE_WEDDING = 0;
    int16_t ST2_HUSBAND_YAKUTOSHI = 0;
    int16_t ST2_HUSBAND_RETIRE = 0;
    int16_t ST2_WIFE_YAKUTOSHI = 0;
    int16_t ST2_WIFE_RETIRE = 0;
    int16_t ST2_HUSBAND_LIFE_STAT = 0;
    int16_t ST2_HUSBAND_LIFE_CUSTOM = 0;
    int16_t ST2_WIFE_LIFE_CUSTOM = 0;
    int16_t ST2_WIFE_LIFE_STAT = 0;

    // ST3: children.
    int16_t ST3_RECORDED = 0;
    int16_t ST3_COUNT = 0;
    std::array<std::array<int16_t, MTX1_COLUMNS>, MAX_CHILDREN> ST3_MTX1 {};
    std::array<std::array<std::string, MTX2_COLUMNS>, MAX_CHILDREN> ST3_MTX2 {};

    // ST4: husband's parents (father = man, mother = woman).
    int16_t ST4_RECORDED = 0;
    int16_t ST4_FATHER_BIRTH_YEAR = 0;
    int16_t ST4_FATHER_RETIRE_AGE = 0;
    int16_t ST4_MOTHER_BIRTH_YEAR = 0;
    int16_t ST4_MOTHER_RETIRE_AGE = 0;
    int16_t ST4_MARRIAGE_YEAR = 0;
    int16_t ST4_FATHER_LIFESPAN = 0;
    int16_t ST4_MOTHER_LIFESPAN = 0;
    int16_t ST4_GOLDEN_WEDDING = 0;
    int16_t ST4_SILVER_WEDDING = 0;
    int16_t ST4_BRONZE_WEDDING = 0;
    int16_t ST4_FATHER_YAKUTOSHI = 0;
    int16_t ST4_FATHER_RETIRE = 0;
    int16_t ST4_MOTHER_YAKUTOSHI = 0;
    int16_t ST4_MOTHER_RETIRE = 0;
    int16_t ST4_FATHER_LIFE_STAT = 0;
    int16_t ST4_FATHER_LIFE_CUSTOM = 0;
    int16_t ST4_MOTHER_LIFE_CUSTOM = 0;
    int16_t ST4_MOTHER_LIFE_STAT = 0;

    // ST5: wife's parents (father = man, mother = woman).
    int16_t ST5_RECORDED = 0;
    int16_t ST5_FATHER_BIRTH_YEAR = 0;
    int16_t ST5_FATHER_RETIRE_AGE = 0;
    int16_t ST5_MOTHER_BIRTH_YEAR = 0;
    int16_t ST5_MOTHER_RETIRE_AGE = 0;
    int16_t ST5_MARRIAGE_YEAR = 0;
    int16_t ST5_FATHER_LIFESPAN = 0;
    int16_t ST5_MOTHER_LIFESPAN = 0;
    int16_t ST5_GOLDEN_WEDDING = 0;
    int16_t ST5_SILVER_WEDDING = 0;
    int16_t ST5_BRONZE_WEDDING = 0;
    int16_t ST5_FATHER_YAKUTOSHI = 0;
    int16_t ST5_FATHER_RETIRE = 0;
    int16_t ST5_MOTHER_YAKUTOSHI = 0;
    int16_t ST5_MOTHER_RETIRE = 0;
    int16_t ST5_FATHER_LIFE_STAT = 0;
    int16_t ST5_FATHER_LIFE_CUSTOM = 0;
    int16_t ST5_MOTHER_LIFE_CUSTOM = 0;
    int16_t ST5_MOTHER_LIFE_STAT = 0;

    /**
     * The household's money settings (家計設定), kept after line 300 of the plan file. Empty until
     * the 家計設定 dialog stores them or a plan file brings them; the cash-flow table then uses the
     * defaults.
     */
    std::optional<MoneySettings> money;

    /** ST1 field by slot number 1..12. */
    int16_t& st1(int slot);
    int16_t st1(int slot) const;

    /**
     * Couple field by section and slot number 1..19 (see CoupleSlot). A section or slot outside
     * the record (a cast that names no section) throws std::out_of_range, in every build.
     */
    int16_t& couple(CoupleSection section, int slot);
    int16_t couple(CoupleSection section, int slot) const;

    /** ST3_MTX1 element for child 1..10 and column 1..13. */
    int16_t& mtx1(int child, int column) { return ST3_MTX1[child - 1][column - 1]; }
    int16_t mtx1(int child, int column) const { return ST3_MTX1[child - 1][column - 1]; }

    /** ST3_MTX2 element for child 1..10 and column 1..2. */
    std::string& mtx2(int child, int column) { return ST3_MTX2[child - 1][column - 1]; }
    const std::string& mtx2(int child, int column) const { return ST3_MTX2[child - 1][column - 1]; }

    /** ST3_COUNT limited to 0..10, the only form in which it may index the matrices. */
    int childCount() const;

    /** ST1_CHILDREN_NOW + ST1_CHILDREN_FUTURE, each negative count taken as 0, the sum limited to 10. */
    int plannedChildren() const;
};

/**
 * Resets every field of ST1..ST5 to 0, every ST3_MTX1 element to 0 and every ST3_MTX2 element to "", and
 * removes the money settings.
 */
void REC_CLEAR(FamilyPlan& plan);

bool operator==(const FamilyPlan& a, const FamilyPlan& b);
inline bool operator!=(const FamilyPlan& a, const FamilyPlan& b)
{
    return !(a == b);
}

/** Clamps a child count or child number read from the record into 0..10. */
int clampChildCount(int count);

} // namespace harukaze

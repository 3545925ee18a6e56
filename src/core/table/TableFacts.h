// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/TableMembers.h"
#include "core/table/TableShape.h"

#include <array>
#include <string>
#include <vector>

namespace harukaze {

/** School stages whose entry ages a child's column shows, in the order of the plan's event columns. */
enum class SchoolStage {
    Kindergarten, ///< 幼稚園 (MTX1_KINDERGARTEN)
    Elementary, ///< 小学校
    JuniorHigh, ///< 中学校
    HighSchool, ///< 高校
    University, ///< 大学
};
constexpr int SCHOOL_STAGES = 5;

/** What the table decided for one member in one year. */
struct MemberYear
{
    int age = 0; ///< the year minus the birth year (negative before birth, counting on past 寿命)
    bool care = false; ///< a 介護 year: age L − 2 or L − 1
    bool endOfLife = false; ///< the 寿命 year: age L
    bool retirement = false; ///< the column shows 定年 this year
    bool schoolEntry[SCHOOL_STAGES] = {}; ///< a child enters that stage this year
    std::string events; ///< what the column shows after the age, each part with its leading space
};

/** One member column of a built table and what the builder decided for it. */
struct MemberFacts
{
    TableMember member; ///< who the column belongs to and where it is
    std::string label; ///< the column's label ("夫", "長女", "夫側父")
    int birthYear = 0;
    int ageAtDeath = 0; ///< L the column places 介護 and 寿命 with; 0 when the data file is missing
    int retireAge = 0; ///< the stored retirement age (0 or less: none), whether or not 定年 is shown
    std::array<int, SCHOOL_STAGES> schoolEntryAges {}; ///< a child's stored entry ages, 0 when none
    std::array<MemberYear, TABLE_YEARS> years;
};

/**
 * The facts behind a built life cycle table, one entry per member column in column order. Anything
 * that needs a member's age, care years, retirement or events in a year reads them here instead of
 * parsing the table's texts.
 */
struct TableFacts
{
    int firstYear = 0; ///< Y0
    std::vector<MemberFacts> members;

    /** The member of `kind` (the first one for children and parents), or nullptr. */
    const MemberFacts* find(MemberKind kind) const;
    /** The parent with code `parentCode` (3..6), or nullptr. */
    const MemberFacts* parent(int parentCode) const;
};

/**
 * Fills the yearly facts of `member` from its member-level facts: ages, care and 寿命 years from
 * ageAtDeath, school entries from the entry ages. `showRetirement` says whether the column shows 定年.
 */
void completeMemberYears(MemberFacts& member, int firstYear, bool showRetirement);

} // namespace harukaze

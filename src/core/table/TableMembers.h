// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"

#include <vector>

namespace harukaze {

/** Who a member column of the life cycle table belongs to. */
enum class MemberKind {
    Husband,
    Wife,
    Child,
    Parent,
};

/** One member column of the life cycle table. */
struct TableMember
{
    MemberKind kind = MemberKind::Husband;
    int column = 0; ///< table column, 2 and up
    int child = 0; ///< child number 1..10 (children only)
    int parentCode = 0; ///< SEX 3 夫側父, 4 夫側母, 5 妻側父, 6 妻側母 (parents only)
};

/**
 * The member columns of the plan's table in the order the table hands them out: husband, wife,
 * children 1..N, then the four parents as included, in consecutive columns from 2. The table
 * builder fills exactly these columns, so anything that reads a built table by member uses this list.
 */
std::vector<TableMember> tableMembers(const FamilyPlan& plan);

/** Birth year of a member as the table's builder reads it from the plan. */
int memberBirthYear(const FamilyPlan& plan, const TableMember& member);

} // namespace harukaze

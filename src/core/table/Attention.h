// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"
#include "core/table/TableModel.h"

#include <array>
#include <string>
#include <vector>

namespace harukaze {

/**
 * Attention markers (注意マーク): the years of a life cycle table that a household should see
 * coming. They are read from a built table and the plan it was built from; nothing here changes
 * the table.
 *
 * For each year row, in this order:
 * - ダブルケア: some parent column is in a 介護 year (its cell shows " 介　護") and some child is aged 0 <= a < P, P
 * the child's stored elementary-school entry age (6 when that is 0 or less): care for a parent while a child is not yet
 * at school.
 * - 大学の重なり: two or more children are in a university year: stored university entry age U > 0
 *   and U <= a < U + the child's university length.
 * - 定年後の学費: some child is in a university year while the husband or the wife, with a stored
 *   retirement age R > 0, is aged R or more.
 *
 * Ages are the table's: the row's year minus the member's birth year. Members are named by the
 * labels of their columns, in column order within each group.
 */
enum class AttentionKind {
    DoubleCare, ///< ダブルケア
    UniversityOverlap, ///< 大学の重なり
    TuitionAfterRetirement, ///< 定年後の学費
};

constexpr int ATTENTION_KINDS = 3;

/** The marker's name as the list and the CSV show it: "ダブルケア", "大学の重なり", "定年後の学費". */
const char* attentionKindName(AttentionKind kind);

/** Why a member is named by a marker. */
enum class AttentionRole {
    ParentInCare, ///< a parent whose cell shows 介護
    SmallChild, ///< a child not yet at elementary school
    Student, ///< a child in a university year
    RetiredSpouse, ///< the husband or the wife at or past the retirement age
};

/** One member a marker names. */
struct AttentionMember
{
    int column = 0; ///< table column
    std::string label; ///< the column's label as the table shows it (row 0)
    AttentionRole role = AttentionRole::ParentInCare;
    int age = 0; ///< the table's age in the marker's year
    int studyYear = 0; ///< a student's year at university, 1 for the entry year
    int retireAge = 0; ///< a retired spouse's stored retirement age
};

/** One marker: a kind in one year row, with the members it names. */
struct AttentionMarker
{
    int row = 0; ///< table row, 2..52
    std::string yearText; ///< the table's year text of that row ("2031")
    AttentionKind kind = AttentionKind::DoubleCare;
    std::vector<AttentionMember> members;
};

/** Years of university of each child, indexed by child number − 1; 0 or less means none. */
using UniversityYears = std::array<int, MAX_CHILDREN>;

/** Four years for every child: the length without money settings (私立医歯 is 6, 短大 2, なし 0). */
UniversityYears defaultUniversityYears();

/**
 * The markers of a built table (buildLifeCycleTable), years ascending and, within a year, in the
 * order of AttentionKind. They are read from the table's facts (ages, care years, stored entry and
 * retirement ages), never from its texts.
 */
std::vector<AttentionMarker> findAttentionMarkers(const TableModel& table, const UniversityYears& universityYears);

/** The same for callers that hold the plan beside its table: the table's facts already carry the plan's part. */
inline std::vector<AttentionMarker> findAttentionMarkers(
    const FamilyPlan& /*plan*/, const TableModel& table, const UniversityYears& universityYears)
{
    return findAttentionMarkers(table, universityYears);
}

/** The members' labels joined by "／" (U+FF0F), as the list's 対象 column shows them. */
std::string attentionMemberNames(const AttentionMarker& marker);

/** One member with what the marker sees in it: "夫側父 介護中", "長男 4歳", "長女 大学2年", "夫 66歳（定年65歳）". */
std::string attentionMemberText(const AttentionMember& member);

/** The marker in one line: "2031年 ダブルケア：夫側父 介護中、長男 4歳". */
std::string attentionDescription(const AttentionMarker& marker);

/**
 * The markers as CSV: the header 西暦,注意,対象, then one line per marker (year text, kind name,
 * member names), quoted as the table CSV is, in CP932 with CR LF after every line.
 */
std::string attentionCsvBytes(const std::vector<AttentionMarker>& markers);

} // namespace harukaze

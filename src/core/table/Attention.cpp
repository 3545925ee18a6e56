// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/Attention.h"

#include "core/io/Cp932.h"
#include "core/io/CsvWriter.h"
#include "core/table/TableMembers.h"

namespace harukaze {

namespace {

constexpr int STANDARD_UNIVERSITY_YEARS = 4;
constexpr int STANDARD_ELEMENTARY_AGE = 6;

// Exactly the text a parent's column shows in each of its two care years.
const char* const CARE_TEXT = " 介\u3000護";

// A member column of the table with what a year needs of it.
struct Column
{
    TableMember member;
    std::string label;
    int birthYear = 0;
};

AttentionMember named(const Column& column, AttentionRole role, int age)
{
    AttentionMember member;
    member.column = column.member.column;
    member.label = column.label;
    member.role = role;
    member.age = age;
    return member;
}

} // namespace

const char* attentionKindName(AttentionKind kind)
{
    switch (kind) {
    case AttentionKind::DoubleCare:
        return "ダブルケア";
    case AttentionKind::UniversityOverlap:
        return "大学の重なり";
    case AttentionKind::TuitionAfterRetirement:
        return "定年後の学費";
    }
    return "";
}

UniversityYears defaultUniversityYears()
{
    UniversityYears years;
    years.fill(STANDARD_UNIVERSITY_YEARS);
    return years;
}

std::vector<AttentionMarker> findAttentionMarkers(
    const FamilyPlan& plan, const TableModel& table, const UniversityYears& universityYears)
{
    std::vector<Column> columns;
    for (const TableMember& member : tableMembers(plan)) {
        if (member.column >= table.columnCount())
            break;
        columns.push_back(Column { member, table.text(0, member.column), memberBirthYear(plan, member) });
    }

    std::vector<AttentionMarker> markers;
    for (int n = 0; n < TABLE_YEARS; ++n) {
        const int row = TABLE_FIXED_ROWS + n;
        const int year = table.firstYear + n;

        std::vector<AttentionMember> parentsInCare;
        std::vector<AttentionMember> smallChildren;
        std::vector<AttentionMember> students;
        std::vector<AttentionMember> retired;
        for (const Column& column : columns) {
            const int age = year - column.birthYear;
            switch (column.member.kind) {
            case MemberKind::Husband:
            case MemberKind::Wife: {
                const int retireAge = column.member.kind == MemberKind::Husband ? plan.ST2_HUSBAND_RETIRE_AGE
                                                                                : plan.ST2_WIFE_RETIRE_AGE;
                if (retireAge > 0 && age >= retireAge) {
                    AttentionMember spouse = named(column, AttentionRole::RetiredSpouse, age);
                    spouse.retireAge = retireAge;
                    retired.push_back(spouse);
                }
                break;
            }
            case MemberKind::Child: {
                const int kid = column.member.child;
                const int storedElementary = plan.mtx1(kid, MTX1_ELEMENTARY);
                const int elementary = storedElementary > 0 ? storedElementary : STANDARD_ELEMENTARY_AGE;
                if (age >= 0 && age < elementary)
                    smallChildren.push_back(named(column, AttentionRole::SmallChild, age));
                const int entry = plan.mtx1(kid, MTX1_UNIVERSITY);
                const int length = universityYears[static_cast<size_t>(kid - 1)];
                if (entry > 0 && length > 0 && age >= entry && age - entry < length) {
                    AttentionMember student = named(column, AttentionRole::Student, age);
                    student.studyYear = age - entry + 1;
                    students.push_back(student);
                }
                break;
            }
            case MemberKind::Parent:
                if (table.text(row, column.member.column).find(CARE_TEXT) != std::string::npos)
                    parentsInCare.push_back(named(column, AttentionRole::ParentInCare, age));
                break;
            }
        }

        auto add
            = [&markers, &table, row](
                  AttentionKind kind, std::vector<AttentionMember> first, const std::vector<AttentionMember>& second) {
                  AttentionMarker marker;
                  marker.row = row;
                  marker.yearText = table.text(row, 0);
                  marker.kind = kind;
                  marker.members = std::move(first);
                  marker.members.insert(marker.members.end(), second.begin(), second.end());
                  markers.push_back(std::move(marker));
              };
        if (!parentsInCare.empty() && !smallChildren.empty())
            add(AttentionKind::DoubleCare, parentsInCare, smallChildren);
        if (students.size() >= 2)
            add(AttentionKind::UniversityOverlap, students, {});
        if (!retired.empty() && !students.empty())
            add(AttentionKind::TuitionAfterRetirement, retired, students);
    }
    return markers;
}

std::string attentionMemberNames(const AttentionMarker& marker)
{
    // Joined by position, not by what came before: an empty label still gets its separators.
    std::string names;
    for (size_t i = 0; i < marker.members.size(); ++i) {
        if (i > 0)
            names += "\uFF0F";
        names += marker.members[i].label;
    }
    return names;
}

std::string attentionMemberText(const AttentionMember& member)
{
    switch (member.role) {
    case AttentionRole::ParentInCare:
        return member.label + " 介護中";
    case AttentionRole::SmallChild:
        return member.label + " " + std::to_string(member.age) + "歳";
    case AttentionRole::Student:
        return member.label + " 大学" + std::to_string(member.studyYear) + "年";
    case AttentionRole::RetiredSpouse:
        return member.label + " " + std::to_string(member.age) + "歳（定年" + std::to_string(member.retireAge) + "歳）";
    }
    return member.label;
}

std::string attentionDescription(const AttentionMarker& marker)
{
    std::string text = marker.yearText + "年 " + attentionKindName(marker.kind) + "：";
    for (size_t i = 0; i < marker.members.size(); ++i) {
        if (i > 0)
            text += "、";
        text += attentionMemberText(marker.members[i]);
    }
    return text;
}

std::string attentionCsvBytes(const std::vector<AttentionMarker>& markers)
{
    std::string text = "西暦,注意,対象\r\n";
    for (const AttentionMarker& marker : markers) {
        appendCsvField(text, marker.yearText);
        text += ',';
        appendCsvField(text, attentionKindName(marker.kind));
        text += ',';
        appendCsvField(text, attentionMemberNames(marker));
        text += "\r\n";
    }
    return utf8ToCp932(text);
}

} // namespace harukaze

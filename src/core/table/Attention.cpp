// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/Attention.h"

#include "core/io/Cp932.h"
#include "core/io/CsvWriter.h"

namespace harukaze {

namespace {

constexpr int STANDARD_UNIVERSITY_YEARS = 4;
constexpr int STANDARD_ELEMENTARY_AGE = 6;

AttentionMember named(const MemberFacts& facts, AttentionRole role, int age)
{
    AttentionMember member;
    member.column = facts.member.column;
    member.label = facts.label;
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

std::vector<AttentionMarker> findAttentionMarkers(const TableModel& table, const UniversityYears& universityYears)
{
    const size_t elementaryStage = static_cast<size_t>(SchoolStage::Elementary);
    const size_t universityStage = static_cast<size_t>(SchoolStage::University);

    std::vector<AttentionMarker> markers;
    for (int n = 0; n < TABLE_YEARS; ++n) {
        const int row = TABLE_FIXED_ROWS + n;

        std::vector<AttentionMember> parentsInCare;
        std::vector<AttentionMember> smallChildren;
        std::vector<AttentionMember> students;
        std::vector<AttentionMember> retired;
        for (const MemberFacts& facts : table.facts.members) {
            const MemberYear& year = facts.years[static_cast<size_t>(n)];
            const int age = year.age;
            switch (facts.member.kind) {
            case MemberKind::Husband:
            case MemberKind::Wife:
                if (facts.retireAge > 0 && age >= facts.retireAge) {
                    AttentionMember spouse = named(facts, AttentionRole::RetiredSpouse, age);
                    spouse.retireAge = facts.retireAge;
                    retired.push_back(spouse);
                }
                break;
            case MemberKind::Child: {
                const int storedElementary = facts.schoolEntryAges[elementaryStage];
                const int elementary = storedElementary > 0 ? storedElementary : STANDARD_ELEMENTARY_AGE;
                if (age >= 0 && age < elementary)
                    smallChildren.push_back(named(facts, AttentionRole::SmallChild, age));
                const int entry = facts.schoolEntryAges[universityStage];
                const int length = universityYears[static_cast<size_t>(facts.member.child - 1)];
                if (entry > 0 && length > 0 && age >= entry && age - entry < length) {
                    AttentionMember student = named(facts, AttentionRole::Student, age);
                    student.studyYear = age - entry + 1;
                    students.push_back(student);
                }
                break;
            }
            case MemberKind::Parent:
                if (year.care)
                    parentsInCare.push_back(named(facts, AttentionRole::ParentInCare, age));
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
    std::string names;
    for (const AttentionMember& member : marker.members) {
        if (!names.empty())
            names += "\uFF0F";
        names += member.label;
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

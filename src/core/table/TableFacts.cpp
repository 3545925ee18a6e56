// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/TableFacts.h"

namespace harukaze {

const MemberFacts* TableFacts::find(MemberKind kind) const
{
    for (const MemberFacts& facts : members) {
        if (facts.member.kind == kind)
            return &facts;
    }
    return nullptr;
}

const MemberFacts* TableFacts::parent(int parentCode) const
{
    for (const MemberFacts& facts : members) {
        if (facts.member.kind == MemberKind::Parent && facts.member.parentCode == parentCode)
            return &facts;
    }
    return nullptr;
}

void completeMemberYears(MemberFacts& member, int firstYear, bool showRetirement)
{
    const int L = member.ageAtDeath;
    for (size_t n = 0; n < member.years.size(); ++n) {
        MemberYear& year = member.years[n];
        year.age = firstYear + static_cast<int>(n) - member.birthYear;
        // As the column places them: care in the two years before L, 寿命 at L, even when L is 0.
        year.care = year.age == L - 2 || year.age == L - 1;
        year.endOfLife = year.age == L;
        year.retirement = showRetirement && year.age == member.retireAge;
        for (size_t s = 0; s < member.schoolEntryAges.size(); ++s) {
            const int entry = member.schoolEntryAges[s];
            year.schoolEntry[s] = entry != 0 && year.age == entry;
        }
    }
}

} // namespace harukaze

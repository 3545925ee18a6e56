// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/TableMembers.h"

#include "core/table/TableModel.h"

namespace harukaze {

std::vector<TableMember> tableMembers(const FamilyPlan& plan)
{
    std::vector<TableMember> members;
    int column = TABLE_FIXED_COLS;
    auto add = [&members, &column](MemberKind kind, int child, int parentCode) {
        members.push_back(TableMember { kind, column++, child, parentCode });
    };
    // The parent flags are read one by one; the group flags of ST1 do not decide the columns.
    if (plan.ST1_HUSBAND == 1)
        add(MemberKind::Husband, 0, 0);
    if (plan.ST1_WIFE == 1)
        add(MemberKind::Wife, 0, 0);
    if (plan.ST1_CHILDREN == 1) {
        const int children = plan.plannedChildren();
        for (int kid = 1; kid <= children; ++kid)
            add(MemberKind::Child, kid, 0);
    }
    if (plan.ST1_HUSBAND_FATHER == 1)
        add(MemberKind::Parent, 0, 3);
    if (plan.ST1_HUSBAND_MOTHER == 1)
        add(MemberKind::Parent, 0, 4);
    if (plan.ST1_WIFE_FATHER == 1)
        add(MemberKind::Parent, 0, 5);
    if (plan.ST1_WIFE_MOTHER == 1)
        add(MemberKind::Parent, 0, 6);
    return members;
}

int memberBirthYear(const FamilyPlan& plan, const TableMember& member)
{
    switch (member.kind) {
    case MemberKind::Husband:
        return plan.ST2_HUSBAND_BIRTH_YEAR;
    case MemberKind::Wife:
        return plan.ST2_WIFE_BIRTH_YEAR;
    case MemberKind::Child:
        return member.child >= 1 && member.child <= MAX_CHILDREN ? plan.mtx1(member.child, MTX1_BIRTH_YEAR) : 0;
    case MemberKind::Parent: {
        const bool father = member.parentCode == 3 || member.parentCode == 5;
        const CoupleSection section
            = member.parentCode == 3 || member.parentCode == 4 ? CoupleSection::ST4 : CoupleSection::ST5;
        return plan.couple(section, father ? COUPLE_MAN_BIRTH_YEAR : COUPLE_WOMAN_BIRTH_YEAR);
    }
    }
    return 0;
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
// What the document command tests share: the commands' states as a user sees them and a family.
#pragma once

#include "core/plan/FamilyPlan.h"
#include "gui/shell/frmMain.h"

#include <QString>

namespace DocumentTest {

using namespace harukaze;
using Command = frmMain::Command;

inline const Command kDocumentCommands[] = {
    Command::New, Command::Open, Command::Close, Command::Csv, Command::Save, Command::ChangeSettings, Command::Font
};

inline QString commandStates(const frmMain& main)
{
    QString states;
    for (Command command : kDocumentCommands) {
        const bool item = main.isCommandEnabled(command);
        const bool button = main.toolbarAction(command)->isEnabled();
        // A menu item out of step with its button shows as "x".
        states += item != button ? QLatin1Char('x') : item ? QLatin1Char('1') : QLatin1Char('0');
    }
    return states;
}

/** Husband, wife and two children with their events, both sets of parents left out. */
inline void writeFamily(FamilyPlan& plan)
{
    REC_CLEAR(plan);
    plan.ST1_RECORDED = 1;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST1_CHILDREN = 1;
    plan.ST1_CHILDREN_NOW = 1;
    plan.ST1_CHILDREN_FUTURE = 1;
    plan.ST2_RECORDED = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1985;
    plan.ST2_WIFE_BIRTH_YEAR = 1988;
    plan.ST2_MARRIAGE_YEAR = 2012;
    plan.ST2_HUSBAND_RETIRE_AGE = 65;
    plan.ST2_WIFE_RETIRE_AGE = 60;
    plan.ST2_HUSBAND_LIFESPAN = 80;
    plan.ST2_WIFE_LIFESPAN = 90;
    plan.ST2_HUSBAND_LIFE_CUSTOM = 1;
    plan.ST2_WIFE_LIFE_CUSTOM = 1;
    plan.ST2_BRONZE_WEDDING = 1;
    plan.ST2_SILVER_WEDDING = 1;
    plan.ST2_HUSBAND_RETIRE = 1;
    plan.ST2_WIFE_YAKUTOSHI = 1;
    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = 2;
    const char* labels[] = { "長女", "次女" };
    for (int child = 1; child <= 2; ++child) {
        plan.mtx2(child, MTX2_ZOKUGARA) = labels[child - 1];
        plan.mtx2(child, MTX2_HAYAUMARE) = child == 1 ? "普通" : "早生";
        plan.mtx1(child, MTX1_BIRTH_YEAR) = static_cast<int16_t>(2014 + 3 * child);
        plan.mtx1(child, MTX1_KINDERGARTEN) = 4;
        plan.mtx1(child, MTX1_ELEMENTARY) = 6;
        plan.mtx1(child, MTX1_JUNIOR_HIGH) = 12;
        plan.mtx1(child, MTX1_HIGH_SCHOOL) = 15;
        plan.mtx1(child, MTX1_UNIVERSITY) = 18;
        plan.mtx1(child, MTX1_COMING_OF_AGE) = 20;
        plan.mtx1(child, MTX1_EMPLOYMENT) = 22;
        plan.mtx1(child, MTX1_MARRIAGE) = 27;
        plan.mtx1(child, MTX1_YAKUTOSHI) = 32;
        plan.mtx1(child, MTX1_RETIRE) = 60;
    }
    plan.ST4_FATHER_BIRTH_YEAR = -1; // a negative number survives the file
}

/** The plan as a file gives it back: children above ST3_COUNT are placeholders, which are ignored. */
inline FamilyPlan withoutUnusedChildren(FamilyPlan plan)
{
    for (int child = plan.childCount() + 1; child <= MAX_CHILDREN; ++child) {
        plan.ST3_MTX1[static_cast<size_t>(child - 1)].fill(0);
        plan.ST3_MTX2[static_cast<size_t>(child - 1)].fill(std::string());
    }
    return plan;
}

} // namespace DocumentTest

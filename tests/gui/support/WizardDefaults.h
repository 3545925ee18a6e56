// SPDX-License-Identifier: GPL-3.0-or-later
// What the wizard tests share.
#pragma once

#include "core/plan/FamilyPlan.h"

namespace WizardTest {

using namespace harukaze;

// The record the wizard gives when every page is left at its first-visit values.
inline FamilyPlan defaultRecord()
{
    FamilyPlan plan;
    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot)
        plan.st1(slot) = 1;
    plan.ST1_CHILDREN_NOW = 2;
    plan.ST1_CHILDREN_FUTURE = 0;

    const int years[][5] = { { 1964, 60, 1967, 60, 1993 }, { 1938, 60, 1940, 60, 1963 }, { 1925, 60, 1938, 60, 1965 } };
    for (int i = 0; i < 3; ++i) {
        const CoupleSection s = COUPLE_SECTIONS[static_cast<size_t>(i)];
        plan.couple(s, COUPLE_RECORDED) = 1;
        plan.couple(s, COUPLE_MAN_BIRTH_YEAR) = static_cast<int16_t>(years[i][0]);
        plan.couple(s, COUPLE_MAN_RETIRE_AGE) = static_cast<int16_t>(years[i][1]);
        plan.couple(s, COUPLE_WOMAN_BIRTH_YEAR) = static_cast<int16_t>(years[i][2]);
        plan.couple(s, COUPLE_WOMAN_RETIRE_AGE) = static_cast<int16_t>(years[i][3]);
        plan.couple(s, COUPLE_MARRIAGE_YEAR) = static_cast<int16_t>(years[i][4]);
        plan.couple(s, COUPLE_MAN_LIFESPAN) = 78;
        plan.couple(s, COUPLE_WOMAN_LIFESPAN) = 84;
        for (int slot = COUPLE_GOLDEN_WEDDING; slot <= COUPLE_WOMAN_RETIRE; ++slot)
            plan.couple(s, slot) = 1;
        plan.couple(s, COUPLE_MAN_LIFE_STAT) = 1;
        plan.couple(s, COUPLE_MAN_LIFE_CUSTOM) = 0;
        plan.couple(s, COUPLE_WOMAN_LIFE_CUSTOM) = 0;
        plan.couple(s, COUPLE_WOMAN_LIFE_STAT) = 1;
    }

    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = 2;
    const int daughter[] = { 1995, 4, 6, 12, 15, 18, 20, 22, 26, 28, 31, 32, 60 };
    const int son[] = { 1995, 4, 6, 12, 15, 18, 20, 22, 28, 30, 33, 41, 60 };
    for (int col = 1; col <= MTX1_COLUMNS; ++col) {
        plan.mtx1(1, col) = static_cast<int16_t>(daughter[col - 1]);
        plan.mtx1(2, col) = static_cast<int16_t>(son[col - 1]);
    }
    plan.mtx2(1, MTX2_ZOKUGARA) = "長女";
    plan.mtx2(2, MTX2_ZOKUGARA) = "長男";
    plan.mtx2(1, MTX2_HAYAUMARE) = "普通";
    plan.mtx2(2, MTX2_HAYAUMARE) = "普通";
    return plan;
}

} // namespace WizardTest

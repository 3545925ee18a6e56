// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/FamilyPlan.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>
#include <string>

namespace harukaze {

namespace {

using Field = int16_t FamilyPlan::*;

const std::array<Field, ST1_FIELD_COUNT> kSt1Fields = {
    &FamilyPlan::ST1_RECORDED,
    &FamilyPlan::ST1_HUSBAND,
    &FamilyPlan::ST1_WIFE,
    &FamilyPlan::ST1_CHILDREN,
    &FamilyPlan::ST1_HUSBAND_PARENTS,
    &FamilyPlan::ST1_WIFE_PARENTS,
    &FamilyPlan::ST1_CHILDREN_NOW,
    &FamilyPlan::ST1_CHILDREN_FUTURE,
    &FamilyPlan::ST1_HUSBAND_FATHER,
    &FamilyPlan::ST1_HUSBAND_MOTHER,
    &FamilyPlan::ST1_WIFE_FATHER,
    &FamilyPlan::ST1_WIFE_MOTHER,
};

const std::array<Field, COUPLE_FIELD_COUNT> kSt2Fields = {
    &FamilyPlan::ST2_RECORDED,
    &FamilyPlan::ST2_HUSBAND_BIRTH_YEAR,
    &FamilyPlan::ST2_HUSBAND_RETIRE_AGE,
    &FamilyPlan::ST2_WIFE_BIRTH_YEAR,
    &FamilyPlan::ST2_WIFE_RETIRE_AGE,
    &FamilyPlan::ST2_MARRIAGE_YEAR,
    &FamilyPlan::ST2_HUSBAND_LIFESPAN,
    &FamilyPlan::ST2_WIFE_LIFESPAN,
    &FamilyPlan::ST2_GOLDEN_WEDDING,
    &FamilyPlan::ST2_SILVER_WEDDING,
    &FamilyPlan::ST2_BRONZE_WEDDING,
    &FamilyPlan::ST2_HUSBAND_YAKUTOSHI,
    &FamilyPlan::ST2_HUSBAND_RETIRE,
    &FamilyPlan::ST2_WIFE_YAKUTOSHI,
    &FamilyPlan::ST2_WIFE_RETIRE,
    &FamilyPlan::ST2_HUSBAND_LIFE_STAT,
    &FamilyPlan::ST2_HUSBAND_LIFE_CUSTOM,
    &FamilyPlan::ST2_WIFE_LIFE_CUSTOM,
    &FamilyPlan::ST2_WIFE_LIFE_STAT,
};

const std::array<Field, COUPLE_FIELD_COUNT> kSt4Fields = {
    &FamilyPlan::ST4_RECORDED,
    &FamilyPlan::ST4_FATHER_BIRTH_YEAR,
    &FamilyPlan::ST4_FATHER_RETIRE_AGE,
    &FamilyPlan::ST4_MOTHER_BIRTH_YEAR,
    &FamilyPlan::ST4_MOTHER_RETIRE_AGE,
    &FamilyPlan::ST4_MARRIAGE_YEAR,
    &FamilyPlan::ST4_FATHER_LIFESPAN,
    &FamilyPlan::ST4_MOTHER_LIFESPAN,
    &FamilyPlan::ST4_GOLDEN_WEDDING,
    &FamilyPlan::ST4_SILVER_WEDDING,
    &FamilyPlan::ST4_BRONZE_WEDDING,
    &FamilyPlan::ST4_FATHER_YAKUTOSHI,
    &FamilyPlan::ST4_FATHER_RETIRE,
    &FamilyPlan::ST4_MOTHER_YAKUTOSHI,
    &FamilyPlan::ST4_MOTHER_RETIRE,
    &FamilyPlan::ST4_FATHER_LIFE_STAT,
    &FamilyPlan::ST4_FATHER_LIFE_CUSTOM,
    &FamilyPlan::ST4_MOTHER_LIFE_CUSTOM,
    &FamilyPlan::ST4_MOTHER_LIFE_STAT,
};

const std::array<Field, COUPLE_FIELD_COUNT> kSt5Fields = {
    &FamilyPlan::ST5_RECORDED,
    &FamilyPlan::ST5_FATHER_BIRTH_YEAR,
    &FamilyPlan::ST5_FATHER_RETIRE_AGE,
    &FamilyPlan::ST5_MOTHER_BIRTH_YEAR,
    &FamilyPlan::ST5_MOTHER_RETIRE_AGE,
    &FamilyPlan::ST5_MARRIAGE_YEAR,
    &FamilyPlan::ST5_FATHER_LIFESPAN,
    &FamilyPlan::ST5_MOTHER_LIFESPAN,
    &FamilyPlan::ST5_GOLDEN_WEDDING,
    &FamilyPlan::ST5_SILVER_WEDDING,
    &FamilyPlan::ST5_BRONZE_WEDDING,
    &FamilyPlan::ST5_FATHER_YAKUTOSHI,
    &FamilyPlan::ST5_FATHER_RETIRE,
    &FamilyPlan::ST5_MOTHER_YAKUTOSHI,
    &FamilyPlan::ST5_MOTHER_RETIRE,
    &FamilyPlan::ST5_FATHER_LIFE_STAT,
    &FamilyPlan::ST5_FATHER_LIFE_CUSTOM,
    &FamilyPlan::ST5_MOTHER_LIFE_CUSTOM,
    &FamilyPlan::ST5_MOTHER_LIFE_STAT,
};

Field coupleField(CoupleSection section, int slot)
{
    if (slot < 1 || slot > COUPLE_FIELD_COUNT)
        throw std::out_of_range("couple slot " + std::to_string(slot));
    const auto index = static_cast<size_t>(slot - 1);
    switch (section) {
    case CoupleSection::ST2:
        return kSt2Fields[index];
    case CoupleSection::ST4:
        return kSt4Fields[index];
    case CoupleSection::ST5:
        return kSt5Fields[index];
    }
    throw std::out_of_range("couple section " + std::to_string(sectionNumber(section)));
}

} // namespace

int16_t& FamilyPlan::st1(int slot)
{
    assert(slot >= 1 && slot <= ST1_FIELD_COUNT);
    return this->*kSt1Fields[static_cast<size_t>(slot - 1)];
}

int16_t FamilyPlan::st1(int slot) const
{
    assert(slot >= 1 && slot <= ST1_FIELD_COUNT);
    return this->*kSt1Fields[static_cast<size_t>(slot - 1)];
}

int16_t& FamilyPlan::couple(CoupleSection section, int slot)
{
    return this->*coupleField(section, slot);
}

int16_t FamilyPlan::couple(CoupleSection section, int slot) const
{
    return this->*coupleField(section, slot);
}

int FamilyPlan::childCount() const
{
    return clampChildCount(ST3_COUNT);
}

int FamilyPlan::plannedChildren() const
{
    const int now = std::max(0, static_cast<int>(ST1_CHILDREN_NOW));
    const int future = std::max(0, static_cast<int>(ST1_CHILDREN_FUTURE));
    return clampChildCount(now + future);
}

int clampChildCount(int count)
{
    return std::clamp(count, 0, MAX_CHILDREN);
}

void REC_CLEAR(FamilyPlan& plan)
{
    plan = FamilyPlan {};
}

bool operator==(const FamilyPlan& a, const FamilyPlan& b)
{
    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot) {
        if (a.st1(slot) != b.st1(slot))
            return false;
    }
    for (CoupleSection section : COUPLE_SECTIONS) {
        for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot) {
            if (a.couple(section, slot) != b.couple(section, slot))
                return false;
        }
    }
    return a.ST3_RECORDED == b.ST3_RECORDED && a.ST3_COUNT == b.ST3_COUNT && a.ST3_MTX1 == b.ST3_MTX1
        && a.ST3_MTX2 == b.ST3_MTX2 && a.money == b.money;
}

} // namespace harukaze

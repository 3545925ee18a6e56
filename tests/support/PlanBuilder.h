// SPDX-License-Identifier: GPL-3.0-or-later
// The one way tests make a family plan: a fluent builder over FamilyPlan, usable from the core
// tests (no Qt) and the GUI tests alike.
#pragma once

#include "core/plan/FamilyPlan.h"

#include <string>

namespace testplan {

/**
 * Builds a plan member by member. Every member added is included in the table (its ST1 flag on)
 * and its section recorded; a birth year of 0 leaves a member out. Expected ends of life are typed
 * (lifespan ages) unless statistics() asks for the data files.
 *
 *     const FamilyPlan plan = PlanBuilder().husband(1980, 65).wife(1982, 60).marriage(2008)
 *                                 .child(2010, "長男").schools(3, 6, 12, 15, 18).build();
 */
class PlanBuilder
{
public:
    PlanBuilder()
    {
        m_plan.ST1_RECORDED = 1;
        m_plan.ST2_RECORDED = 1;
    }

    PlanBuilder& husband(int birthYear, int retireAge = 0, int lifespan = 80)
    {
        m_plan.ST1_HUSBAND = 1;
        person(kCouple, true, birthYear, retireAge, lifespan);
        return *this;
    }
    PlanBuilder& wife(int birthYear, int retireAge = 0, int lifespan = 86)
    {
        m_plan.ST1_WIFE = 1;
        person(kCouple, false, birthYear, retireAge, lifespan);
        return *this;
    }
    PlanBuilder& marriage(int year)
    {
        m_plan.ST2_MARRIAGE_YEAR = static_cast<int16_t>(year);
        return *this;
    }
    PlanBuilder& husbandFather(int birthYear, int lifespan = 80)
    {
        m_plan.ST1_HUSBAND_PARENTS = 1;
        m_plan.ST1_HUSBAND_FATHER = 1;
        person(kHusbandParents, true, birthYear, 0, lifespan);
        return *this;
    }
    PlanBuilder& husbandMother(int birthYear, int lifespan = 86)
    {
        m_plan.ST1_HUSBAND_PARENTS = 1;
        m_plan.ST1_HUSBAND_MOTHER = 1;
        person(kHusbandParents, false, birthYear, 0, lifespan);
        return *this;
    }
    PlanBuilder& wifeFather(int birthYear, int lifespan = 80)
    {
        m_plan.ST1_WIFE_PARENTS = 1;
        m_plan.ST1_WIFE_FATHER = 1;
        person(kWifeParents, true, birthYear, 0, lifespan);
        return *this;
    }
    PlanBuilder& wifeMother(int birthYear, int lifespan = 86)
    {
        m_plan.ST1_WIFE_PARENTS = 1;
        m_plan.ST1_WIFE_MOTHER = 1;
        person(kWifeParents, false, birthYear, 0, lifespan);
        return *this;
    }

    /** Adds a child (at most ten) with its relationship label; its event ages start at 0 (not shown). */
    PlanBuilder& child(int birthYear, const std::string& label = "長男")
    {
        if (m_plan.ST3_COUNT >= harukaze::MAX_CHILDREN)
            return *this;
        m_plan.ST1_CHILDREN = 1;
        m_plan.ST3_RECORDED = 1;
        ++m_plan.ST3_COUNT;
        m_plan.ST1_CHILDREN_NOW = m_plan.ST3_COUNT;
        m_child = m_plan.ST3_COUNT;
        m_plan.mtx1(m_child, harukaze::MTX1_BIRTH_YEAR) = static_cast<int16_t>(birthYear);
        m_plan.mtx2(m_child, harukaze::MTX2_ZOKUGARA) = label;
        return *this;
    }
    /** School entry ages of the last child added (0 = not shown). */
    PlanBuilder& schools(int kindergarten, int elementary, int juniorHigh, int highSchool, int university)
    {
        set(harukaze::MTX1_KINDERGARTEN, kindergarten);
        set(harukaze::MTX1_ELEMENTARY, elementary);
        set(harukaze::MTX1_JUNIOR_HIGH, juniorHigh);
        set(harukaze::MTX1_HIGH_SCHOOL, highSchool);
        set(harukaze::MTX1_UNIVERSITY, university);
        return *this;
    }
    /** Any event age of the last child added, by its ST3_MTX1 column. */
    PlanBuilder& childEvent(int column, int age)
    {
        set(column, age);
        return *this;
    }
    /** Children still to come, counted after those added. */
    PlanBuilder& futureChildren(int count)
    {
        m_plan.ST1_CHILDREN = 1;
        m_plan.ST1_CHILDREN_FUTURE = static_cast<int16_t>(count);
        return *this;
    }
    /** Every member's end of life from the life-expectancy files instead of a typed age. */
    PlanBuilder& statistics()
    {
        for (harukaze::CoupleSection section : { kCouple, kHusbandParents, kWifeParents }) {
            for (int slot : { harukaze::COUPLE_MAN_LIFE_STAT, harukaze::COUPLE_WOMAN_LIFE_STAT })
                m_plan.couple(section, slot) = 1;
            for (int slot : { harukaze::COUPLE_MAN_LIFE_CUSTOM, harukaze::COUPLE_WOMAN_LIFE_CUSTOM })
                m_plan.couple(section, slot) = 0;
        }
        return *this;
    }

    harukaze::FamilyPlan build() const { return m_plan; }
    operator harukaze::FamilyPlan() const { return m_plan; }

private:
    static constexpr harukaze::CoupleSection kCouple = harukaze::CoupleSection::ST2;
    static constexpr harukaze::CoupleSection kHusbandParents = harukaze::CoupleSection::ST4;
    static constexpr harukaze::CoupleSection kWifeParents = harukaze::CoupleSection::ST5;

    void person(harukaze::CoupleSection section, bool man, int birthYear, int retireAge, int lifespan)
    {
        using namespace harukaze;
        m_plan.couple(section, COUPLE_RECORDED) = 1;
        m_plan.couple(section, man ? COUPLE_MAN_BIRTH_YEAR : COUPLE_WOMAN_BIRTH_YEAR) = static_cast<int16_t>(birthYear);
        m_plan.couple(section, man ? COUPLE_MAN_RETIRE_AGE : COUPLE_WOMAN_RETIRE_AGE) = static_cast<int16_t>(retireAge);
        m_plan.couple(section, man ? COUPLE_MAN_LIFESPAN : COUPLE_WOMAN_LIFESPAN) = static_cast<int16_t>(lifespan);
        m_plan.couple(section, man ? COUPLE_MAN_LIFE_CUSTOM : COUPLE_WOMAN_LIFE_CUSTOM) = 1;
        m_plan.couple(section, man ? COUPLE_MAN_LIFE_STAT : COUPLE_WOMAN_LIFE_STAT) = 0;
    }
    void set(int column, int age)
    {
        if (m_child > 0)
            m_plan.mtx1(m_child, column) = static_cast<int16_t>(age);
    }

    harukaze::FamilyPlan m_plan;
    int m_child = 0;
};

} // namespace testplan

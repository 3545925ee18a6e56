// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/SampleFamily.h"

#include "core/plan/FamilyDefaults.h"
#include "core/plan/FamilyPlan.h"

#include <array>

namespace harukaze {

namespace {

// The sample's two children: relationship code and birth year (the children page's default years
// for a child now and a child still planned); their ages are the defaults of their relationship.
struct SampleChild
{
    int code;
    int16_t birthYear;
};

constexpr std::array<SampleChild, 2> SAMPLE_CHILDREN { {
    { 1, CHILD_BIRTH_YEAR_NOW }, // 長女
    { 2, CHILD_BIRTH_YEAR_PLANNED }, // 長男
} };

} // namespace

void writeSampleFamily(FamilyPlan& plan)
{
    plan.ST1_RECORDED = 1;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST1_CHILDREN = 1;
    plan.ST1_HUSBAND_PARENTS = 1;
    plan.ST1_WIFE_PARENTS = 1;
    plan.ST1_CHILDREN_NOW = 2;
    plan.ST1_CHILDREN_FUTURE = 0;
    plan.ST1_HUSBAND_FATHER = 1;
    plan.ST1_HUSBAND_MOTHER = 1;
    plan.ST1_WIFE_FATHER = 1;
    plan.ST1_WIFE_MOTHER = 1;

    // The three couples are those the couple pages offer on a first visit: every event shown, both
    // ends of life from the data files, with the ages the pages store beside that choice.
    for (CoupleSection s : COUPLE_SECTIONS) {
        const CoupleDefaults couple = coupleDefaults(s);
        plan.couple(s, COUPLE_RECORDED) = 1;
        plan.couple(s, COUPLE_MAN_BIRTH_YEAR) = couple.manBirthYear;
        plan.couple(s, COUPLE_MAN_RETIRE_AGE) = couple.manRetireAge;
        plan.couple(s, COUPLE_WOMAN_BIRTH_YEAR) = couple.womanBirthYear;
        plan.couple(s, COUPLE_WOMAN_RETIRE_AGE) = couple.womanRetireAge;
        plan.couple(s, COUPLE_MARRIAGE_YEAR) = couple.marriageYear;
        plan.couple(s, COUPLE_MAN_LIFESPAN) = STAT_LIFESPAN_MAN;
        plan.couple(s, COUPLE_WOMAN_LIFESPAN) = STAT_LIFESPAN_WOMAN;
        plan.couple(s, COUPLE_GOLDEN_WEDDING) = 1;
        plan.couple(s, COUPLE_SILVER_WEDDING) = 1;
        plan.couple(s, COUPLE_BRONZE_WEDDING) = 1;
        plan.couple(s, COUPLE_MAN_YAKUTOSHI) = 1;
        plan.couple(s, COUPLE_MAN_RETIRE) = 1;
        plan.couple(s, COUPLE_WOMAN_YAKUTOSHI) = 1;
        plan.couple(s, COUPLE_WOMAN_RETIRE) = 1;
        plan.couple(s, COUPLE_MAN_LIFE_STAT) = 1;
        plan.couple(s, COUPLE_MAN_LIFE_CUSTOM) = 0;
        plan.couple(s, COUPLE_WOMAN_LIFE_CUSTOM) = 0;
        plan.couple(s, COUPLE_WOMAN_LIFE_STAT) = 1;
    }

    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = static_cast<int16_t>(SAMPLE_CHILDREN.size());
    for (size_t i = 0; i < SAMPLE_CHILDREN.size(); ++i) {
        const int kid = static_cast<int>(i) + 1;
        const SampleChild& child = SAMPLE_CHILDREN[i];
        plan.mtx2(kid, MTX2_ZOKUGARA) = relationshipLabel(child.code);
        plan.mtx2(kid, MTX2_HAYAUMARE) = HAYAUMARE_NORMAL;
        plan.mtx1(kid, MTX1_BIRTH_YEAR) = child.birthYear;
        const ChildAges ages = defaultChildAges(*sexOfCode(child.code));
        for (int column = MTX1_KINDERGARTEN; column <= MTX1_RETIRE; ++column)
            plan.mtx1(kid, column) = childAge(ages, column);
    }
    plan.money = sampleMoneySettings();
}

MoneySettings sampleMoneySettings()
{
    // Amounts in tenths of 万円, rates in tenths of a percent.
    MoneySettings money;
    money.savingsStart = 18000; // 1,800万円
    money.investRate = 5; // 0.5%
    money.husbandIncome = 0; // retired at 60 before the table starts
    money.husbandReemployIncome = 2800; // 280万円 a year until 65
    money.husbandReemployEndAge = 65;
    money.wifeIncome = 2600; // 260万円 a year until she retires at 60
    money.wifeIncomeRate = 10;
    money.wifeSeverance = 8000; // 800万円
    money.wifeReemployIncome = 1600;
    money.wifeReemployEndAge = 65;
    money.husbandPension = 2000; // 200万円 a year from 65
    money.husbandPensionAge = 65;
    money.wifePension = 1100; // 110万円 a year from 65
    money.wifePensionAge = 65;
    money.pensionRate = 0;
    money.living = 2700; // 270万円
    money.livingRate = 10;
    money.housing = 1200; // loan repayments of 120万円 a year until 2032
    money.housingRate = 0;
    money.housingEndYear = 2032;
    money.insurance = 240;
    money.insuranceEndYear = 2034;
    money.other = 400;
    money.otherRate = 10;
    money.expenses[0] = MoneyEntry { 2029, 2500, "車の買い替え" };
    return money;
}

} // namespace harukaze

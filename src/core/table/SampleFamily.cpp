// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/SampleFamily.h"

#include "core/plan/FamilyPlan.h"

#include <array>

namespace harukaze {

namespace {

// One couple section of the sample (ST2, ST4 or ST5 share the layout).
struct SampleCouple
{
    int section;
    int16_t manBirthYear;
    int16_t womanBirthYear;
    int16_t marriageYear;
};

constexpr std::array<SampleCouple, 3> SAMPLE_COUPLES { {
    { 2, 1964, 1967, 1993 },
    { 4, 1938, 1940, 1963 },
    { 5, 1925, 1938, 1965 },
} };

struct SampleChild
{
    const char* zokugara;
    std::array<int16_t, MTX1_COLUMNS> mtx1; // birth year, then the event ages of columns 2..13
};

const std::array<SampleChild, 2> SAMPLE_CHILDREN { {
    { "長女", { 1995, 4, 6, 12, 15, 18, 20, 22, 26, 28, 31, 32, 60 } },
    { "長男", { 2000, 4, 6, 12, 15, 18, 20, 22, 28, 30, 33, 41, 60 } },
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

    // Every couple shows every event and takes both ends of life from the data files; the
    // entered ages (78 / 84) are what the couple pages store beside the statistics choice.
    for (const SampleCouple& couple : SAMPLE_COUPLES) {
        const int s = couple.section;
        plan.couple(s, COUPLE_RECORDED) = 1;
        plan.couple(s, COUPLE_MAN_BIRTH_YEAR) = couple.manBirthYear;
        plan.couple(s, COUPLE_MAN_RETIRE_AGE) = 60;
        plan.couple(s, COUPLE_WOMAN_BIRTH_YEAR) = couple.womanBirthYear;
        plan.couple(s, COUPLE_WOMAN_RETIRE_AGE) = 60;
        plan.couple(s, COUPLE_MARRIAGE_YEAR) = couple.marriageYear;
        plan.couple(s, COUPLE_MAN_LIFESPAN) = 78;
        plan.couple(s, COUPLE_WOMAN_LIFESPAN) = 84;
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
    plan.ST3_COUNT = 2;
    for (size_t i = 0; i < SAMPLE_CHILDREN.size(); ++i) {
        const int kid = static_cast<int>(i) + 1;
        plan.mtx2(kid, MTX2_ZOKUGARA) = SAMPLE_CHILDREN[i].zokugara;
        plan.mtx2(kid, MTX2_HAYAUMARE) = "普通";
        for (int column = 1; column <= MTX1_COLUMNS; ++column)
            plan.mtx1(kid, column) = SAMPLE_CHILDREN[i].mtx1[static_cast<size_t>(column - 1)];
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

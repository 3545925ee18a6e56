// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/EducationCosts.h"

#include "core/plan/FamilyPlan.h"
#include "harukaze/EducationCostData.h"

#include <cstring>

namespace harukaze {

namespace {

namespace data = education_data;

// What the user is shown as the source of a figure, by the source_key of its rows.
const char* sourceText(const char* sourceKey)
{
    struct Source
    {
        const char* key;
        const char* text;
    };
    static const Source SOURCES[] = {
        { "GAKUSHUHI_R5_CORR", "文部科学省「令和5年度 子供の学習費調査」学習費総額（2026年1月16日訂正版）" },
        { "KOKURITSU_STD", "国立大学等の授業料その他の費用に関する省令の標準額（授業料・入学料）" },
        { "KOURITSU_R7", "公立大学 2025年度入学者の授業料・入学料の平均（2026年1月公表）" },
        { "SHIDAI_R5",
            "文部科学省「私立大学等の令和5年度入学者に係る学生納付金等調査」（2023年12月公表。授業料＋施設設備費、"
            "入学料）" },
    };
    for (const Source& source : SOURCES) {
        if (std::strcmp(source.key, sourceKey) == 0)
            return source.text;
    }
    return sourceKey;
}

EducationCost cost(const data::Figure& figure)
{
    EducationCost result;
    result.perYear = figure.perYear;
    result.entrance = figure.once;
    result.source = sourceText(figure.sourceKey);
    return result;
}

} // namespace

EducationCost schoolCost(EducationStage stage, SchoolChoice choice)
{
    if (choice == SchoolChoice::None)
        return {};
    const bool pub = choice == SchoolChoice::Public;
    switch (stage) {
    case EducationStage::Kindergarten:
        return cost(pub ? data::KINDERGARTEN_PUBLIC : data::KINDERGARTEN_PRIVATE);
    case EducationStage::Elementary:
        return cost(pub ? data::ELEMENTARY_PUBLIC : data::ELEMENTARY_PRIVATE);
    case EducationStage::JuniorHigh:
        return cost(pub ? data::JUNIOR_HIGH_PUBLIC : data::JUNIOR_HIGH_PRIVATE);
    case EducationStage::HighSchool:
        return cost(pub ? data::HIGH_SCHOOL_PUBLIC : data::HIGH_SCHOOL_PRIVATE);
    case EducationStage::University:
        break;
    }
    return {};
}

EducationCost universityCost(UniversityChoice choice)
{
    switch (choice) {
    case UniversityChoice::National:
        return cost(data::UNIVERSITY_NATIONAL);
    case UniversityChoice::Public:
        return cost(data::UNIVERSITY_PUBLIC);
    case UniversityChoice::PrivateHumanities:
        return cost(data::UNIVERSITY_PRIVATE_HUMANITIES);
    case UniversityChoice::PrivateScience:
        return cost(data::UNIVERSITY_PRIVATE_SCIENCE);
    case UniversityChoice::PrivateMedical:
        return cost(data::UNIVERSITY_PRIVATE_MEDICAL);
    case UniversityChoice::JuniorCollege:
        return cost(data::JUNIOR_COLLEGE);
    case UniversityChoice::None:
        break;
    }
    return {};
}

int universityYears(UniversityChoice choice)
{
    switch (choice) {
    case UniversityChoice::PrivateMedical:
        return 6;
    case UniversityChoice::JuniorCollege:
        return 2;
    case UniversityChoice::None:
        return 0;
    case UniversityChoice::National:
    case UniversityChoice::Public:
    case UniversityChoice::PrivateHumanities:
    case UniversityChoice::PrivateScience:
        break;
    }
    return 4;
}

int universityYears(const FamilyPlan& plan, int child)
{
    if (child < 1 || child > MAX_CHILDREN)
        return 0;
    const MoneySettings defaults;
    const MoneySettings& settings = plan.money ? *plan.money : defaults;
    return universityYears(settings.children[static_cast<size_t>(child - 1)].university);
}

UniversityYears universityYearsOf(const FamilyPlan& plan)
{
    UniversityYears years {};
    for (int child = 1; child <= MAX_CHILDREN; ++child)
        years[static_cast<size_t>(child - 1)] = universityYears(plan, child);
    return years;
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/MoneySettings.h"
#include "core/table/Attention.h"

#include <cstdint>
#include <string>

namespace harukaze {

struct FamilyPlan;

/**
 * Education costs per child and year, as shipped with the program: 学習費総額 of 幼稚園 to 高校
 * (文部科学省「令和5年度 子供の学習費調査」 as corrected on 2026-01-16) and the university fees
 * (授業料 plus 施設設備費 a year, 入学料 once). The figures are generated at build time from
 * data/education_costs_japan.tsv.
 */
struct EducationCost
{
    int64_t perYear = 0; ///< yen in every year of the stage
    int64_t entrance = 0; ///< yen once, in the entry year (入学料)
    std::string source; ///< where the figures come from, for the user (UTF-8); empty for なし
};

/** The cost of a stage from 幼稚園 to 高校 (University gives nothing); なし costs nothing. */
EducationCost schoolCost(EducationStage stage, SchoolChoice choice);

/** The cost of a university choice; なし costs nothing. */
EducationCost universityCost(UniversityChoice choice);

/** Years of a university choice: 4, 私立医歯 6, 短大 2, なし 0. */
int universityYears(UniversityChoice choice);

/**
 * Years of university of child 1..10 of the plan, from its money settings or, when the plan has none,
 * from the default choice (私立文系, 4 years). A child number outside 1..10 gives 0.
 */
int universityYears(const FamilyPlan& plan, int child);

/** universityYears() of every child, as the attention markers take them. */
UniversityYears universityYearsOf(const FamilyPlan& plan);

} // namespace harukaze

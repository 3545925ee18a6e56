// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace harukaze {

/**
 * The values a new family starts from, in one place: what the couple pages and the children page
 * offer on a first visit, what the child dialogs preset, the relationship labels with their codes,
 * and the ages at death stored beside the "統計値" choice. The wizard, the settings editor, the
 * child dialogs, the sample family and the table builder all read them from here.
 */

/** Age at death stored for a man (husband, father) while "統計値" is chosen; the table then reads the data file. */
constexpr int16_t STAT_LIFESPAN_MAN = 78;
/** The same for a woman (wife, mother). */
constexpr int16_t STAT_LIFESPAN_WOMAN = 84;

/** Age of a man's unlucky year (厄年, 42 in traditional counting), shown for the couples and offered for sons. */
constexpr int16_t YAKUTOSHI_AGE_MAN = 41;
/** Age of a woman's unlucky year (33 in traditional counting). */
constexpr int16_t YAKUTOSHI_AGE_WOMAN = 32;

/** First-visit values of a couple page: the man's and the woman's birth year and retirement age, the marriage year. */
struct CoupleDefaults
{
    int16_t manBirthYear;
    int16_t manRetireAge;
    int16_t womanBirthYear;
    int16_t womanRetireAge;
    int16_t marriageYear;
};

/** ST2 1964/60/1967/60/1993, ST4 1938/60/1940/60/1963, ST5 1925/60/1938/60/1965; throws std::out_of_range for no
 * section. */
CoupleDefaults coupleDefaults(CoupleSection section);

/** Early-birth marks of MTX2_HAYAUMARE. */
constexpr const char* HAYAUMARE_NORMAL = "普通";
constexpr const char* HAYAUMARE_EARLY = "早生";

/** Birth year of a child who is there now on a fresh plan, and of a child the settings editor adds. */
constexpr int16_t CHILD_BIRTH_YEAR_NOW = 1995;
/** Birth year of a child still planned, on a fresh plan that also has children now. */
constexpr int16_t CHILD_BIRTH_YEAR_PLANNED = 2000;

enum class ChildSex {
    Son,
    Daughter,
};

/** Number of labels in the child dialog's relationship list. */
constexpr int RELATIONSHIP_LABEL_COUNT = 20;

/** The child dialog's relationship list in its order: "長男" .. "十男" (indexes 0-9), "長女" .. "十女" (10-19). */
const std::array<const char*, RELATIONSHIP_LABEL_COUNT>& relationshipLabels();

/** Index of the first son's and the first daughter's label in relationshipLabels(). */
constexpr int FIRST_SON_LABEL = 0;
constexpr int FIRST_DAUGHTER_LABEL = 10;

/**
 * The sex a label stands for: a son under one of the ten sons' labels, compared as a whole; every
 * other text, the empty one included, counts as a daughter's.
 */
ChildSex sexOfLabel(std::string_view label);

/**
 * Relationship codes 1..10 of the children page: child n of a fresh plan gets code n; odd codes are
 * daughters ("長女", "次女", "三女", ...), even codes sons ("長男", "次男", ...).
 */
constexpr int FIRST_RELATIONSHIP_CODE = 1;
constexpr int LAST_RELATIONSHIP_CODE = 10;

/** The sex of a relationship code; nothing outside 1..10. */
std::optional<ChildSex> sexOfCode(int code);

/** The label of a relationship code (ZOKUGARA); "" outside 1..10. */
std::string relationshipLabel(int code);

/**
 * A child's event ages in the order of ST3_MTX1 columns 2..13 (MTX1_KINDERGARTEN .. MTX1_RETIRE);
 * use childAge() to reach one column.
 */
using ChildAges = std::array<int16_t, MTX1_COLUMNS - 1>;

/**
 * The ages the children page and the child dialogs offer a child of `sex`: kindergarten 4,
 * elementary school 6, junior high 12, high school 15, university 18, coming of age 20, employment
 * 22, then marriage, first and second child and the unlucky year by sex (son 28/30/33/41, daughter
 * 26/28/31/32), retirement 60.
 */
ChildAges defaultChildAges(ChildSex sex);

/** The age of MTX1 column `mtx1Column` (2..13) in `ages`. */
int16_t childAge(const ChildAges& ages, int mtx1Column);

} // namespace harukaze

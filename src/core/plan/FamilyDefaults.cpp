// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/FamilyDefaults.h"

#include <stdexcept>

namespace harukaze {

namespace {

constexpr int16_t RETIRE_AGE = 60;

const std::array<const char*, RELATIONSHIP_LABEL_COUNT> RELATIONSHIP_LABELS {
    "長男",
    "次男",
    "三男",
    "四男",
    "五男",
    "六男",
    "七男",
    "八男",
    "九男",
    "十男",
    "長女",
    "次女",
    "三女",
    "四女",
    "五女",
    "六女",
    "七女",
    "八女",
    "九女",
    "十女",
};

// The ages that differ by sex: marriage, first child, second child, unlucky year.
struct SexAges
{
    int16_t marriage;
    int16_t firstChild;
    int16_t secondChild;
    int16_t yakutoshi;
};
constexpr SexAges SON_AGES { 28, 30, 33, YAKUTOSHI_AGE_MAN };
constexpr SexAges DAUGHTER_AGES { 26, 28, 31, YAKUTOSHI_AGE_WOMAN };

} // namespace

CoupleDefaults coupleDefaults(CoupleSection section)
{
    switch (section) {
    case CoupleSection::ST2:
        return { 1964, RETIRE_AGE, 1967, RETIRE_AGE, 1993 };
    case CoupleSection::ST4:
        return { 1938, RETIRE_AGE, 1940, RETIRE_AGE, 1963 };
    case CoupleSection::ST5:
        return { 1925, RETIRE_AGE, 1938, RETIRE_AGE, 1965 };
    }
    throw std::out_of_range("couple section " + std::to_string(sectionNumber(section)));
}

const std::array<const char*, RELATIONSHIP_LABEL_COUNT>& relationshipLabels()
{
    return RELATIONSHIP_LABELS;
}

ChildSex sexOfLabel(std::string_view label)
{
    for (int i = FIRST_SON_LABEL; i < FIRST_DAUGHTER_LABEL; ++i) {
        if (label == RELATIONSHIP_LABELS[static_cast<size_t>(i)])
            return ChildSex::Son;
    }
    return ChildSex::Daughter;
}

std::optional<ChildSex> sexOfCode(int code)
{
    if (code < FIRST_RELATIONSHIP_CODE || code > LAST_RELATIONSHIP_CODE)
        return std::nullopt;
    return code % 2 == 1 ? ChildSex::Daughter : ChildSex::Son;
}

std::string relationshipLabel(int code)
{
    const std::optional<ChildSex> sex = sexOfCode(code);
    if (!sex)
        return {};
    // Codes 1, 2 are the first daughter and son, 3, 4 the second ones, and so on.
    const int rank = (code - 1) / 2;
    const int first = *sex == ChildSex::Son ? FIRST_SON_LABEL : FIRST_DAUGHTER_LABEL;
    return RELATIONSHIP_LABELS[static_cast<size_t>(first + rank)];
}

ChildAges defaultChildAges(ChildSex sex)
{
    const SexAges& bySex = sex == ChildSex::Son ? SON_AGES : DAUGHTER_AGES;
    return {
        4, 6, 12, 15, 18, 20, 22, bySex.marriage, bySex.firstChild, bySex.secondChild, bySex.yakutoshi, RETIRE_AGE
    };
}

int16_t childAge(const ChildAges& ages, int mtx1Column)
{
    return ages.at(static_cast<size_t>(mtx1Column - MTX1_KINDERGARTEN));
}

} // namespace harukaze

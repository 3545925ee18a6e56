// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/MoneySettings.h"

#include <tuple>

namespace harukaze {

namespace {

struct SchoolWord
{
    SchoolChoice choice;
    const char* word;
};
const std::array<SchoolWord, 3> SCHOOL_WORDS { {
    { SchoolChoice::Public, "公立" },
    { SchoolChoice::Private, "私立" },
    { SchoolChoice::None, "なし" },
} };

struct UniversityWord
{
    UniversityChoice choice;
    const char* word;
};
const std::array<UniversityWord, 7> UNIVERSITY_WORDS { {
    { UniversityChoice::National, "国立" },
    { UniversityChoice::Public, "公立" },
    { UniversityChoice::PrivateHumanities, "私立文系" },
    { UniversityChoice::PrivateScience, "私立理系" },
    { UniversityChoice::PrivateMedical, "私立医歯" },
    { UniversityChoice::JuniorCollege, "短大" },
    { UniversityChoice::None, "なし" },
} };

auto scalars(const MoneySettings& s)
{
    return std::tie(s.savingsStart,
        s.savingsBasis,
        s.investRate,
        s.husbandIncome,
        s.husbandIncomeRate,
        s.wifeIncome,
        s.wifeIncomeRate,
        s.husbandSeverance,
        s.wifeSeverance,
        s.husbandReemployIncome,
        s.husbandReemployEndAge,
        s.wifeReemployIncome,
        s.wifeReemployEndAge,
        s.husbandPension,
        s.husbandPensionAge,
        s.wifePension,
        s.wifePensionAge,
        s.pensionRate,
        s.living,
        s.livingRate,
        s.housing,
        s.housingRate,
        s.housingEndYear,
        s.insurance,
        s.insuranceEndYear,
        s.other,
        s.otherRate,
        s.educationRate,
        s.careHusbandParents,
        s.careWifeParents,
        s.careMonthly,
        s.careOnce);
}

} // namespace

const char* savingsBasisWord(SavingsBasis basis)
{
    return basis == SavingsBasis::YearStart ? "年初" : "年末";
}

std::optional<SavingsBasis> savingsBasisFromWord(const std::string& word)
{
    if (word == "年末")
        return SavingsBasis::YearEnd;
    if (word == "年初")
        return SavingsBasis::YearStart;
    return std::nullopt;
}

SchoolChoice ChildEducation::school(EducationStage stage) const
{
    switch (stage) {
    case EducationStage::Kindergarten:
        return kindergarten;
    case EducationStage::Elementary:
        return elementary;
    case EducationStage::JuniorHigh:
        return juniorHigh;
    case EducationStage::HighSchool:
        return highSchool;
    case EducationStage::University:
        break;
    }
    return SchoolChoice::Public;
}

void ChildEducation::setSchool(EducationStage stage, SchoolChoice choice)
{
    switch (stage) {
    case EducationStage::Kindergarten:
        kindergarten = choice;
        break;
    case EducationStage::Elementary:
        elementary = choice;
        break;
    case EducationStage::JuniorHigh:
        juniorHigh = choice;
        break;
    case EducationStage::HighSchool:
        highSchool = choice;
        break;
    case EducationStage::University:
        break;
    }
}

bool operator==(const ChildEducation& a, const ChildEducation& b)
{
    return a.kindergarten == b.kindergarten && a.elementary == b.elementary && a.juniorHigh == b.juniorHigh
        && a.highSchool == b.highSchool && a.university == b.university;
}

bool operator==(const MoneyEntry& a, const MoneyEntry& b)
{
    return a.year == b.year && a.amount == b.amount && a.label == b.label;
}

bool operator==(const MoneySettings& a, const MoneySettings& b)
{
    return scalars(a) == scalars(b) && a.tax == b.tax && a.children == b.children && a.incomes == b.incomes
        && a.expenses == b.expenses && a.home == b.home && a.husbandPensionEstimate == b.husbandPensionEstimate
        && a.wifePensionEstimate == b.wifePensionEstimate && a.unknownLines == b.unknownLines;
}

const char* schoolChoiceWord(SchoolChoice choice)
{
    for (const SchoolWord& entry : SCHOOL_WORDS) {
        if (entry.choice == choice)
            return entry.word;
    }
    return "";
}

const char* universityChoiceWord(UniversityChoice choice)
{
    for (const UniversityWord& entry : UNIVERSITY_WORDS) {
        if (entry.choice == choice)
            return entry.word;
    }
    return "";
}

std::optional<SchoolChoice> schoolChoiceFromWord(const std::string& word)
{
    for (const SchoolWord& entry : SCHOOL_WORDS) {
        if (word == entry.word)
            return entry.choice;
    }
    return std::nullopt;
}

std::optional<UniversityChoice> universityChoiceFromWord(const std::string& word)
{
    for (const UniversityWord& entry : UNIVERSITY_WORDS) {
        if (word == entry.word)
            return entry.choice;
    }
    return std::nullopt;
}

void removeChildEducation(MoneySettings& settings, int child)
{
    const int count = static_cast<int>(settings.children.size());
    if (child < 1 || child > count)
        return;
    for (int c = child; c < count; ++c)
        settings.children[static_cast<size_t>(c - 1)] = settings.children[static_cast<size_t>(c)];
    settings.children.back() = ChildEducation {};
}

std::vector<MoneyEntry> presentEntries(const std::array<std::optional<MoneyEntry>, MAX_MONEY_ENTRIES>& entries)
{
    std::vector<MoneyEntry> present;
    for (const std::optional<MoneyEntry>& entry : entries) {
        if (entry)
            present.push_back(*entry);
    }
    return present;
}

void setEntries(std::array<std::optional<MoneyEntry>, MAX_MONEY_ENTRIES>& list, const std::vector<MoneyEntry>& entries)
{
    for (size_t i = 0; i < list.size(); ++i)
        list[i] = i < entries.size() ? std::optional<MoneyEntry>(entries[i]) : std::nullopt;
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/PlanComparison.h"

#include "core/io/Cp932.h"
#include "core/io/CsvWriter.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"
#include "core/table/TableBuilder.h"
#include "core/table/TableMembers.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace harukaze {

namespace {

const std::array<const char*, INDICATORS> INDICATOR_LABELS {
    "最小の貯蓄残高",
    "最小の年",
    "初めてマイナスになる年",
    "世帯主65歳の貯蓄残高",
    "世帯主75歳の貯蓄残高",
    "世帯主90歳の貯蓄残高",
    "最終年の貯蓄残高",
    "収入の合計",
    "支出の合計",
    "教育費の合計",
    "介護費の合計",
};

const char* const NO_YEAR = "なし";

// The shown figures of a money row, read from its texts; zeros when the table has no such row.
std::array<int64_t, TABLE_YEARS> shownRow(const CashFlowTable& table, MoneyRow money)
{
    std::array<int64_t, TABLE_YEARS> values {};
    const auto found = std::find_if(table.rows.begin(), table.rows.end(), [money](const CashFlowRow& row) {
        return row.kind == CashFlowRowKind::Money && row.money == money;
    });
    if (found == table.rows.end())
        return values;
    for (size_t n = 0; n < values.size(); ++n)
        values[n] = shownManYen(found->cells[n]).value_or(0);
    return values;
}

// The 西暦 texts of the table's years.
std::array<std::string, TABLE_YEARS> yearTexts(const CashFlowTable& table)
{
    const auto found = std::find_if(table.rows.begin(), table.rows.end(), [](const CashFlowRow& row) {
        return row.kind == CashFlowRowKind::Year && row.label == "西暦";
    });
    std::array<std::string, TABLE_YEARS> years;
    for (int n = 0; n < TABLE_YEARS; ++n)
        years[static_cast<size_t>(n)]
            = found != table.rows.end() ? found->cells[static_cast<size_t>(n)] : std::to_string(table.y0 + n);
    return years;
}

IndicatorValue amount(int64_t man)
{
    return { man, std::to_string(man) };
}

IndicatorValue year(const std::array<std::string, TABLE_YEARS>& years, int y0, size_t n)
{
    return { y0 + static_cast<int64_t>(n), years[n] };
}

int64_t sum(const std::array<int64_t, TABLE_YEARS>& values)
{
    int64_t total = 0;
    for (int64_t value : values)
        total += value;
    return total;
}

// The birth year of the 世帯主: the husband when the table has his column, else the wife.
std::optional<int> headBirthYear(const FamilyPlan& plan)
{
    const std::vector<TableMember> members = tableMembers(plan);
    for (MemberKind kind : { MemberKind::Husband, MemberKind::Wife }) {
        const auto found = std::find_if(
            members.begin(), members.end(), [kind](const TableMember& member) { return member.kind == kind; });
        if (found != members.end())
            return memberBirthYear(plan, *found);
    }
    return std::nullopt;
}

} // namespace

const char* indicatorLabel(Indicator indicator)
{
    return INDICATOR_LABELS[static_cast<size_t>(indicator)];
}

bool isYearIndicator(Indicator indicator)
{
    return indicator == Indicator::LowestSavingsYear || indicator == Indicator::FirstNegativeYear;
}

std::optional<int64_t> shownManYen(const std::string& text)
{
    const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (first == text.size() || text.size() - first > 18)
        return std::nullopt;
    int64_t value = 0;
    for (size_t i = first; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return first == 1 ? -value : value;
}

std::array<IndicatorValue, INDICATORS> planIndicators(const FamilyPlan& plan, const CashFlowTable& table)
{
    std::array<IndicatorValue, INDICATORS> result;
    auto set = [&result](Indicator indicator, IndicatorValue value) {
        result[static_cast<size_t>(indicator)] = std::move(value);
    };
    const std::array<std::string, TABLE_YEARS> years = yearTexts(table);
    const std::array<int64_t, TABLE_YEARS> savings = shownRow(table, MoneyRow::Savings);

    // The first of the lowest years wins: min_element keeps the first of equal values.
    const size_t lowest = static_cast<size_t>(std::min_element(savings.begin(), savings.end()) - savings.begin());
    set(Indicator::LowestSavings, amount(savings[lowest]));
    set(Indicator::LowestSavingsYear, year(years, table.y0, lowest));

    const auto negative = std::find_if(savings.begin(), savings.end(), [](int64_t man) { return man < 0; });
    set(Indicator::FirstNegativeYear,
        negative == savings.end() ? IndicatorValue { std::nullopt, NO_YEAR }
                                  : year(years, table.y0, static_cast<size_t>(negative - savings.begin())));

    const std::optional<int> birthYear = headBirthYear(plan);
    const std::pair<Indicator, int> ages[] = {
        { Indicator::SavingsAt65, 65 },
        { Indicator::SavingsAt75, 75 },
        { Indicator::SavingsAt90, 90 },
    };
    for (const auto& [indicator, age] : ages) {
        // The year Y with Y - birth year = age lies n = birth year + age - Y0 years into the table.
        const int64_t n = birthYear ? static_cast<int64_t>(*birthYear) + age - table.y0 : -1;
        if (birthYear && n >= 0 && n < TABLE_YEARS)
            set(indicator, amount(savings[static_cast<size_t>(n)]));
    }

    set(Indicator::FinalSavings, amount(savings.back()));
    set(Indicator::IncomeSum, amount(sum(shownRow(table, MoneyRow::IncomeTotal))));
    set(Indicator::ExpenseSum, amount(sum(shownRow(table, MoneyRow::ExpenseTotal))));
    set(Indicator::EducationSum, amount(sum(shownRow(table, MoneyRow::Education))));
    set(Indicator::CareSum, amount(sum(shownRow(table, MoneyRow::Care))));
    return result;
}

ComparedPlan comparedPlan(const std::string& name, const FamilyPlan& plan, const TableContext& context)
{
    ComparedPlan compared;
    compared.name = name;
    compared.table = buildCashFlowTable(plan, context);
    compared.savings = shownRow(compared.table, MoneyRow::Savings);
    compared.indicators = planIndicators(plan, compared.table);
    return compared;
}

PlanComparison comparePlans(std::vector<ComparedPlan> plans)
{
    PlanComparison comparison;
    if (!plans.empty())
        comparison.years = yearTexts(plans.front().table);
    comparison.plans = std::move(plans);
    return comparison;
}

std::optional<int64_t> indicatorDifference(const PlanComparison& comparison, size_t plan, Indicator indicator)
{
    if (isYearIndicator(indicator) || plan == 0 || plan >= comparison.plans.size())
        return std::nullopt;
    const IndicatorValue& first = comparison.plans.front().at(indicator);
    const IndicatorValue& other = comparison.plans[plan].at(indicator);
    if (!first.number || !other.number)
        return std::nullopt;
    return *other.number - *first.number;
}

std::string planComparisonCsvBytes(const PlanComparison& comparison)
{
    std::string text;
    auto row = [&text](const std::string& head, const std::vector<std::string>& fields) {
        appendCsvField(text, head);
        for (const std::string& field : fields) {
            text += ',';
            appendCsvField(text, field);
        }
        text += "\r\n";
    };
    std::vector<std::string> fields;
    for (const ComparedPlan& plan : comparison.plans)
        fields.push_back(plan.name);
    row("項目", fields);
    for (int i = 0; i < INDICATORS; ++i) {
        fields.clear();
        for (const ComparedPlan& plan : comparison.plans)
            fields.push_back(plan.indicators[static_cast<size_t>(i)].text);
        row(indicatorLabel(static_cast<Indicator>(i)), fields);
    }
    for (size_t n = 0; n < comparison.years.size(); ++n) {
        fields.clear();
        for (const ComparedPlan& plan : comparison.plans)
            fields.push_back(std::to_string(plan.savings[n]));
        row(comparison.years[n], fields);
    }
    return utf8ToCp932(text);
}

std::string planFileNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool readComparedPlan(const std::string& path, FamilyPlan& plan, std::string* error, MoneySectionCut* cut)
{
    REC_CLEAR(plan);
    if (!cp932Available(error))
        return false;
    // The 300 lines are large: they live on the heap, as the Open command keeps them.
    auto lines = std::make_unique<FileLines>();
    std::vector<std::string> trailing;
    if (!FILE_IN(path, *lines, error, &trailing, cut))
        return false;
    parsePlanFileLines(*lines, plan);
    parseMoneySection(trailing, plan, cut);
    return true;
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/CashFlow.h"

#include "core/io/Cp932.h"
#include "core/io/CsvWriter.h"
#include "core/io/SaveFile.h"
#include "core/money/EducationCosts.h"
#include "core/money/Pension.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/TableBuilder.h"

namespace harukaze {

namespace {

const std::array<const char*, MONEY_ROWS> MONEY_ROW_LABELS {
    "夫の収入",
    "妻の収入",
    "退職金",
    "年金",
    "一時的収入",
    "収入合計",
    "基本生活費",
    "住居費",
    "保険料",
    "その他支出",
    "教育費",
    "介護費",
    "一時的支出",
    "支出合計",
    "年間収支",
    "貯蓄残高",
};

constexpr int MONTHS = 12;
constexpr int KINDERGARTEN_DEFAULT_YEARS = 2;
constexpr int ELEMENTARY_YEARS = 6;
constexpr int JUNIOR_HIGH_YEARS = 3;
constexpr int HIGH_SCHOOL_YEARS = 3;

bool isYes(int16_t flag)
{
    return flag == 1;
}

// Divides by 1000 and rounds to the nearest whole number, halves away from zero.
int64_t roundThousandths(__int128 value)
{
    __int128 quotient = value / 1000;
    const __int128 remainder = value % 1000;
    if (remainder >= 500)
        ++quotient;
    else if (remainder <= -500)
        --quotient;
    return static_cast<int64_t>(quotient);
}

// One spouse's pay, severance and pension rows.
struct Spouse
{
    bool inTable;
    int birthYear;
    int retireAge; // R; 0 or less: never retires
    int income;
    int incomeRate;
    int severance;
    int reemployIncome;
    int reemployEndAge;
    int pension;
    int pensionAge;
    MoneyRow incomeRow;
};

void addSpouse(CashFlowFigures& figures, const Spouse& spouse, int pensionRate, int y0)
{
    if (!spouse.inTable)
        return;
    const int R = spouse.retireAge;
    int64_t pay = tenthsToYen(spouse.income);
    int64_t pension = tenthsToYen(spouse.pension);
    for (int n = 0; n < TABLE_YEARS; ++n) {
        if (n > 0) {
            pay = growOneYear(pay, spouse.incomeRate);
            pension = growOneYear(pension, pensionRate);
        }
        const int age = y0 + n - spouse.birthYear;
        if (R <= 0 || age < R)
            figures.at(spouse.incomeRow, n) = pay;
        else if (age < spouse.reemployEndAge)
            figures.at(spouse.incomeRow, n) = tenthsToYen(spouse.reemployIncome);
        if (R > 0 && age == R)
            figures.at(MoneyRow::Severance, n) += tenthsToYen(spouse.severance);
        if (age >= spouse.pensionAge)
            figures.at(MoneyRow::Pension, n) += pension;
    }
}

// A yearly amount that grows from the first year on, paid while `paid(year)` holds.
template <typename Paid>
void addGrowing(CashFlowFigures& figures, MoneyRow row, int tenths, int rate, int y0, Paid paid)
{
    int64_t amount = tenthsToYen(tenths);
    for (int n = 0; n < TABLE_YEARS; ++n) {
        if (n > 0)
            amount = growOneYear(amount, rate);
        if (paid(y0 + n))
            figures.at(row, n) = amount;
    }
}

void addEntries(CashFlowFigures& figures,
    MoneyRow row,
    const std::array<std::optional<MoneyEntry>, MAX_MONEY_ENTRIES>& entries,
    int y0)
{
    for (const std::optional<MoneyEntry>& entry : entries) {
        if (!entry)
            continue;
        const int n = entry->year - y0;
        if (n >= 0 && n < TABLE_YEARS)
            figures.at(row, n) += tenthsToYen(entry->amount);
    }
}

// One stage of a child's schooling: the entry age, the years and the cost.
void addStage(
    CashFlowFigures& figures, int birthYear, int entryAge, int years, const EducationCost& cost, int rate, int y0)
{
    if (entryAge <= 0 || (cost.perYear == 0 && cost.entrance == 0))
        return;
    for (int n = 0; n < TABLE_YEARS; ++n) {
        const int age = y0 + n - birthYear;
        if (age < entryAge || age >= entryAge + years)
            continue;
        // One rounding sequence per stage-year: the year's fee grown from the first year of the table.
        const int64_t base = cost.perYear + (age == entryAge ? cost.entrance : 0);
        figures.at(MoneyRow::Education, n) += grow(base, rate, n);
    }
}

void addChild(
    CashFlowFigures& figures, const FamilyPlan& plan, int kid, const ChildEducation& choices, int rate, int y0)
{
    const int birthYear = plan.mtx1(kid, MTX1_BIRTH_YEAR);
    const int K = plan.mtx1(kid, MTX1_KINDERGARTEN);
    const int E = plan.mtx1(kid, MTX1_ELEMENTARY);
    const int kindergartenYears = E > K ? E - K : KINDERGARTEN_DEFAULT_YEARS;
    addStage(figures,
        birthYear,
        K,
        kindergartenYears,
        schoolCost(EducationStage::Kindergarten, choices.kindergarten),
        rate,
        y0);
    addStage(
        figures, birthYear, E, ELEMENTARY_YEARS, schoolCost(EducationStage::Elementary, choices.elementary), rate, y0);
    addStage(figures,
        birthYear,
        plan.mtx1(kid, MTX1_JUNIOR_HIGH),
        JUNIOR_HIGH_YEARS,
        schoolCost(EducationStage::JuniorHigh, choices.juniorHigh),
        rate,
        y0);
    addStage(figures,
        birthYear,
        plan.mtx1(kid, MTX1_HIGH_SCHOOL),
        HIGH_SCHOOL_YEARS,
        schoolCost(EducationStage::HighSchool, choices.highSchool),
        rate,
        y0);
    addStage(figures,
        birthYear,
        plan.mtx1(kid, MTX1_UNIVERSITY),
        universityYears(choices.university),
        universityCost(choices.university),
        rate,
        y0);
}

// 介護 of one parent: the two years before the age at death L the parent's column uses.
void addCare(CashFlowFigures& figures, int birthYear, int L, const MoneySettings& settings, int y0)
{
    const int64_t yearly = tenthsToYen(settings.careMonthly) * MONTHS;
    for (int n = 0; n < TABLE_YEARS; ++n) {
        const int age = y0 + n - birthYear;
        if (age == L - 2)
            figures.at(MoneyRow::Care, n) += yearly + tenthsToYen(settings.careOnce);
        else if (age == L - 1)
            figures.at(MoneyRow::Care, n) += yearly;
    }
}

void sumRows(CashFlowFigures& figures, MoneyRow total, MoneyRow first, MoneyRow last, int n)
{
    int64_t sum = 0;
    for (int row = static_cast<int>(first); row <= static_cast<int>(last); ++row)
        sum += figures.at(static_cast<MoneyRow>(row), n);
    figures.at(total, n) = sum;
}

std::string rateText(int tenths)
{
    std::string text = tenths < 0 ? "-" : "";
    const int magnitude = tenths < 0 ? -tenths : tenths;
    return text + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10) + "%";
}

// The rate cell of a money row; empty for rows without a rate.
std::string rateCell(MoneyRow row, const MoneySettings& settings)
{
    switch (row) {
    case MoneyRow::HusbandIncome:
        return rateText(settings.husbandIncomeRate);
    case MoneyRow::WifeIncome:
        return rateText(settings.wifeIncomeRate);
    case MoneyRow::Pension:
        return rateText(settings.pensionRate);
    case MoneyRow::Living:
        return rateText(settings.livingRate);
    case MoneyRow::Housing:
        return rateText(settings.housingRate);
    case MoneyRow::Other:
        return rateText(settings.otherRate);
    case MoneyRow::Education:
        return rateText(settings.educationRate);
    case MoneyRow::Savings:
        return rateText(settings.investRate);
    default:
        return std::string();
    }
}

// The age at the start of a member cell ("05", "-03", "105"); the events follow it, each with its
// own leading space.
size_t ageTextLength(const std::string& cell)
{
    size_t end = cell.empty() || cell[0] != '-' ? 0 : 1;
    while (end < cell.size() && cell[end] >= '0' && cell[end] <= '9')
        ++end;
    return end;
}

std::string plainAge(const std::string& ageText)
{
    const bool negative = !ageText.empty() && ageText[0] == '-';
    const size_t first = ageText.find_first_not_of('0', negative ? 1 : 0);
    if (first == std::string::npos)
        return "0";
    return (negative ? "-" : "") + ageText.substr(first);
}

} // namespace

const char* moneyRowLabel(MoneyRow row)
{
    return MONEY_ROW_LABELS[static_cast<size_t>(row)];
}

int64_t growOneYear(int64_t yen, int rateTenths)
{
    return roundThousandths(static_cast<__int128>(yen) * (1000 + rateTenths));
}

int64_t grow(int64_t yen, int rateTenths, int years)
{
    for (int i = 0; i < years; ++i)
        yen = growOneYear(yen, rateTenths);
    return yen;
}

CashFlowFigures computeCashFlow(const FamilyPlan& plan, const MoneySettings& settings, const TableContext& context)
{
    CashFlowFigures figures;
    const int y0 = context.y0;

    addSpouse(figures,
        { isYes(plan.ST1_HUSBAND),
            plan.ST2_HUSBAND_BIRTH_YEAR,
            plan.ST2_HUSBAND_RETIRE_AGE,
            settings.husbandIncome,
            settings.husbandIncomeRate,
            settings.husbandSeverance,
            settings.husbandReemployIncome,
            settings.husbandReemployEndAge,
            settings.husbandPensionEstimate.estimates() ? 0 : settings.husbandPension,
            settings.husbandPensionAge,
            MoneyRow::HusbandIncome },
        settings.pensionRate,
        y0);
    addSpouse(figures,
        { isYes(plan.ST1_WIFE),
            plan.ST2_WIFE_BIRTH_YEAR,
            plan.ST2_WIFE_RETIRE_AGE,
            settings.wifeIncome,
            settings.wifeIncomeRate,
            settings.wifeSeverance,
            settings.wifeReemployIncome,
            settings.wifeReemployEndAge,
            settings.wifePensionEstimate.estimates() ? 0 : settings.wifePension,
            settings.wifePensionAge,
            MoneyRow::WifeIncome },
        settings.pensionRate,
        y0);
    // A spouse in an estimate mode: the estimate of each year at the data year's level, grown.
    for (const bool wife : { false, true }) {
        if (const auto years = estimatedPensionYears(plan, settings, y0, wife)) {
            for (int n = 0; n < TABLE_YEARS; ++n)
                figures.at(MoneyRow::Pension, n) += grow((*years)[static_cast<size_t>(n)], settings.pensionRate, n);
        }
    }
    addEntries(figures, MoneyRow::OneTimeIncome, settings.incomes, y0);

    addGrowing(figures, MoneyRow::Living, settings.living, settings.livingRate, y0, [](int) { return true; });
    addGrowing(figures, MoneyRow::Housing, settings.housing, settings.housingRate, y0, [&settings](int year) {
        return settings.housingEndYear == 0 || year <= settings.housingEndYear;
    });
    addGrowing(figures, MoneyRow::Insurance, settings.insurance, 0, y0, [&settings](int year) {
        return settings.insuranceEndYear == 0 || year <= settings.insuranceEndYear;
    });
    addGrowing(figures, MoneyRow::Other, settings.other, settings.otherRate, y0, [](int) { return true; });

    // The children are the table's child columns.
    if (isYes(plan.ST1_CHILDREN)) {
        const int children = plan.plannedChildren();
        for (int kid = 1; kid <= children; ++kid)
            addChild(figures, plan, kid, settings.children[static_cast<size_t>(kid - 1)], settings.educationRate, y0);
    }

    // The parents are the table's parent columns; their ages at death are the ones the table uses.
    const TableBuilder builder(plan, context, nullptr);
    struct Parent
    {
        ParentCode SEX;
        int16_t inTable;
        bool paid;
        int birthYear;
    };
    const Parent parents[] = {
        { ParentCode::HusbandFather,
            plan.ST1_HUSBAND_FATHER,
            isYes(static_cast<int16_t>(settings.careHusbandParents)),
            plan.ST4_FATHER_BIRTH_YEAR },
        { ParentCode::HusbandMother,
            plan.ST1_HUSBAND_MOTHER,
            isYes(static_cast<int16_t>(settings.careHusbandParents)),
            plan.ST4_MOTHER_BIRTH_YEAR },
        { ParentCode::WifeFather,
            plan.ST1_WIFE_FATHER,
            isYes(static_cast<int16_t>(settings.careWifeParents)),
            plan.ST5_FATHER_BIRTH_YEAR },
        { ParentCode::WifeMother,
            plan.ST1_WIFE_MOTHER,
            isYes(static_cast<int16_t>(settings.careWifeParents)),
            plan.ST5_MOTHER_BIRTH_YEAR },
    };
    for (const Parent& parent : parents) {
        if (isYes(parent.inTable) && parent.paid)
            addCare(figures, parent.birthYear, builder.parentAgeAtDeath(parent.SEX), settings, y0);
    }

    addEntries(figures, MoneyRow::OneTimeExpense, settings.expenses, y0);

    int64_t savings = tenthsToYen(settings.savingsStart);
    for (int n = 0; n < TABLE_YEARS; ++n) {
        sumRows(figures, MoneyRow::IncomeTotal, MoneyRow::HusbandIncome, MoneyRow::OneTimeIncome, n);
        sumRows(figures, MoneyRow::ExpenseTotal, MoneyRow::Living, MoneyRow::OneTimeExpense, n);
        const int64_t balance = figures.at(MoneyRow::IncomeTotal, n) - figures.at(MoneyRow::ExpenseTotal, n);
        figures.at(MoneyRow::Balance, n) = balance;
        // Last year's savings earn a year's return (a debt costs the same rate), then the year's balance.
        savings = growOneYear(savings, settings.investRate) + balance;
        figures.at(MoneyRow::Savings, n) = savings;
    }
    return figures;
}

CashFlowTable buildCashFlowTable(const FamilyPlan& plan, const TableContext& context)
{
    const MoneySettings defaults;
    const MoneySettings& settings = plan.money ? *plan.money : defaults;

    CashFlowTable table;
    table.y0 = context.y0;
    table.hasMoneySettings = plan.money.has_value();
    table.figures = computeCashFlow(plan, settings, context);

    const TableModel model = buildLifeCycleTable(plan, context, nullptr);

    CashFlowRow elapsed { CashFlowRowKind::Year, "経過年数", "", {} };
    CashFlowRow western { CashFlowRowKind::Year, "西暦", "", {} };
    CashFlowRow era { CashFlowRowKind::Year, "和暦", "", {} };
    for (int n = 0; n < TABLE_YEARS; ++n) {
        elapsed.cells[static_cast<size_t>(n)] = std::to_string(n);
        western.cells[static_cast<size_t>(n)] = model.text(TABLE_FIXED_ROWS + n, 0);
        era.cells[static_cast<size_t>(n)] = model.text(TABLE_FIXED_ROWS + n, 1);
    }
    table.rows.push_back(std::move(elapsed));
    table.rows.push_back(std::move(western));
    table.rows.push_back(std::move(era));

    // The members in the life cycle table's column order, and each year's events after their ages.
    CashFlowRow events { CashFlowRowKind::Events, "家族のイベント", "", {} };
    for (int col = TABLE_FIXED_COLS; col < model.columnCount(); ++col) {
        CashFlowRow member { CashFlowRowKind::Member, model.text(0, col), "", {} };
        for (int n = 0; n < TABLE_YEARS; ++n) {
            const std::string& cell = model.text(TABLE_FIXED_ROWS + n, col);
            const size_t ageLength = ageTextLength(cell);
            member.cells[static_cast<size_t>(n)] = plainAge(cell.substr(0, ageLength));
            if (ageLength < cell.size()) {
                std::string& text = events.cells[static_cast<size_t>(n)];
                if (!text.empty())
                    text += "／";
                text += member.label + cell.substr(ageLength);
            }
        }
        table.rows.push_back(std::move(member));
    }
    table.rows.push_back(std::move(events));

    for (int r = 0; r < MONEY_ROWS; ++r) {
        const auto row = static_cast<MoneyRow>(r);
        CashFlowRow money { CashFlowRowKind::Money, moneyRowLabel(row), rateCell(row, settings), {} };
        for (int n = 0; n < TABLE_YEARS; ++n)
            money.cells[static_cast<size_t>(n)] = formatManYen(table.figures.at(row, n));
        table.rows.push_back(std::move(money));
    }
    return table;
}

std::string formatManYen(int64_t yen)
{
    const int64_t magnitude = yen < 0 ? -yen : yen;
    const int64_t man = (magnitude + 5000) / 10000;
    if (man == 0)
        return "0";
    return (yen < 0 ? "-" : "") + std::to_string(man);
}

std::string cashFlowCsvBytes(const CashFlowTable& table)
{
    std::string text;
    for (const CashFlowRow& row : table.rows) {
        appendCsvField(text, row.label);
        text += ',';
        appendCsvField(text, row.rate);
        for (const std::string& cell : row.cells) {
            text += ',';
            appendCsvField(text, cell);
        }
        text += "\r\n";
    }
    return utf8ToCp932(text);
}

bool writeCashFlowCsv(const std::string& path, const CashFlowTable& table, std::string* error)
{
    return saveFileAtomically(path, cashFlowCsvBytes(table), error);
}

} // namespace harukaze

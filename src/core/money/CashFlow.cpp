// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/CashFlow.h"

#include "core/io/Cp932.h"
#include "core/io/CsvWriter.h"
#include "core/io/SaveFile.h"
#include "core/money/EducationCosts.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/TableBuilder.h"

#include <algorithm>

namespace harukaze {

namespace {

struct RowInfo
{
    const char* label;
    MoneyRowRole role;
    bool base;
};

const std::array<RowInfo, MONEY_ROW_KINDS> ROWS { {
    { "夫の収入", MoneyRowRole::Income, true },
    { "妻の収入", MoneyRowRole::Income, true },
    { "退職金", MoneyRowRole::Income, true },
    { "年金", MoneyRowRole::Income, true },
    { "一時的収入", MoneyRowRole::Income, true },
    { "住宅ローン控除", MoneyRowRole::Income, false },
    { "収入合計", MoneyRowRole::Computed, true },
    { "可処分所得", MoneyRowRole::Computed, false },
    { "所得税", MoneyRowRole::Expense, false },
    { "住民税", MoneyRowRole::Expense, false },
    { "社会保険料", MoneyRowRole::Expense, false },
    { "基本生活費", MoneyRowRole::Expense, true },
    { "住居費", MoneyRowRole::Expense, true },
    { "住宅ローン", MoneyRowRole::Expense, false },
    { "保険料", MoneyRowRole::Expense, true },
    { "その他支出", MoneyRowRole::Expense, true },
    { "教育費", MoneyRowRole::Expense, true },
    { "介護費", MoneyRowRole::Expense, true },
    { "一時的支出", MoneyRowRole::Expense, true },
    { "支出合計", MoneyRowRole::Computed, true },
    { "年間収支", MoneyRowRole::Computed, true },
    { "貯蓄残高", MoneyRowRole::Computed, true },
    { "ローン残高", MoneyRowRole::Outside, false },
} };

constexpr int MONTHS = 12;
constexpr int KINDERGARTEN_DEFAULT_YEARS = 2;
constexpr int ELEMENTARY_YEARS = 6;
constexpr int JUNIOR_HIGH_YEARS = 3;
constexpr int HIGH_SCHOOL_YEARS = 3;
constexpr int64_t YEN_PER_MAN = 10000;
constexpr int GROWTH_DENOMINATOR = 1000;

const RowInfo& info(MoneyRow row)
{
    return ROWS[static_cast<size_t>(row)];
}

// 1000^n, the denominator of year n, and 1000^n × 10000 (yen to 万円), n = 0 .. 50, with their
// halves (both are even from n = 1 and for 万円 always; 1000^0 = 1 has no half and needs none).
struct Denominators
{
    std::array<ExactYen, TABLE_YEARS> year;
    std::array<ExactYen, TABLE_YEARS> man;
    std::array<ExactYen, TABLE_YEARS> halfYear;
    std::array<ExactYen, TABLE_YEARS> halfMan;

    Denominators()
    {
        ExactYen power = 1;
        for (size_t n = 0; n < year.size(); ++n) {
            year[n] = power;
            man[n] = power * YEN_PER_MAN;
            halfYear[n] = power / 2;
            halfMan[n] = man[n] / 2;
            power *= GROWTH_DENOMINATOR;
        }
    }
};

const Denominators& denominators()
{
    static const Denominators values;
    return values;
}

// numerator / denominator (> 0) to the nearest whole number, halves away from zero. `half` is
// denominator / 2 rounded down; for an odd denominator (only 1) no remainder reaches it.
int64_t roundDivide(const ExactYen& numerator, const ExactYen& denominator, const ExactYen& half)
{
    if (numerator.is_zero())
        return 0;
    const bool negative = numerator.sign() < 0;
    ExactYen quotient;
    ExactYen remainder;
    boost::multiprecision::divide_qr(negative ? ExactYen(-numerator) : numerator, denominator, quotient, remainder);
    auto whole = quotient.convert_to<int64_t>();
    if (remainder >= half && !half.is_zero())
        ++whole;
    return negative ? -whole : whole;
}

int64_t roundDivide(int64_t numerator, int64_t denominator)
{
    const int64_t magnitude = numerator < 0 ? -numerator : numerator;
    int64_t quotient = magnitude / denominator;
    if ((magnitude % denominator) * 2 >= denominator)
        ++quotient;
    return numerator < 0 ? -quotient : quotient;
}

bool isYes(int paid)
{
    return paid == 1;
}

// One spouse's pay, severance and pension, exact, into `gross` and the base rows.
struct Spouse
{
    int income;
    int incomeRate;
    int severance;
    int reemployIncome;
    int reemployEndAge;
    int pension;
    int pensionAge;
    MoneyRow incomeRow;
};

void addSpouse(
    CashFlowLedger& ledger, SpouseGross& gross, const MemberFacts* facts, const Spouse& spouse, int pensionRate)
{
    if (facts == nullptr)
        return;
    gross.inTable = true;
    const int R = facts->retireAge;
    // Both grow from the first year: their numerators gain a factor (1000 + rate) a year.
    ExactYen pay = tenthsToYen(spouse.income);
    ExactYen pension = tenthsToYen(spouse.pension);
    for (int n = 0; n < TABLE_YEARS; ++n) {
        if (n > 0) {
            pay *= GROWTH_DENOMINATOR + spouse.incomeRate;
            pension *= GROWTH_DENOMINATOR + pensionRate;
        }
        const size_t year = static_cast<size_t>(n);
        const int age = facts->years[year].age;
        if (R <= 0 || age < R)
            gross.pay[year] = pay;
        else if (age < spouse.reemployEndAge)
            gross.pay[year] = flatYen(tenthsToYen(spouse.reemployIncome), n);
        if (R > 0 && age == R)
            gross.severance[year] = flatYen(tenthsToYen(spouse.severance), n);
        if (age >= spouse.pensionAge)
            gross.pension[year] = pension;
        ledger.add(spouse.incomeRow, n, gross.pay[year]);
        ledger.add(MoneyRow::Severance, n, gross.severance[year]);
        ledger.add(MoneyRow::Pension, n, gross.pension[year]);
    }
}

void addEntries(
    CashFlowLedger& ledger, MoneyRow row, const std::array<std::optional<MoneyEntry>, MAX_MONEY_ENTRIES>& entries)
{
    for (const std::optional<MoneyEntry>& entry : entries) {
        if (!entry)
            continue;
        const int n = entry->year - ledger.y0();
        if (n >= 0 && n < TABLE_YEARS)
            ledger.addYen(row, n, tenthsToYen(entry->amount));
    }
}

// One stage of a child's schooling: every stage year's fee grown exactly from the first year.
void addStage(
    CashFlowLedger& ledger, const MemberFacts& child, int entryAge, int years, const EducationCost& cost, int rate)
{
    if (entryAge <= 0 || (cost.perYear == 0 && cost.entrance == 0))
        return;
    for (int n = 0; n < TABLE_YEARS; ++n) {
        const int age = child.years[static_cast<size_t>(n)].age;
        if (age < entryAge || age >= entryAge + years)
            continue;
        ledger.addGrown(MoneyRow::Education, n, cost.perYear + (age == entryAge ? cost.entrance : 0), rate);
    }
}

void addChild(CashFlowLedger& ledger, const MemberFacts& child, const ChildEducation& choices, int rate)
{
    auto entry = [&child](SchoolStage stage) { return child.schoolEntryAges[static_cast<size_t>(stage)]; };
    const int K = entry(SchoolStage::Kindergarten);
    const int E = entry(SchoolStage::Elementary);
    addStage(ledger,
        child,
        K,
        E > K ? E - K : KINDERGARTEN_DEFAULT_YEARS,
        schoolCost(EducationStage::Kindergarten, choices.kindergarten),
        rate);
    addStage(ledger, child, E, ELEMENTARY_YEARS, schoolCost(EducationStage::Elementary, choices.elementary), rate);
    addStage(ledger,
        child,
        entry(SchoolStage::JuniorHigh),
        JUNIOR_HIGH_YEARS,
        schoolCost(EducationStage::JuniorHigh, choices.juniorHigh),
        rate);
    addStage(ledger,
        child,
        entry(SchoolStage::HighSchool),
        HIGH_SCHOOL_YEARS,
        schoolCost(EducationStage::HighSchool, choices.highSchool),
        rate);
    addStage(ledger,
        child,
        entry(SchoolStage::University),
        universityYears(choices.university),
        universityCost(choices.university),
        rate);
}

// 介護 of one parent: the two years before the age at death L the parent's column uses.
void addCare(CashFlowLedger& ledger, const MemberFacts& parent, const MoneySettings& settings)
{
    const int64_t yearly = tenthsToYen(settings.careMonthly) * MONTHS;
    const int L = parent.ageAtDeath;
    for (int n = 0; n < TABLE_YEARS; ++n) {
        const int age = parent.years[static_cast<size_t>(n)].age;
        if (age == L - 2)
            ledger.addYen(MoneyRow::Care, n, yearly + tenthsToYen(settings.careOnce));
        else if (age == L - 1)
            ledger.addYen(MoneyRow::Care, n, yearly);
    }
}

// A yearly amount that grows from the first year on, paid while `paid(year)` holds.
template <typename Paid>
void addGrowing(CashFlowLedger& ledger, MoneyRow row, int tenths, int rate, Paid paid)
{
    if (tenths == 0)
        return;
    for (int n = 0; n < TABLE_YEARS; ++n) {
        if (paid(ledger.y0() + n))
            ledger.addGrown(row, n, tenthsToYen(tenths), rate);
    }
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

} // namespace

const char* moneyRowLabel(MoneyRow row)
{
    return info(row).label;
}

MoneyRowRole moneyRowRole(MoneyRow row)
{
    return info(row).role;
}

bool isBaseMoneyRow(MoneyRow row)
{
    return info(row).base;
}

ExactYen flatYen(int64_t yen, int n)
{
    return yen * denominators().year.at(static_cast<size_t>(n));
}

ExactYen grownYen(int64_t yen, int rateTenths, int n)
{
    return yen * boost::multiprecision::pow(ExactYen(GROWTH_DENOMINATOR + rateTenths), static_cast<unsigned>(n));
}

int64_t roundToYen(const ExactYen& numerator, int n)
{
    const Denominators& d = denominators();
    const auto year = static_cast<size_t>(n);
    return roundDivide(numerator, d.year.at(year), d.halfYear.at(year));
}

int64_t roundToMan(const ExactYen& numerator, int n)
{
    const Denominators& d = denominators();
    const auto year = static_cast<size_t>(n);
    return roundDivide(numerator, d.man.at(year), d.halfMan.at(year));
}

CashFlowLedger::CashFlowLedger(int y0)
    : m_y0(y0)
{
    for (int r = 0; r < MONEY_ROW_KINDS; ++r)
        m_present[static_cast<size_t>(r)] = isBaseMoneyRow(static_cast<MoneyRow>(r));
}

void CashFlowLedger::include(MoneyRow row)
{
    m_present[static_cast<size_t>(row)] = true;
}

std::vector<MoneyRow> CashFlowLedger::rows() const
{
    std::vector<MoneyRow> present;
    for (int r = 0; r < MONEY_ROW_KINDS; ++r) {
        if (m_present[static_cast<size_t>(r)])
            present.push_back(static_cast<MoneyRow>(r));
    }
    return present;
}

std::vector<ExactYen>& CashFlowLedger::values(MoneyRow row)
{
    std::vector<ExactYen>& row51 = m_values[static_cast<size_t>(row)];
    if (row51.empty())
        row51.resize(TABLE_YEARS);
    return row51;
}

CashFlowLedger::GrownParts& CashFlowLedger::grownParts(MoneyRow row, int rateTenths)
{
    for (GrownParts& parts : m_grown) {
        if (parts.row == row && parts.rateTenths == rateTenths)
            return parts;
    }
    return m_grown.emplace_back(GrownParts { row, rateTenths, {} });
}

ExactYen CashFlowLedger::exact(MoneyRow row, int n) const
{
    const auto r = static_cast<size_t>(row);
    const auto year = static_cast<size_t>(n);
    ExactYen value = m_values[r].empty() ? ExactYen() : m_values[r].at(year);
    if (m_flat[r][year] != 0)
        value += flatYen(m_flat[r][year], n);
    for (const GrownParts& parts : m_grown) {
        if (parts.row == row && parts.yen[year] != 0)
            value += parts.yen[year] * power(parts.rateTenths, n);
    }
    return value;
}

int64_t CashFlowLedger::shownMan(MoneyRow row, int n) const
{
    const auto r = static_cast<size_t>(row);
    const auto year = static_cast<size_t>(n);
    // A year of whole yen only (one-time entries, 介護, a year without school) is rounded without
    // the numerators: the same value, as yen × 1000^n / (1000^n × 10000) = yen / 10000.
    bool wholeYen = m_values[r].empty() || m_values[r][year].is_zero();
    for (const GrownParts& parts : m_grown)
        wholeYen = wholeYen && (parts.row != row || parts.yen[year] == 0);
    if (wholeYen)
        return roundDivide(m_flat[r][year], YEN_PER_MAN);
    return roundToMan(exact(row, n), n);
}

void CashFlowLedger::add(MoneyRow row, int n, const ExactYen& numerator)
{
    include(row);
    if (!numerator.is_zero())
        values(row).at(static_cast<size_t>(n)) += numerator;
}

void CashFlowLedger::addYen(MoneyRow row, int n, int64_t yen)
{
    include(row);
    int64_t& slot = m_flat[static_cast<size_t>(row)].at(static_cast<size_t>(n));
    // Amounts are at most 99999.9万円 each, so a sum reaches int64's end only by misuse; then the
    // part goes to the numerators rather than wrap.
    if (__builtin_add_overflow(slot, yen, &slot))
        values(row).at(static_cast<size_t>(n)) += flatYen(yen, n);
}

void CashFlowLedger::addGrown(MoneyRow row, int n, int64_t yen, int rateTenths)
{
    if (rateTenths == 0) {
        addYen(row, n, yen); // (1000 + 0)^n / 1000^n = 1
        return;
    }
    include(row);
    if (yen == 0)
        return;
    int64_t& slot = grownParts(row, rateTenths).yen.at(static_cast<size_t>(n));
    if (__builtin_add_overflow(slot, yen, &slot))
        values(row).at(static_cast<size_t>(n)) += yen * power(rateTenths, n);
}

void CashFlowLedger::clear(MoneyRow row, int n)
{
    const auto r = static_cast<size_t>(row);
    const auto year = static_cast<size_t>(n);
    if (!m_values[r].empty())
        m_values[r].at(year) = 0;
    m_flat[r].at(year) = 0;
    for (GrownParts& parts : m_grown) {
        if (parts.row == row)
            parts.yen.at(year) = 0;
    }
}

const ExactYen& CashFlowLedger::power(int rateTenths, int n) const
{
    std::vector<ExactYen>& powers = m_powers[rateTenths];
    if (powers.empty()) {
        powers.resize(TABLE_YEARS);
        ExactYen power = 1;
        for (ExactYen& value : powers) {
            value = power;
            power *= GROWTH_DENOMINATOR + rateTenths;
        }
    }
    return powers.at(static_cast<size_t>(n));
}

bool CashFlowFigures::has(MoneyRow row) const
{
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

CashFlowLedger startCashFlow(const MoneySettings& settings, const TableModel& table)
{
    CashFlowLedger ledger(table.facts.firstYear);
    const TableFacts& facts = table.facts;

    addSpouse(ledger,
        ledger.husband,
        facts.find(MemberKind::Husband),
        { settings.husbandIncome,
            settings.husbandIncomeRate,
            settings.husbandSeverance,
            settings.husbandReemployIncome,
            settings.husbandReemployEndAge,
            settings.husbandPensionEstimate.estimates() ? 0 : settings.husbandPension,
            settings.husbandPensionAge,
            MoneyRow::HusbandIncome },
        settings.pensionRate);
    addSpouse(ledger,
        ledger.wife,
        facts.find(MemberKind::Wife),
        { settings.wifeIncome,
            settings.wifeIncomeRate,
            settings.wifeSeverance,
            settings.wifeReemployIncome,
            settings.wifeReemployEndAge,
            settings.wifePensionEstimate.estimates() ? 0 : settings.wifePension,
            settings.wifePensionAge,
            MoneyRow::WifeIncome },
        settings.pensionRate);
    addEntries(ledger, MoneyRow::OneTimeIncome, settings.incomes);

    addGrowing(ledger, MoneyRow::Living, settings.living, settings.livingRate, [](int) { return true; });
    addGrowing(ledger, MoneyRow::Housing, settings.housing, settings.housingRate, [&settings](int year) {
        return settings.housingEndYear == 0 || year <= settings.housingEndYear;
    });
    addGrowing(ledger, MoneyRow::Insurance, settings.insurance, 0, [&settings](int year) {
        return settings.insuranceEndYear == 0 || year <= settings.insuranceEndYear;
    });
    addGrowing(ledger, MoneyRow::Other, settings.other, settings.otherRate, [](int) { return true; });

    for (const MemberFacts& member : facts.members) {
        switch (member.member.kind) {
        case MemberKind::Child:
            addChild(ledger,
                member,
                settings.children.at(static_cast<size_t>(member.member.child - 1)),
                settings.educationRate);
            break;
        case MemberKind::Parent: {
            const bool husbandSide = member.member.parentCode == static_cast<int>(ParentCode::HusbandFather)
                || member.member.parentCode == static_cast<int>(ParentCode::HusbandMother);
            if (isYes(husbandSide ? settings.careHusbandParents : settings.careWifeParents))
                addCare(ledger, member, settings);
            break;
        }
        case MemberKind::Husband:
        case MemberKind::Wife:
            break;
        }
    }

    addEntries(ledger, MoneyRow::OneTimeExpense, settings.expenses);
    return ledger;
}

CashFlowFigures finishCashFlow(const CashFlowLedger& ledger, const MoneySettings& settings)
{
    CashFlowFigures figures;
    figures.rows = ledger.rows();
    auto shown = [&figures](MoneyRow row, int n) -> int64_t& {
        return figures.shown[static_cast<size_t>(row)][static_cast<size_t>(n)];
    };

    const int64_t factor = GROWTH_DENOMINATOR + settings.investRate;
    int64_t savings = 0;
    for (int n = 0; n < TABLE_YEARS; ++n) {
        int64_t income = 0;
        int64_t expense = 0;
        for (MoneyRow row : figures.rows) {
            const MoneyRowRole role = moneyRowRole(row);
            if (role == MoneyRowRole::Computed)
                continue;
            // The single rounding of the row's exact value; everything below adds shown figures.
            const int64_t man = ledger.shownMan(row, n);
            shown(row, n) = man;
            if (role == MoneyRowRole::Income)
                income += man;
            else if (role == MoneyRowRole::Expense)
                expense += man;
        }
        shown(MoneyRow::IncomeTotal, n) = income;
        shown(MoneyRow::ExpenseTotal, n) = expense;
        const int64_t balance = income - expense;
        shown(MoneyRow::Balance, n) = balance;
        if (ledger.includes(MoneyRow::Disposable)) {
            shown(MoneyRow::Disposable, n) = income - shown(MoneyRow::IncomeTax, n) - shown(MoneyRow::ResidentTax, n)
                - shown(MoneyRow::SocialInsurance, n);
        }

        // 前年末の貯蓄残高 × (1 + 運用利率) ± 年間収支, on the table's figures; a debt costs the same rate.
        if (n > 0)
            savings = roundDivide(savings * factor, GROWTH_DENOMINATOR) + balance;
        else if (settings.savingsBasis == SavingsBasis::YearEnd)
            savings = roundDivide(static_cast<int64_t>(settings.savingsStart), 10); // the balance as given
        else
            savings
                = roundDivide(static_cast<int64_t>(settings.savingsStart) * factor, GROWTH_DENOMINATOR * 10) + balance;
        shown(MoneyRow::Savings, n) = savings;
    }
    return figures;
}

CashFlowFigures computeCashFlow(const FamilyPlan& plan, const MoneySettings& settings, const TableModel& table)
{
    CashFlowLedger ledger = startCashFlow(settings, table);
    for (MoneyModule module : moneyModules())
        module(ledger, plan, settings, table);
    return finishCashFlow(ledger, settings);
}

int CashFlowTable::rowIndex(MoneyRow row) const
{
    for (size_t r = rows.size(); r-- > 0;) {
        if (rows[r].kind == CashFlowRowKind::Money && rows[r].money == row)
            return static_cast<int>(r);
    }
    return -1;
}

CashFlowTable buildCashFlowTable(const FamilyPlan& plan, const TableModel& model)
{
    const MoneySettings defaults;
    const MoneySettings& settings = plan.money ? *plan.money : defaults;

    CashFlowTable table;
    table.y0 = model.facts.firstYear;
    table.hasMoneySettings = plan.money.has_value();
    table.figures = computeCashFlow(plan, settings, model);
    table.rows.reserve(3 + model.facts.members.size() + 1 + table.figures.rows.size());

    // Each row is made in its place: a row holds 51 texts, too many to move about.
    auto addRow = [&table](CashFlowRowKind kind, std::string label) -> CashFlowRow& {
        CashFlowRow& row = table.rows.emplace_back();
        row.kind = kind;
        row.label = std::move(label);
        return row;
    };
    CashFlowRow& elapsed = addRow(CashFlowRowKind::Year, "経過年数");
    for (int n = 0; n < TABLE_YEARS; ++n)
        elapsed.cells[static_cast<size_t>(n)] = std::to_string(n);
    CashFlowRow& western = addRow(CashFlowRowKind::Year, "西暦");
    for (int n = 0; n < TABLE_YEARS; ++n)
        western.cells[static_cast<size_t>(n)] = model.text(TABLE_FIXED_ROWS + n, 0);
    CashFlowRow& era = addRow(CashFlowRowKind::Year, "和暦");
    for (int n = 0; n < TABLE_YEARS; ++n)
        era.cells[static_cast<size_t>(n)] = model.text(TABLE_FIXED_ROWS + n, 1);

    // The members in the life cycle table's column order, and each year's events after their ages.
    for (const MemberFacts& facts : model.facts.members) {
        CashFlowRow& member = addRow(CashFlowRowKind::Member, facts.label);
        for (size_t n = 0; n < facts.years.size(); ++n)
            member.cells[n] = std::to_string(facts.years[n].age);
    }
    CashFlowRow& events = addRow(CashFlowRowKind::Events, "家族のイベント");
    for (const MemberFacts& facts : model.facts.members) {
        for (size_t n = 0; n < facts.years.size(); ++n) {
            const std::string& happened = facts.years[n].events;
            if (happened.empty())
                continue;
            std::string& text = events.cells[n];
            if (!text.empty())
                text += "／";
            text.append(facts.label).append(happened);
        }
    }

    for (MoneyRow row : table.figures.rows) {
        CashFlowRow& money = addRow(CashFlowRowKind::Money, moneyRowLabel(row));
        money.rate = rateCell(row, settings);
        money.money = row;
        for (int n = 0; n < TABLE_YEARS; ++n)
            money.cells[static_cast<size_t>(n)] = formatMan(table.figures.man(row, n));
    }
    return table;
}

CashFlowTable buildCashFlowTable(const FamilyPlan& plan, const TableContext& context)
{
    return buildCashFlowTable(plan, buildLifeCycleTable(plan, context));
}

std::string formatMan(int64_t man)
{
    return std::to_string(man);
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

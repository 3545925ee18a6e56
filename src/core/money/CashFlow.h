// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/MoneySettings.h"
#include "core/table/TableModel.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace harukaze {

struct FamilyPlan;
struct TableContext;

/**
 * Every money row a cash-flow table can have, in the order the table shows them. Every table has
 * the sixteen base rows; the others are present only while the money module that fills them is in
 * use (the tax rows for 額面 income, the housing-loan rows for a loan).
 */
enum class MoneyRow {
    HusbandIncome, ///< 夫の収入
    WifeIncome, ///< 妻の収入
    Severance, ///< 退職金
    Pension, ///< 年金
    OneTimeIncome, ///< 一時的収入
    HousingLoanDeduction, ///< 住宅ローン控除 (module), counted in 収入合計
    IncomeTotal, ///< 収入合計
    Disposable, ///< 可処分所得 (module): 収入合計 − 所得税 − 住民税 − 社会保険料, in no total
    IncomeTax, ///< 所得税 (module), counted in 支出合計
    ResidentTax, ///< 住民税 (module), counted in 支出合計
    SocialInsurance, ///< 社会保険料 (module), counted in 支出合計
    Living, ///< 基本生活費
    Housing, ///< 住居費
    HousingLoan, ///< 住宅ローン (module), counted in 支出合計
    Insurance, ///< 保険料
    Other, ///< その他支出
    Education, ///< 教育費
    Care, ///< 介護費
    OneTimeExpense, ///< 一時的支出
    ExpenseTotal, ///< 支出合計
    Balance, ///< 年間収支
    Savings, ///< 貯蓄残高
    LoanBalance, ///< ローン残高 (module), in no total
};
constexpr int MONEY_ROW_KINDS = 23;
constexpr int MONEY_ROWS = 16; ///< the rows of a plan that uses no module

/** How a row's shown figures come about. */
enum class MoneyRowRole {
    Income, ///< an income row: counted in 収入合計
    Expense, ///< an expense row: counted in 支出合計
    Outside, ///< filled by a module but counted in no total (ローン残高)
    Computed, ///< computed from other rows' shown figures (totals, 年間収支, 貯蓄残高, 可処分所得)
};

/** The row's label as the table shows it ("夫の収入", ...). */
const char* moneyRowLabel(MoneyRow row);
/** The row's role in the totals. */
MoneyRowRole moneyRowRole(MoneyRow row);
/** True for the sixteen rows every cash-flow table has. */
bool isBaseMoneyRow(MoneyRow row);

/**
 * An exact amount of yen in year n of the table (n = 0 .. 50), held as its numerator over 1000^n:
 * every growth factor (1000 + rate) / 1000 has that denominator, so sums stay exact integers. The
 * largest sum the settings allow is below 2^543 (99999.9万円 × 1100^50 for each of a few dozen
 * parts); 576 bits leave room for a module's parts, and an overflow throws rather than wraps.
 */
using ExactYen = boost::multiprecision::number<boost::multiprecision::
        cpp_int_backend<576, 576, boost::multiprecision::signed_magnitude, boost::multiprecision::checked, void>>;

/** The numerator of `yen` in year n, flat: yen × 1000^n. */
ExactYen flatYen(int64_t yen, int n);
/** The numerator of grow(yen, rate, n) = yen × ((1000 + rateTenths) / 1000)^n: yen × (1000 + rateTenths)^n. */
ExactYen grownYen(int64_t yen, int rateTenths, int n);
/** numerator / 1000^n rounded to whole yen, halves away from zero (a module's input, e.g. tax). */
int64_t roundToYen(const ExactYen& numerator, int n);
/** numerator / 1000^n yen rounded to whole 万円, halves away from zero: the figure the table shows. */
int64_t roundToMan(const ExactYen& numerator, int n);

/** Yen of an amount in tenths of 万円 (1 = 1,000 yen). */
constexpr int64_t tenthsToYen(int tenths)
{
    return static_cast<int64_t>(tenths) * 1000;
}

/** One spouse's 額面 money by year, exact (numerators over 1000^n), before any row takes it. */
struct SpouseGross
{
    bool inTable = false; ///< the spouse has a column in the life cycle table
    std::array<ExactYen, TABLE_YEARS> pay {}; ///< 給与: grown pay before retirement, then 再雇用 pay
    std::array<ExactYen, TABLE_YEARS> pension {}; ///< 公的年金 from the pension age
    std::array<ExactYen, TABLE_YEARS> severance {}; ///< 退職金 in the retirement year
};

/*
 * How a money module adds rows (tax, pension, housing ...)
 *
 * computeCashFlow() works in three steps:
 *   1. startCashFlow() fills a CashFlowLedger with the sixteen base rows' exact values and each
 *      spouse's exact 額面 pay, pension and severance (ledger.husband / ledger.wife);
 *   2. every function of moneyModules() (MoneyModules.cpp, one line per module) runs on the ledger;
 *   3. finishCashFlow() rounds every present row once to whole 万円 and computes the totals,
 *      年間収支, 可処分所得 and 貯蓄残高 from those shown figures.
 *
 * A module, in step 2:
 *   - makes its rows present with ledger.include(MoneyRow::IncomeTax) (the table then shows them in
 *     the order of MoneyRow, whatever the order of the calls; a row with no value shows 0);
 *   - adds its parts per year n with ledger.addYen(row, n, yen) for whole yen, addGrown(row, n, yen,
 *     rateTenths) for an amount growing from the first year, or add(row, n, numerator) for an exact
 *     value over 1000^n; parts of one row and year are summed exactly and rounded once;
 *   - may replace a base row's parts with ledger.clear(row, n) (e.g. 額面 pay shown instead of 手取り);
 *   - reads the 額面 inputs as ledger.husband.pay[n] etc. and rounds each to whole yen with
 *     roundToYen(numerator, n) when its rules start from whole yen;
 *   - never touches the Computed rows: 収入合計 sums the Income rows present, 支出合計 the Expense
 *     rows present, 可処分所得 (present once included) is 収入合計 − 所得税 − 住民税 − 社会保険料,
 *     all from shown figures. Module settings live in MoneySettings and its section.
 * A plan that uses no module gets exactly the sixteen base rows.
 */

/** The exact values of the money rows of one plan, before they are rounded for the table. */
class CashFlowLedger
{
public:
    explicit CashFlowLedger(int y0);

    int y0() const { return m_y0; }

    /** Makes `row` present in the table (the sixteen base rows always are). */
    void include(MoneyRow row);
    bool includes(MoneyRow row) const { return m_present[static_cast<size_t>(row)]; }
    /** The present rows in the table's order. */
    std::vector<MoneyRow> rows() const;

    /** Adds `numerator` / 1000^n yen to `row` in year n (0..50) and makes the row present. */
    void add(MoneyRow row, int n, const ExactYen& numerator);
    /** Adds whole yen. */
    void addYen(MoneyRow row, int n, int64_t yen);
    /** Adds yen × ((1000 + rateTenths) / 1000)^n, exactly. */
    void addGrown(MoneyRow row, int n, int64_t yen, int rateTenths);
    /** Takes every part out of `row` in year n. */
    void clear(MoneyRow row, int n);
    /** The exact value of `row` in year n, as a numerator over 1000^n. */
    ExactYen exact(MoneyRow row, int n) const;
    /** The exact value of `row` in year n rounded once to whole 万円, halves away from zero. */
    int64_t shownMan(MoneyRow row, int n) const;

    SpouseGross husband; ///< the husband's 額面 inputs
    SpouseGross wife; ///< the wife's

private:
    /** Whole-yen coefficients of the parts of one row growing at one rate: Σ yen × (1000 + rate)^n. */
    struct GrownParts
    {
        MoneyRow row;
        int rateTenths;
        std::array<int64_t, TABLE_YEARS> yen {};
    };

    /** The 51 values of `row`, made (zero) on first use. */
    std::vector<ExactYen>& values(MoneyRow row);
    /** (1000 + rateTenths)^n, computed once per rate. */
    const ExactYen& power(int rateTenths, int n) const;
    GrownParts& grownParts(MoneyRow row, int rateTenths);

    int m_y0;
    std::array<bool, MONEY_ROW_KINDS> m_present {};
    // A row's value in year n is the sum of three kinds of parts, kept apart so that most of the
    // arithmetic stays in machine integers; only exact() and shownMan() combine them:
    std::array<std::vector<ExactYen>, MONEY_ROW_KINDS> m_values; ///< numerators; empty until one is added
    std::array<std::array<int64_t, TABLE_YEARS>, MONEY_ROW_KINDS> m_flat {}; ///< whole yen
    std::vector<GrownParts> m_grown; ///< whole yen by row and rate, grown when combined
    mutable std::map<int, std::vector<ExactYen>> m_powers;
};

/** A money module: adds its rows' parts to the ledger of `plan` (see above). */
using MoneyModule
    = void (*)(CashFlowLedger& ledger, const FamilyPlan& plan, const MoneySettings& settings, const TableModel& table);

/** The modules computeCashFlow() runs, in this order. */
const std::vector<MoneyModule>& moneyModules();

/** The shown figures of the 51 years, in whole 万円, by row; only `rows` are present. */
struct CashFlowFigures
{
    std::vector<MoneyRow> rows; ///< the present rows, in the table's order
    std::array<std::array<int64_t, TABLE_YEARS>, MONEY_ROW_KINDS> shown {}; ///< 0 for absent rows

    bool has(MoneyRow row) const;
    /** The shown figure in whole 万円. */
    int64_t man(MoneyRow row, int n) const { return shown[static_cast<size_t>(row)][static_cast<size_t>(n)]; }
    /** The shown figure in yen (a multiple of 10,000), for the chart and the colours. */
    int64_t at(MoneyRow row, int n) const { return man(row, n) * 10000; }
};

/**
 * Step 1: the exact base rows of the 51 years Y0 .. Y0 + 50 with `settings` over the plan's built
 * table `table` (its facts: the members, ages, retirement ages, school entry ages and the
 * parents' ages at death): pay, severance, pensions, one-time entries, living costs, housing,
 * insurance, education of the child columns, 介護 of the parents on a side the household pays for.
 */
CashFlowLedger startCashFlow(const MoneySettings& settings, const TableModel& table);

/** Step 3: every present row rounded once, then the totals, 年間収支 and 貯蓄残高 from shown figures. */
CashFlowFigures finishCashFlow(const CashFlowLedger& ledger, const MoneySettings& settings);

/** The three steps: start, the modules, finish. */
CashFlowFigures computeCashFlow(const FamilyPlan& plan, const MoneySettings& settings, const TableModel& table);

/** What a row of the cash-flow table holds. */
enum class CashFlowRowKind {
    Year, ///< 経過年数, 西暦, 和暦
    Member, ///< the age of one member column of the life cycle table
    Events, ///< 家族のイベント
    Money, ///< one of the money rows, in 万円
};

/** One row: its label, its rate cell ("1.0%" or empty) and one text per year. */
struct CashFlowRow
{
    CashFlowRowKind kind = CashFlowRowKind::Year;
    std::string label;
    std::string rate;
    std::array<std::string, TABLE_YEARS> cells;
    MoneyRow money = MoneyRow::HusbandIncome; ///< which money row (kind Money only)
};

/**
 * The cash-flow table as the window shows it and the CSV writes it: 経過年数, 西暦, 和暦; one row per
 * member column of the life cycle table with the member's age; 家族のイベント; the present money
 * rows in 万円. The shown figures are kept beside the texts for the chart and the colours.
 */
struct CashFlowTable
{
    int y0 = 0;
    bool hasMoneySettings = false; ///< false: computed at the defaults, the plan has no 家計設定
    std::vector<CashFlowRow> rows;
    CashFlowFigures figures;

    /** Index in `rows` of a money row, or -1 when the table does not have it. */
    int rowIndex(MoneyRow row) const;
    /** The money row `row` (which must be present). */
    const CashFlowRow& row(MoneyRow row) const { return rows.at(static_cast<size_t>(rowIndex(row))); }
};

/**
 * Builds the cash-flow table of `plan` (its money settings, or the defaults when it has none) over
 * `table`, the life cycle table already built from it: the year texts come from its cells, the
 * members, ages and events from its facts.
 */
CashFlowTable buildCashFlowTable(const FamilyPlan& plan, const TableModel& table);

/** The same for a caller without a built table: builds the life cycle table for `context` first. */
CashFlowTable buildCashFlowTable(const FamilyPlan& plan, const TableContext& context);

/** Whole 万円 as the table shows them: "-" when negative, never "-0". */
std::string formatMan(int64_t man);

/** Yen as whole 万円 for the table: rounded half away from zero, "-" when negative, never "-0". */
std::string formatManYen(int64_t yen);

/**
 * The CSV of the table: per row the label, the rate and the 51 cells, quoted as the life cycle
 * table's CSV quotes (appendCsvField), in CP932 with CR LF after every row.
 */
std::string cashFlowCsvBytes(const CashFlowTable& table);

/**
 * Writes cashFlowCsvBytes() to `path`, replacing the file only once everything was written. Returns
 * false and sets `error` on failure; an existing file is then untouched.
 */
bool writeCashFlowCsv(const std::string& path, const CashFlowTable& table, std::string* error = nullptr);

} // namespace harukaze

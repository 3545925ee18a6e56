// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/MoneySettings.h"
#include "core/table/TableModel.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace harukaze {

struct FamilyPlan;
struct TableContext;

/** The sixteen money rows of the cash-flow table, in the order they are shown. */
enum class MoneyRow {
    HusbandIncome, ///< 夫の収入
    WifeIncome, ///< 妻の収入
    Severance, ///< 退職金
    Pension, ///< 年金
    OneTimeIncome, ///< 一時的収入
    IncomeTotal, ///< 収入合計
    Living, ///< 基本生活費
    Housing, ///< 住居費
    Insurance, ///< 保険料
    Other, ///< その他支出
    Education, ///< 教育費
    Care, ///< 介護費
    OneTimeExpense, ///< 一時的支出
    ExpenseTotal, ///< 支出合計
    Balance, ///< 年間収支
    Savings, ///< 貯蓄残高
};
constexpr int MONEY_ROWS = 16;

/** The row's label as the table shows it ("夫の収入", ...). */
const char* moneyRowLabel(MoneyRow row);

/** The money of the 51 years of the table, in whole yen, by row. */
struct CashFlowFigures
{
    std::array<std::array<int64_t, TABLE_YEARS>, MONEY_ROWS> yen {};

    int64_t at(MoneyRow row, int n) const { return yen[static_cast<size_t>(row)][static_cast<size_t>(n)]; }
    int64_t& at(MoneyRow row, int n) { return yen[static_cast<size_t>(row)][static_cast<size_t>(n)]; }
};

/**
 * One step of yearly growth: round(yen × (1000 + rate) / 1000) with `rate` in tenths of a percent,
 * rounded to the nearest yen, halves away from zero.
 */
int64_t growOneYear(int64_t yen, int rateTenths);

/** grow(v, r, n): `yen` grown `years` times by growOneYear(), rounded every year. */
int64_t grow(int64_t yen, int rateTenths, int years);

/** Yen of an amount in tenths of 万円 (1 = 1,000 yen). */
constexpr int64_t tenthsToYen(int tenths)
{
    return static_cast<int64_t>(tenths) * 1000;
}

/**
 * Computes the money of the 51 years Y0 .. Y0 + 50 for `plan` with `settings`: incomes of the
 * spouses in the table, pensions, one-time entries, living costs, housing, insurance, the education
 * of the table's child columns, the 介護 of the table's parents on a side the household pays for,
 * the totals, the year's balance and the savings. The ages, school entry ages, retirement ages and
 * the parents' expected ages at death are those the life cycle table engine uses for `context`.
 */
CashFlowFigures computeCashFlow(const FamilyPlan& plan, const MoneySettings& settings, const TableContext& context);

/** What a row of the cash-flow table holds. */
enum class CashFlowRowKind {
    Year, ///< 経過年数, 西暦, 和暦
    Member, ///< the age of one member column of the life cycle table
    Events, ///< 家族のイベント
    Money, ///< one of the sixteen money rows, in 万円
};

/** One row: its label, its rate cell ("1.0%" or empty) and one text per year. */
struct CashFlowRow
{
    CashFlowRowKind kind = CashFlowRowKind::Year;
    std::string label;
    std::string rate;
    std::array<std::string, TABLE_YEARS> cells;
};

/**
 * The cash-flow table as the window shows it and the CSV writes it: 経過年数, 西暦, 和暦; one row per
 * member column of the life cycle table with the member's age; 家族のイベント; the sixteen money rows
 * in 万円. The figures in yen are kept beside the texts for the chart and the colours.
 */
struct CashFlowTable
{
    int y0 = 0;
    bool hasMoneySettings = false; ///< false: computed at the defaults, the plan has no 家計設定
    std::vector<CashFlowRow> rows;
    CashFlowFigures figures;

    /** Index in `rows` of a money row. */
    int rowIndex(MoneyRow row) const { return static_cast<int>(rows.size()) - MONEY_ROWS + static_cast<int>(row); }
    const CashFlowRow& row(MoneyRow row) const { return rows.at(static_cast<size_t>(rowIndex(row))); }
};

/**
 * Builds the cash-flow table of `plan` (its money settings, or the defaults when it has none) over
 * the life cycle table the engine builds for `context`.
 */
CashFlowTable buildCashFlowTable(const FamilyPlan& plan, const TableContext& context);

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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/CashFlow.h"

#include <QMdiSubWindow>

class QLabel;
class QSplitter;

namespace harukaze {

class CashFlowChart;
class CashFlowGrid;
struct FamilyPlan;
struct TableContext;

/**
 * The window "キャッシュフロー表": the cash-flow table of the plan (grid with the year rows and the
 * label and rate columns fixed) and below it the chart of incomes, expenses and savings. When the
 * plan has no 家計設定 yet, a notice above the grid says that the table shows the defaults and
 * points to 家計設定.
 *
 * The window keeps no plan: rebuild() computes the table from the plan it is given, and is called
 * again whenever the plan changes (家計設定 OK, 家族設定内容の変更, Open).
 */
class CashFlowWindow : public QMdiSubWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(CashFlowWindow)

public:
    explicit CashFlowWindow(QWidget* parent = nullptr);
    ~CashFlowWindow() override;

    /** Computes the cash-flow table of `plan` for `context` (year, data folder, table font) and shows it. */
    void rebuild(const FamilyPlan& plan, const TableContext& context);
    /** Shows a cash-flow table already computed (a plan document's) in the font of `context`. */
    void showTable(const CashFlowTable& table, const TableContext& context);

    /** The table shown, for printing and for the CSV (cashFlowCsvBytes / writeCashFlowCsv). */
    const CashFlowTable& table() const { return m_table; }

    CashFlowGrid* grid() const { return m_grid; }
    CashFlowChart* chart() const { return m_chart; }
    /** The notice shown while the plan has no money settings. */
    QLabel* notice() const { return m_notice; }

private:
    CashFlowTable m_table;
    QLabel* m_notice;
    QSplitter* m_splitter;
    CashFlowGrid* m_grid;
    CashFlowChart* m_chart;
};

} // namespace harukaze

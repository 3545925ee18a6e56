// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/CashFlow.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/TableBuilder.h"

#include <QMdiSubWindow>

#include <optional>

class QLabel;
class QPushButton;
class QSplitter;

namespace harukaze {

class CashFlowChart;
class CashFlowGrid;
struct TableContext;

/**
 * The window "キャッシュフロー表": the cash-flow table of the plan (grid with the year rows and the
 * label and rate columns fixed) and below it the chart of incomes, expenses and savings. When the
 * plan has no 家計設定 yet, a notice above the grid says that the table shows the defaults and
 * points to 家計設定.
 *
 * rebuild() computes the table from the plan it is given, and is called again whenever the plan
 * changes (家計設定 OK, 家族設定内容の変更, Open); a copy of that plan serves the buttons
 * 夫の受給開始年齢の比較... and 妻の受給開始年齢の比較... above the grid.
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

    /** The table shown, for printing and for the CSV (cashFlowCsvBytes / writeCashFlowCsv). */
    const CashFlowTable& table() const { return m_table; }

    CashFlowGrid* grid() const { return m_grid; }
    CashFlowChart* chart() const { return m_chart; }
    /** The notice shown while the plan has no money settings. */
    QLabel* notice() const { return m_notice; }
    /** "返済予定表..." above the grid, enabled while the plan has a housing loan. */
    QPushButton* loanScheduleButton() const { return m_loanScheduleButton; }

signals:
    /** The user asked for the 返済予定表 of the plan's loan. */
    void loanScheduleRequested();

    /**
     * Opens 手取りの内訳 of the plan the table was built from, at the year of the grid's current cell
     * (the first year when no year is current). The button for it shows while the income is 額面.
     */
    void showTakeHome();

    /** Opens 受給開始年齢の比較 of the husband (wife = false) or the wife of the plan shown. */
    void comparePensionStartAges(bool wife);

private:
    CashFlowTable m_table;
    QLabel* m_notice;
    QSplitter* m_splitter;
    CashFlowGrid* m_grid;
    CashFlowChart* m_chart;
    QPushButton* m_loanScheduleButton;
    QPushButton* m_takeHome;
    FamilyPlan m_plan; ///< what the table was built from, for 手取りの内訳 and the start-age comparison
    TableContext m_context;
};

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/common/FrozenPaneGrid.h"

#include <vector>

namespace harukaze {

struct CashFlowTable;

/**
 * The grid of the cash-flow window: one row per row of the cash-flow table, the label and rate
 * columns, then one column per year. The three year rows (経過年数, 西暦, 和暦) and the two left
 * columns are fixed, in light cyan, and stay in view while the rest scrolls. The sixteen money rows
 * come right below the years, then 家族のイベント and the members' ages, so that the totals are in
 * view in a small window.
 *
 * The rows of each total (the incomes of 収入合計, the expenses of 支出合計) fold away under it: a
 * click on the total's label shows or hides them ("▸" folded, "▾" open).
 *
 * Money is right-aligned; negative 年間収支 and 貯蓄残高 are red; the totals are bold. The events of a
 * year are shown one per line, and every column is as wide as its widest text.
 */
class CashFlowGrid : public FrozenPaneGrid
{
    Q_OBJECT
    Q_DISABLE_COPY(CashFlowGrid)

public:
    static constexpr int TABLE_FIXED_ROWS = 3;
    static constexpr int TABLE_FIXED_COLS = 2;

    explicit CashFlowGrid(QWidget* parent = nullptr);
    ~CashFlowGrid() override;

    /** Shows `table` in `font`. */
    void setTable(const CashFlowTable& table, const QFont& font);

    /** The grid row showing row `tableRow` of the table. */
    int gridRow(int tableRow) const;

    /**
     * Folds (hides) or opens the rows a total adds up; `totalTableRow` is the table row of
     * 収入合計 or 支出合計 (other rows do nothing).
     */
    void setFolded(int totalTableRow, bool folded);
    /** Whether the rows of a total are folded away. */
    bool isFolded(int totalTableRow) const;

    /** The cell's text as the table has it (events joined by "／", as in the CSV). */
    QString text(int row, int column) const;
    /** The colour the cell's text is drawn in. */
    QColor textColor(int row, int column) const;
    /** Whether the cell's text is drawn bold. */
    bool isBold(int row, int column) const;

    /** Red of negative balances. */
    static QColor negativeColor();

signals:
    /** A total's rows were folded or opened by a click. */
    void foldingChanged();

private:
    void labelClicked(const QModelIndex& index);
    void showFoldMark(int totalTableRow);

    std::vector<int> m_tableRows; ///< by grid row, the table row it shows
    std::vector<int> m_gridRows; ///< by table row, the grid row showing it
    std::vector<int> m_foldUnder; ///< by table row, the table row of the total it folds under, or -1
    int m_incomeTotalRow = -1; ///< table rows of 収入合計 and 支出合計
    int m_expenseTotalRow = -1;
    bool m_incomeFolded = false;
    bool m_expenseFolded = false;
};

} // namespace harukaze

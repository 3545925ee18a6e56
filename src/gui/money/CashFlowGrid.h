// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/common/FrozenPaneGrid.h"

namespace harukaze {

struct CashFlowTable;

/**
 * The grid of the cash-flow window: one row per row of the cash-flow table (経過年数, 西暦, 和暦, the
 * members' ages, 家族のイベント, the sixteen money rows), the label and rate columns, then one column
 * per year. The three year rows and the two left columns are fixed, in light cyan, and stay in view
 * while the rest scrolls.
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

    /** The cell's text as the table has it (events joined by "／", as in the CSV). */
    QString text(int row, int column) const;
    /** The colour the cell's text is drawn in. */
    QColor textColor(int row, int column) const;
    /** Whether the cell's text is drawn bold. */
    bool isBold(int row, int column) const;

    /** Red of negative balances. */
    static QColor negativeColor();
};

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

class QStandardItemModel;

namespace harukaze {

struct CashFlowTable;

/**
 * The grid of the cash-flow window: one row per row of the cash-flow table (経過年数, 西暦, 和暦, the
 * members' ages, 家族のイベント, the sixteen money rows), the label and rate columns, then one column
 * per year. The three year rows and the two left columns stay in view while the rest scrolls
 * (three borderless views over the same model are laid over them, as in the life cycle grid).
 *
 * Money is right-aligned; negative 年間収支 and 貯蓄残高 are red; the totals are bold. The events of a
 * year are shown one per line, and every column is as wide as its widest text.
 */
class CashFlowGrid : public QTableView
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

    int rows() const;
    int cols() const;
    /** The cell's text as the table has it (events joined by "／", as in the CSV). */
    QString text(int row, int column) const;
    /** The colour the cell's text is drawn in. */
    QColor textColor(int row, int column) const;
    /** Whether the cell's text is drawn bold. */
    bool isBold(int row, int column) const;

    QTableView* frozenRowsView() const { return m_rowsView; }
    QTableView* frozenColumnsView() const { return m_columnsView; }
    QTableView* frozenCornerView() const { return m_cornerView; }

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    /** Red of negative balances. */
    static QColor negativeColor();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    QTableView* createOverlay(const QString& name);
    void syncOverlays();
    void updateOverlayGeometry();
    int frozenWidth() const;
    int frozenHeight() const;

    QStandardItemModel* m_model;
    QTableView* m_rowsView = nullptr;
    QTableView* m_columnsView = nullptr;
    QTableView* m_cornerView = nullptr;
};

} // namespace harukaze

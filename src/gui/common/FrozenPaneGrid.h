// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

#include <array>

class QStandardItemModel;

namespace harukaze {

/**
 * A read-only grid whose first rows and columns (the fixed cells) stay in view while the rest
 * scrolls: three borderless views over the same model are laid over the top rows, the left columns
 * and their corner and follow this view's scrolling, column widths and row heights (the idea of
 * Qt's "Frozen Column" example, applied to rows and columns). Keyboard moves and scrollTo() never
 * leave a cell under the fixed ones.
 *
 * The grid owns its item model; a derived grid fills it and calls updateOverlaySections() when the
 * model's shape has changed.
 */
class FrozenPaneGrid : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY(FrozenPaneGrid)

public:
    /**
     * A grid named `name` (its object name, which its style sheet selects) whose first `frozenRows`
     * rows and `frozenColumns` columns are fixed. Where there are no cells the grid and its panes
     * paint `outsideColor`, or the style's base colour when it is invalid.
     */
    FrozenPaneGrid(const QString& name,
        int frozenRows,
        int frozenColumns,
        const QColor& outsideColor = QColor(),
        QWidget* parent = nullptr);
    ~FrozenPaneGrid() override;

    int rows() const;
    int cols() const;
    int frozenRowCount() const { return m_frozenRows; }
    int frozenColumnCount() const { return m_frozenColumns; }
    /** Whether a cell is a fixed one: in the frozen rows or the frozen columns. */
    bool isFixedCell(int row, int column) const { return row < m_frozenRows || column < m_frozenColumns; }

    QTableView* frozenRowsView() const { return m_rowsView; }
    QTableView* frozenColumnsView() const { return m_columnsView; }
    QTableView* frozenCornerView() const { return m_cornerView; }

    /** Scrolls a cell into view without leaving it under the frozen rows or columns. */
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    /** The light cyan of the fixed cells, RGB(192, 255, 255). */
    static QColor fixedCellColor();

protected:
    QStandardItemModel* itemModel() const { return m_model; }
    /** The three frozen panes, in the order they are stacked (columns, rows, corner). */
    std::array<QTableView*, 3> overlays() const { return { m_columnsView, m_rowsView, m_cornerView }; }

    /**
     * One font for every cell: this view and the three frozen panes. The panes are views of their
     * own, styled by their own style sheet, and do not take the grid's font by inheritance.
     */
    void setGridFont(const QFont& font);
    /** Hides in each pane what it does not hold and gives it this view's column widths and row heights. */
    void updateOverlaySections();
    /** Lays the panes over the fixed cells of the viewport, scrolled as this view is. */
    void updateOverlayGeometry();

    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    QTableView* createOverlay(const QString& name, bool ownPalette);
    int frozenWidth() const;
    int frozenHeight() const;

    const int m_frozenRows;
    const int m_frozenColumns;
    QStandardItemModel* m_model;
    QTableView* m_rowsView = nullptr;
    QTableView* m_columnsView = nullptr;
    QTableView* m_cornerView = nullptr;
};

} // namespace harukaze

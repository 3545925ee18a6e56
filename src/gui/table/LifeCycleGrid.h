// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

#include <vector>

class QStandardItemModel;

namespace harukaze {

struct TableModel;

/**
 * The grid of a table window (`MSFlexGrid1`): 53 rows, the first two rows and the first two columns
 * fixed. The fixed cells stay in view while the rest scrolls: three borderless views over the same
 * model are laid over the top rows, the left columns and their corner and follow this view's
 * scrolling (the idea of Qt's "Frozen Column" example, applied to rows and columns).
 *
 * Column widths are kept in twips, as the table engine gives them, and shown in pixels at the
 * screen's logical DPI.
 */
class LifeCycleGrid : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY(LifeCycleGrid)

public:
    explicit LifeCycleGrid(QWidget* parent = nullptr);
    ~LifeCycleGrid() override;

    /** Copies a built table into the grid: texts, alignments, widths and its font (name and size only). */
    void setTable(const TableModel& table);

    /**
     * The font command: the font with its bold and italic, every member column six font-size squares
     * wide and the two year columns three, as a build would make them.
     */
    void applyTableFont(const QFont& font);

    int rows() const;
    int cols() const;
    QString text(int row, int column) const;

    int columnWidthTwips(int column) const;
    void setColumnWidthTwips(int column, int twips);
    /** Pixels for a width in twips on this grid's screen (twips × DPI / 1440). */
    int twipsToPixels(int twips) const;

    QTableView* frozenRowsView() const { return m_rowsView; }
    QTableView* frozenColumnsView() const { return m_columnsView; }
    QTableView* frozenCornerView() const { return m_cornerView; }

    /** Scrolls a cell into view without leaving it under the frozen rows or columns. */
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    /** The light cyan of the fixed cells, RGB(192, 255, 255). */
    static QColor fixedCellColor();

    /**
     * Background of one cell, drawn over the cell's ordinary colour (marks such as the attention
     * tints); an invalid colour gives the cell its ordinary background back. The cell's text is
     * not touched.
     */
    void setCellBackground(int row, int column, const QColor& color);
    QColor cellBackground(int row, int column) const;

    /** Tool tip of one cell; an empty text gives the cell its own tool tip back (its whole text). */
    void setCellToolTip(int row, int column, const QString& toolTip);
    QString cellToolTip(int row, int column) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    QTableView* createOverlay(const QString& name);
    /** The table font for every cell: this view and the three frozen panes, whose rows follow it. */
    void setTableFont(const QFont& font);
    void updateOverlayGeometry();
    void updateOverlaySections();
    void updateRowHeights();
    int frozenWidth() const;
    int frozenHeight() const;

    QStandardItemModel* m_model;
    QTableView* m_rowsView = nullptr;
    QTableView* m_columnsView = nullptr;
    QTableView* m_cornerView = nullptr;
    std::vector<int> m_widthTwips;
};

} // namespace harukaze

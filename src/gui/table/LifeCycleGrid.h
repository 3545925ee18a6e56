// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/common/FrozenPaneGrid.h"

#include <vector>

namespace harukaze {

struct TableModel;

/**
 * The grid of a table window (`MSFlexGrid1`): 53 rows, the first two rows and the first two columns
 * fixed, in light cyan; they stay in view while the rest scrolls. Where there are no cells the grid
 * is mid grey.
 *
 * Column widths are kept in twips, as the table engine gives them, and shown in pixels at the
 * screen's logical DPI.
 */
class LifeCycleGrid : public FrozenPaneGrid
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

    QString text(int row, int column) const;

    int columnWidthTwips(int column) const;
    void setColumnWidthTwips(int column, int twips);
    /** Pixels for a width in twips on this grid's screen (twips × DPI / 1440). */
    int twipsToPixels(int twips) const;

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

private:
    /** The table font for every cell: this view and the three frozen panes, whose rows follow it. */
    void setTableFont(const QFont& font);
    void updateRowHeights();

    std::vector<int> m_widthTwips;
};

} // namespace harukaze

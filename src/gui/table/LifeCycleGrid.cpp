// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/LifeCycleGrid.h"

#include "core/table/TableModel.h"
#include "export/PrintableTable.h"

#include <QApplication>
#include <QHeaderView>
#include <QStandardItemModel>

#include <cmath>

namespace harukaze {

namespace {

const QColor s_outsideColor(128, 128, 128);

} // namespace

LifeCycleGrid::LifeCycleGrid(QWidget* parent)
    // The grid paints mid grey where there are no cells; the cells themselves get the window colours.
    : FrozenPaneGrid(QStringLiteral("MSFlexGrid1"), TABLE_FIXED_ROWS, TABLE_FIXED_COLS, s_outsideColor, parent)
{
    itemModel()->setRowCount(TABLE_ROWS);
    itemModel()->setColumnCount(TABLE_DESIGN_COLUMNS);
    updateRowHeights();
    updateOverlaySections();
}

LifeCycleGrid::~LifeCycleGrid() = default;

void LifeCycleGrid::setTable(const TableModel& table)
{
    const int columns = table.columnCount();
    const QBrush cellBrush(QApplication::palette().color(QPalette::Base));
    const QBrush textBrush(QApplication::palette().color(QPalette::Text));
    const QBrush fixedBrush(fixedCellColor());

    itemModel()->clear();
    itemModel()->setRowCount(table.rowCount());
    itemModel()->setColumnCount(columns);
    m_widthTwips.assign(static_cast<size_t>(columns), 0);
    for (int c = 0; c < columns; ++c) {
        const TableColumn& column = table.columns.at(static_cast<size_t>(c));
        for (int r = 0; r < table.rowCount(); ++r) {
            const bool fixed = isFixedCell(r, c);
            const QString text = QString::fromStdString(column.cells.at(static_cast<size_t>(r)));
            auto* item = new QStandardItem(text);
            item->setTextAlignment(
                alignmentOfCode(r < TABLE_FIXED_ROWS ? column.fixedAlignment : column.columnAlignment));
            item->setBackground(fixed ? fixedBrush : cellBrush);
            item->setForeground(textBrush);
            // Member cells get cut off at six characters' width; the tool tip shows a cell's whole text.
            if (!fixed && !text.isEmpty())
                item->setToolTip(text);
            item->setFlags(fixed ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
            itemModel()->setItem(r, c, item);
        }
    }

    QFont font(QString::fromStdString(table.fontName));
    font.setPointSizeF(table.fontSize > 0 ? table.fontSize : TABLE_FONT_POINTS);
    font.setBold(table.fontBold);
    font.setItalic(table.fontItalic);
    setTableFont(font);
    for (int c = 0; c < columns; ++c)
        setColumnWidthTwips(c, table.columns.at(static_cast<size_t>(c)).widthTwips);
    updateOverlaySections();
    updateOverlayGeometry();
}

void LifeCycleGrid::setCellBackground(int row, int column, const QColor& color)
{
    QStandardItem* item = itemModel()->item(row, column);
    if (!item)
        return;
    const bool fixed = isFixedCell(row, column);
    const QColor ordinary = fixed ? fixedCellColor() : QApplication::palette().color(QPalette::Base);
    item->setBackground(QBrush(color.isValid() ? color : ordinary));
}

QColor LifeCycleGrid::cellBackground(int row, int column) const
{
    const QStandardItem* item = itemModel()->item(row, column);
    return item ? item->background().color() : QColor();
}

void LifeCycleGrid::setCellToolTip(int row, int column, const QString& toolTip)
{
    QStandardItem* item = itemModel()->item(row, column);
    if (!item)
        return;
    const bool fixed = isFixedCell(row, column);
    if (!toolTip.isEmpty())
        item->setToolTip(toolTip);
    else
        item->setToolTip(fixed ? QString() : item->text());
}

QString LifeCycleGrid::cellToolTip(int row, int column) const
{
    const QStandardItem* item = itemModel()->item(row, column);
    return item ? item->toolTip() : QString();
}

void LifeCycleGrid::applyTableFont(const QFont& font)
{
    setTableFont(font);
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : TABLE_FONT_POINTS;
    for (int c = 0; c < cols(); ++c)
        setColumnWidthTwips(c, tableColumnWidthTwips(points, c));
    updateOverlayGeometry();
}

void LifeCycleGrid::setTableFont(const QFont& font)
{
    // Each frozen pane gets the font too, so the header rows and the year columns are drawn exactly
    // like the body.
    setGridFont(font);
    updateRowHeights();
}

QString LifeCycleGrid::text(int row, int column) const
{
    return itemModel()->index(row, column).data().toString();
}

int LifeCycleGrid::columnWidthTwips(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_widthTwips.size()))
        return 0;
    return m_widthTwips[static_cast<size_t>(column)];
}

void LifeCycleGrid::setColumnWidthTwips(int column, int twips)
{
    if (column < 0)
        return;
    if (column >= static_cast<int>(m_widthTwips.size()))
        m_widthTwips.resize(static_cast<size_t>(column) + 1, 0);
    m_widthTwips[static_cast<size_t>(column)] = twips;
    setColumnWidth(column, twipsToPixels(twips));
}

int LifeCycleGrid::twipsToPixels(int twips) const
{
    return static_cast<int>(std::lround(twips * static_cast<double>(logicalDpiX()) / 1440.0));
}

void LifeCycleGrid::updateRowHeights()
{
    // A row as high as the text with a little air, like the grid's own default row height.
    const int height = fontMetrics().height() + 6;
    for (QTableView* view :
        { static_cast<QTableView*>(this), frozenRowsView(), frozenColumnsView(), frozenCornerView() }) {
        view->verticalHeader()->setDefaultSectionSize(height);
        for (int r = 0; r < rows(); ++r)
            view->setRowHeight(r, height);
    }
}

} // namespace harukaze

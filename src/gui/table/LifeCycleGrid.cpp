// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/LifeCycleGrid.h"

#include "core/table/TableModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>

#include <cmath>

namespace harukaze {

namespace {

Qt::Alignment alignmentOf(int code)
{
    switch (code) {
    case ALIGN_LEFT_CENTER:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case ALIGN_CENTER_TOP:
        return Qt::AlignHCenter | Qt::AlignTop;
    case ALIGN_CENTER_CENTER:
        return Qt::AlignCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

const QColor s_outsideColor(128, 128, 128);

} // namespace

LifeCycleGrid::LifeCycleGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new QStandardItemModel(TABLE_ROWS, TABLE_DESIGN_COLUMNS, this))
{
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    // The grid paints mid grey where there are no cells; the cells themselves get the window colours.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, s_outsideColor);
    setPalette(pal);
    setStyleSheet(QStringLiteral("QTableView#MSFlexGrid1 { gridline-color: rgb(192, 192, 192); }"));

    m_columnsView = createOverlay(QStringLiteral("frozenColumnsView"));
    m_rowsView = createOverlay(QStringLiteral("frozenRowsView"));
    m_cornerView = createOverlay(QStringLiteral("frozenCornerView"));

    // Scrolling the frozen panes by wheel moves the grid too, and the grid moves them.
    connect(verticalScrollBar(),
        &QAbstractSlider::valueChanged,
        m_columnsView->verticalScrollBar(),
        &QAbstractSlider::setValue);
    connect(m_columnsView->verticalScrollBar(),
        &QAbstractSlider::valueChanged,
        verticalScrollBar(),
        &QAbstractSlider::setValue);
    connect(horizontalScrollBar(),
        &QAbstractSlider::valueChanged,
        m_rowsView->horizontalScrollBar(),
        &QAbstractSlider::setValue);
    connect(m_rowsView->horizontalScrollBar(),
        &QAbstractSlider::valueChanged,
        horizontalScrollBar(),
        &QAbstractSlider::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        for (QTableView* view : { m_rowsView, m_columnsView, m_cornerView })
            view->setColumnWidth(column, size);
        updateOverlayGeometry();
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int row, int, int size) {
        for (QTableView* view : { m_rowsView, m_columnsView, m_cornerView })
            view->setRowHeight(row, size);
        updateOverlayGeometry();
    });

    updateRowHeights();
    updateOverlaySections();
}

LifeCycleGrid::~LifeCycleGrid() = default;

QTableView* LifeCycleGrid::createOverlay(const QString& name)
{
    auto* view = new QTableView(this);
    view->setObjectName(name);
    view->setModel(m_model);
    view->setSelectionModel(selectionModel());
    view->setFocusPolicy(Qt::NoFocus);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setFrameShape(QFrame::NoFrame);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->horizontalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setMinimumSectionSize(1);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setTextElideMode(Qt::ElideNone);
    view->setWordWrap(false);
    view->setPalette(palette());
    // The frozen panes hold only fixed cells, which are ruled in black.
    view->setStyleSheet(QStringLiteral("QTableView { gridline-color: black; }"));
    view->show();
    return view;
}

QColor LifeCycleGrid::fixedCellColor()
{
    return QColor(192, 255, 255);
}

void LifeCycleGrid::setTable(const TableModel& table)
{
    const int columns = table.columnCount();
    const QBrush cellBrush(QApplication::palette().color(QPalette::Base));
    const QBrush textBrush(QApplication::palette().color(QPalette::Text));
    const QBrush fixedBrush(fixedCellColor());

    m_model->clear();
    m_model->setRowCount(table.rowCount());
    m_model->setColumnCount(columns);
    m_widthTwips.assign(static_cast<size_t>(columns), 0);
    for (int c = 0; c < columns; ++c) {
        const TableColumn& column = table.columns.at(static_cast<size_t>(c));
        for (int r = 0; r < table.rowCount(); ++r) {
            const bool fixed = r < TABLE_FIXED_ROWS || c < TABLE_FIXED_COLS;
            const QString text = QString::fromStdString(column.cells.at(static_cast<size_t>(r)));
            auto* item = new QStandardItem(text);
            item->setTextAlignment(alignmentOf(r < TABLE_FIXED_ROWS ? column.fixedAlignment : column.columnAlignment));
            item->setBackground(fixed ? fixedBrush : cellBrush);
            item->setForeground(textBrush);
            // Member cells get cut off at six characters' width; the tool tip shows a cell's whole text.
            if (!fixed && !text.isEmpty())
                item->setToolTip(text);
            item->setFlags(fixed ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
            m_model->setItem(r, c, item);
        }
    }

    QFont font(QString::fromStdString(table.fontName));
    font.setPointSizeF(table.fontSize > 0 ? table.fontSize : TABLE_FONT_POINTS);
    font.setBold(false);
    font.setItalic(false);
    setTableFont(font);
    for (int c = 0; c < columns; ++c)
        setColumnWidthTwips(c, table.columns.at(static_cast<size_t>(c)).widthTwips);
    updateOverlaySections();
    updateOverlayGeometry();
}

void LifeCycleGrid::setCellBackground(int row, int column, const QColor& color)
{
    QStandardItem* item = m_model->item(row, column);
    if (!item)
        return;
    const bool fixed = row < TABLE_FIXED_ROWS || column < TABLE_FIXED_COLS;
    const QColor ordinary = fixed ? fixedCellColor() : QApplication::palette().color(QPalette::Base);
    item->setBackground(QBrush(color.isValid() ? color : ordinary));
}

QColor LifeCycleGrid::cellBackground(int row, int column) const
{
    const QStandardItem* item = m_model->item(row, column);
    return item ? item->background().color() : QColor();
}

void LifeCycleGrid::setCellToolTip(int row, int column, const QString& toolTip)
{
    QStandardItem* item = m_model->item(row, column);
    if (!item)
        return;
    const bool fixed = row < TABLE_FIXED_ROWS || column < TABLE_FIXED_COLS;
    if (!toolTip.isEmpty())
        item->setToolTip(toolTip);
    else
        item->setToolTip(fixed ? QString() : item->text());
}

QString LifeCycleGrid::cellToolTip(int row, int column) const
{
    const QStandardItem* item = m_model->item(row, column);
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
    // The frozen panes are views of their own, styled by their own style sheet, and do not take
    // the grid's font by inheritance: each gets it explicitly, so the header rows and the year
    // columns are drawn exactly like the body.
    setFont(font);
    for (QTableView* view : { m_rowsView, m_columnsView, m_cornerView }) {
        if (view)
            view->setFont(font);
    }
    updateRowHeights();
}

int LifeCycleGrid::rows() const
{
    return m_model->rowCount();
}

int LifeCycleGrid::cols() const
{
    return m_model->columnCount();
}

QString LifeCycleGrid::text(int row, int column) const
{
    return m_model->index(row, column).data().toString();
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
    if (!m_cornerView)
        return;
    const int height = fontMetrics().height() + 6;
    for (QTableView* view : { static_cast<QTableView*>(this), m_rowsView, m_columnsView, m_cornerView }) {
        view->verticalHeader()->setDefaultSectionSize(height);
        for (int r = 0; r < m_model->rowCount(); ++r)
            view->setRowHeight(r, height);
    }
}

void LifeCycleGrid::updateOverlaySections()
{
    if (!m_cornerView)
        return;
    for (int r = 0; r < m_model->rowCount(); ++r) {
        m_rowsView->setRowHidden(r, r >= TABLE_FIXED_ROWS);
        m_cornerView->setRowHidden(r, r >= TABLE_FIXED_ROWS);
        m_columnsView->setRowHidden(r, false);
    }
    for (int c = 0; c < m_model->columnCount(); ++c) {
        m_columnsView->setColumnHidden(c, c >= TABLE_FIXED_COLS);
        m_cornerView->setColumnHidden(c, c >= TABLE_FIXED_COLS);
        m_rowsView->setColumnHidden(c, false);
        for (QTableView* view : { m_rowsView, m_columnsView, m_cornerView })
            view->setColumnWidth(c, columnWidth(c));
    }
    for (int r = 0; r < m_model->rowCount(); ++r) {
        for (QTableView* view : { m_rowsView, m_columnsView, m_cornerView })
            view->setRowHeight(r, rowHeight(r));
    }
}

int LifeCycleGrid::frozenWidth() const
{
    int width = 0;
    for (int c = 0; c < TABLE_FIXED_COLS && c < m_model->columnCount(); ++c)
        width += columnWidth(c);
    return width;
}

int LifeCycleGrid::frozenHeight() const
{
    int height = 0;
    for (int r = 0; r < TABLE_FIXED_ROWS && r < m_model->rowCount(); ++r)
        height += rowHeight(r);
    return height;
}

void LifeCycleGrid::updateOverlayGeometry()
{
    // QTableView lays itself out while the constructor sets the model, before the panes exist.
    if (!m_cornerView)
        return;
    const QRect area = viewport()->geometry();
    const int w = std::min(frozenWidth(), area.width());
    const int h = std::min(frozenHeight(), area.height());
    m_rowsView->setGeometry(area.x(), area.y(), area.width(), h);
    m_columnsView->setGeometry(area.x(), area.y(), w, area.height());
    m_cornerView->setGeometry(area.x(), area.y(), w, h);
    m_rowsView->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    m_columnsView->verticalScrollBar()->setValue(verticalScrollBar()->value());
    m_columnsView->raise();
    m_rowsView->raise();
    m_cornerView->raise();
}

void LifeCycleGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    updateOverlayGeometry();
}

void LifeCycleGrid::updateGeometries()
{
    QTableView::updateGeometries();
    updateOverlayGeometry();
}

QModelIndex LifeCycleGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    if (current.isValid())
        scrollTo(current);
    return current;
}

void LifeCycleGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || (index.row() < TABLE_FIXED_ROWS && index.column() < TABLE_FIXED_COLS))
        return;
    // Fixed cells never scroll in their frozen direction.
    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.row() < TABLE_FIXED_ROWS)
        verticalScrollBar()->setValue(vertical);
    if (index.column() < TABLE_FIXED_COLS)
        horizontalScrollBar()->setValue(horizontal);
    // A cell scrolled into view must not end up under the frozen rows or columns.
    const QRect rect = visualRect(index);
    if (index.column() >= TABLE_FIXED_COLS && rect.left() < frozenWidth())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (frozenWidth() - rect.left()));
    if (index.row() >= TABLE_FIXED_ROWS && rect.top() < frozenHeight())
        verticalScrollBar()->setValue(verticalScrollBar()->value() - (frozenHeight() - rect.top()));
}

} // namespace harukaze

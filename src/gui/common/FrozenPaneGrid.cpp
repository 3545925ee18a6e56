// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FrozenPaneGrid.h"

#include "export/PrintableTable.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>

namespace harukaze {

FrozenPaneGrid::FrozenPaneGrid(
    const QString& name, int frozenRows, int frozenColumns, const QColor& outsideColor, QWidget* parent)
    : QTableView(parent)
    , m_frozenRows(frozenRows)
    , m_frozenColumns(frozenColumns)
    , m_model(new QStandardItemModel(this))
{
    setObjectName(name);
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
    // The palette comes before the style sheets: a pane takes it when it is made and polished.
    if (outsideColor.isValid()) {
        QPalette pal = palette();
        pal.setColor(QPalette::Base, outsideColor);
        setPalette(pal);
    }
    // The body is ruled in light grey; the panes over the fixed cells rule theirs in black.
    setStyleSheet(QStringLiteral("QTableView#%1 { gridline-color: rgb(192, 192, 192); }").arg(name));

    m_columnsView = createOverlay(QStringLiteral("frozenColumnsView"), outsideColor.isValid());
    m_rowsView = createOverlay(QStringLiteral("frozenRowsView"), outsideColor.isValid());
    m_cornerView = createOverlay(QStringLiteral("frozenCornerView"), outsideColor.isValid());

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
    // The panes' cells stay as wide and as high as the grid's.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        for (QTableView* view : overlays())
            view->setColumnWidth(column, size);
        updateOverlayGeometry();
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int row, int, int size) {
        for (QTableView* view : overlays())
            view->setRowHeight(row, size);
        updateOverlayGeometry();
    });
}

FrozenPaneGrid::~FrozenPaneGrid() = default;

QTableView* FrozenPaneGrid::createOverlay(const QString& name, bool ownPalette)
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
    if (ownPalette)
        view->setPalette(palette());
    // The frozen panes hold only fixed cells, which are ruled in black.
    view->setStyleSheet(QStringLiteral("QTableView { gridline-color: black; }"));
    view->show();
    return view;
}

QColor FrozenPaneGrid::fixedCellColor()
{
    // The same cyan as on paper.
    return harukaze::fixedCellColor();
}

int FrozenPaneGrid::rows() const
{
    return m_model->rowCount();
}

int FrozenPaneGrid::cols() const
{
    return m_model->columnCount();
}

void FrozenPaneGrid::setGridFont(const QFont& font)
{
    setFont(font);
    for (QTableView* view : overlays())
        view->setFont(font);
}

void FrozenPaneGrid::updateOverlaySections()
{
    for (int r = 0; r < m_model->rowCount(); ++r) {
        m_rowsView->setRowHidden(r, r >= m_frozenRows);
        m_cornerView->setRowHidden(r, r >= m_frozenRows);
        // A row the grid hides (folded away) is hidden beside it too.
        m_columnsView->setRowHidden(r, isRowHidden(r));
        for (QTableView* view : overlays())
            view->setRowHeight(r, rowHeight(r));
    }
    for (int c = 0; c < m_model->columnCount(); ++c) {
        m_columnsView->setColumnHidden(c, c >= m_frozenColumns);
        m_cornerView->setColumnHidden(c, c >= m_frozenColumns);
        m_rowsView->setColumnHidden(c, false);
        for (QTableView* view : overlays())
            view->setColumnWidth(c, columnWidth(c));
    }
}

int FrozenPaneGrid::frozenWidth() const
{
    int width = 0;
    for (int c = 0; c < m_frozenColumns && c < m_model->columnCount(); ++c)
        width += columnWidth(c);
    return width;
}

int FrozenPaneGrid::frozenHeight() const
{
    int height = 0;
    for (int r = 0; r < m_frozenRows && r < m_model->rowCount(); ++r)
        height += rowHeight(r);
    return height;
}

void FrozenPaneGrid::updateOverlayGeometry()
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

void FrozenPaneGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    updateOverlayGeometry();
}

void FrozenPaneGrid::updateGeometries()
{
    QTableView::updateGeometries();
    updateOverlayGeometry();
}

QModelIndex FrozenPaneGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    if (current.isValid())
        scrollTo(current);
    return current;
}

void FrozenPaneGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || (index.row() < m_frozenRows && index.column() < m_frozenColumns))
        return;
    // Fixed cells never scroll in their frozen direction.
    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.row() < m_frozenRows)
        verticalScrollBar()->setValue(vertical);
    if (index.column() < m_frozenColumns)
        horizontalScrollBar()->setValue(horizontal);
    // A cell scrolled into view must not end up under the frozen rows or columns.
    const QRect rect = visualRect(index);
    if (index.column() >= m_frozenColumns && rect.left() < frozenWidth())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (frozenWidth() - rect.left()));
    if (index.row() >= m_frozenRows && rect.top() < frozenHeight())
        verticalScrollBar()->setValue(verticalScrollBar()->value() - (frozenHeight() - rect.top()));
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/CashFlowGrid.h"

#include "core/money/CashFlow.h"
#include "export/PrintableCashFlow.h"
#include "gui/table/LifeCycleGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>

namespace harukaze {

namespace {

constexpr int CELL_PADDING = 12; // pixels beside a cell's text
constexpr int ROW_PADDING = 6; // pixels above and below a line of text

bool isTotal(MoneyRow row)
{
    return row == MoneyRow::IncomeTotal || row == MoneyRow::ExpenseTotal || row == MoneyRow::Balance
        || row == MoneyRow::Savings;
}

} // namespace

CashFlowGrid::CashFlowGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new QStandardItemModel(this))
{
    setObjectName(QStringLiteral("cashFlowGrid"));
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
    setStyleSheet(QStringLiteral("QTableView#cashFlowGrid { gridline-color: rgb(192, 192, 192); }"));

    m_columnsView = createOverlay(QStringLiteral("frozenColumnsView"));
    m_rowsView = createOverlay(QStringLiteral("frozenRowsView"));
    m_cornerView = createOverlay(QStringLiteral("frozenCornerView"));

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
}

CashFlowGrid::~CashFlowGrid() = default;

QTableView* CashFlowGrid::createOverlay(const QString& name)
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
    view->setStyleSheet(QStringLiteral("QTableView { gridline-color: black; }"));
    view->show();
    return view;
}

QColor CashFlowGrid::negativeColor()
{
    // The same red as on paper and in the workbook.
    return negativeMoneyColor();
}

void CashFlowGrid::setTable(const CashFlowTable& table, const QFont& font)
{
    setFont(font);
    for (QTableView* view : { m_rowsView, m_columnsView, m_cornerView })
        view->setFont(font);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(font);
    const QFontMetrics boldMetrics(bold);
    const QBrush cellBrush(QApplication::palette().color(QPalette::Base));
    const QBrush textBrush(QApplication::palette().color(QPalette::Text));
    const QBrush fixedBrush(LifeCycleGrid::fixedCellColor());
    const QBrush negativeBrush(negativeColor());

    const int rowCount = static_cast<int>(table.rows.size());
    const int columnCount = TABLE_FIXED_COLS + TABLE_YEARS;
    m_model->clear();
    m_model->setRowCount(rowCount);
    m_model->setColumnCount(columnCount);
    std::vector<int> widths(static_cast<size_t>(columnCount), 0);
    std::vector<int> lines(static_cast<size_t>(rowCount), 1);

    for (int r = 0; r < rowCount; ++r) {
        const CashFlowRow& row = table.rows[static_cast<size_t>(r)];
        const bool money = row.kind == CashFlowRowKind::Money;
        const int moneyIndex = r - (rowCount - MONEY_ROWS);
        const bool total = money && isTotal(static_cast<MoneyRow>(moneyIndex));
        const bool signalsNegative = money
            && (static_cast<MoneyRow>(moneyIndex) == MoneyRow::Balance
                || static_cast<MoneyRow>(moneyIndex) == MoneyRow::Savings);
        for (int c = 0; c < columnCount; ++c) {
            const bool fixed = r < TABLE_FIXED_ROWS || c < TABLE_FIXED_COLS;
            QString text;
            if (c == 0)
                text = QString::fromStdString(row.label);
            else if (c == 1)
                text = QString::fromStdString(row.rate);
            else
                text = QString::fromStdString(row.cells[static_cast<size_t>(c - TABLE_FIXED_COLS)]);
            auto* item = new QStandardItem;
            item->setData(text, Qt::UserRole);
            Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter;
            QString shown = text;
            if (c == 0) {
                alignment = Qt::AlignLeft | Qt::AlignVCenter;
            } else if (c == 1 || r < TABLE_FIXED_ROWS) {
                alignment = Qt::AlignCenter;
            } else if (row.kind == CashFlowRowKind::Events) {
                // One event per line, so the year columns need not be as wide as a whole year.
                shown = text.split(QStringLiteral("／")).join(QLatin1Char('\n'));
                alignment = Qt::AlignLeft | Qt::AlignTop;
                if (!text.isEmpty())
                    item->setToolTip(shown);
                lines[static_cast<size_t>(r)]
                    = std::max(lines[static_cast<size_t>(r)], static_cast<int>(shown.count(QLatin1Char('\n'))) + 1);
            }
            item->setText(shown);
            item->setTextAlignment(alignment);
            item->setBackground(fixed ? fixedBrush : cellBrush);
            const bool negative = signalsNegative && c >= TABLE_FIXED_COLS && text.startsWith(QLatin1Char('-'));
            item->setForeground(negative ? negativeBrush : textBrush);
            if (total)
                item->setFont(bold);
            item->setFlags(fixed ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
            m_model->setItem(r, c, item);

            const QFontMetrics& measure = total ? boldMetrics : metrics;
            for (const QString& line : shown.split(QLatin1Char('\n')))
                widths[static_cast<size_t>(c)]
                    = std::max(widths[static_cast<size_t>(c)], measure.horizontalAdvance(line) + CELL_PADDING);
        }
    }

    const int lineHeight = std::max(metrics.lineSpacing(), boldMetrics.lineSpacing());
    for (int c = 0; c < columnCount; ++c)
        setColumnWidth(c, widths[static_cast<size_t>(c)]);
    for (int r = 0; r < rowCount; ++r)
        setRowHeight(r, lineHeight * lines[static_cast<size_t>(r)] + ROW_PADDING);
    syncOverlays();
    updateOverlayGeometry();
}

int CashFlowGrid::rows() const
{
    return m_model->rowCount();
}

int CashFlowGrid::cols() const
{
    return m_model->columnCount();
}

QString CashFlowGrid::text(int row, int column) const
{
    return m_model->index(row, column).data(Qt::UserRole).toString();
}

QColor CashFlowGrid::textColor(int row, int column) const
{
    return m_model->index(row, column).data(Qt::ForegroundRole).value<QBrush>().color();
}

bool CashFlowGrid::isBold(int row, int column) const
{
    return m_model->index(row, column).data(Qt::FontRole).value<QFont>().bold();
}

void CashFlowGrid::syncOverlays()
{
    for (int r = 0; r < m_model->rowCount(); ++r) {
        m_rowsView->setRowHidden(r, r >= TABLE_FIXED_ROWS);
        m_cornerView->setRowHidden(r, r >= TABLE_FIXED_ROWS);
        for (QTableView* view : { m_rowsView, m_columnsView, m_cornerView })
            view->setRowHeight(r, rowHeight(r));
    }
    for (int c = 0; c < m_model->columnCount(); ++c) {
        m_columnsView->setColumnHidden(c, c >= TABLE_FIXED_COLS);
        m_cornerView->setColumnHidden(c, c >= TABLE_FIXED_COLS);
        for (QTableView* view : { m_rowsView, m_columnsView, m_cornerView })
            view->setColumnWidth(c, columnWidth(c));
    }
}

int CashFlowGrid::frozenWidth() const
{
    int width = 0;
    for (int c = 0; c < TABLE_FIXED_COLS && c < m_model->columnCount(); ++c)
        width += columnWidth(c);
    return width;
}

int CashFlowGrid::frozenHeight() const
{
    int height = 0;
    for (int r = 0; r < TABLE_FIXED_ROWS && r < m_model->rowCount(); ++r)
        height += rowHeight(r);
    return height;
}

void CashFlowGrid::updateOverlayGeometry()
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

void CashFlowGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    updateOverlayGeometry();
}

void CashFlowGrid::updateGeometries()
{
    QTableView::updateGeometries();
    updateOverlayGeometry();
}

void CashFlowGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || (index.row() < TABLE_FIXED_ROWS && index.column() < TABLE_FIXED_COLS))
        return;
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

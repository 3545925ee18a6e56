// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/CashFlowGrid.h"

#include "core/money/CashFlow.h"
#include "export/PrintableCashFlow.h"

#include <QApplication>
#include <QStandardItemModel>

#include <algorithm>

namespace harukaze {

namespace {

constexpr int CELL_PADDING = 12; // pixels beside a cell's text
constexpr int ROW_PADDING = 6; // pixels above and below a line of text

const QString FOLDED_MARK = QStringLiteral("▸ ");
const QString OPEN_MARK = QStringLiteral("▾ ");

bool isTotal(MoneyRow row)
{
    return row == MoneyRow::IncomeTotal || row == MoneyRow::ExpenseTotal || row == MoneyRow::Balance
        || row == MoneyRow::Savings;
}

} // namespace

CashFlowGrid::CashFlowGrid(QWidget* parent)
    : FrozenPaneGrid(QStringLiteral("cashFlowGrid"), TABLE_FIXED_ROWS, TABLE_FIXED_COLS, QColor(), parent)
{
    // The label column lies under its frozen pane, which takes the clicks.
    connect(frozenColumnsView(), &QTableView::clicked, this, &CashFlowGrid::labelClicked);
    connect(this, &QTableView::clicked, this, &CashFlowGrid::labelClicked);
}

CashFlowGrid::~CashFlowGrid() = default;

QColor CashFlowGrid::negativeColor()
{
    // The same red as on paper and in the workbook.
    return negativeMoneyColor();
}

void CashFlowGrid::setTable(const CashFlowTable& table, const QFont& font)
{
    setGridFont(font);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(font);
    const QFontMetrics boldMetrics(bold);
    const QBrush cellBrush(QApplication::palette().color(QPalette::Base));
    const QBrush textBrush(QApplication::palette().color(QPalette::Text));
    const QBrush fixedBrush(fixedCellColor());
    const QBrush negativeBrush(negativeColor());

    const int rowCount = static_cast<int>(table.rows.size());
    const int columnCount = TABLE_FIXED_COLS + TABLE_YEARS;
    // The years, then the money, then the members' ages and the events in the table's order.
    m_tableRows.clear();
    m_foldUnder.assign(static_cast<size_t>(rowCount), -1);
    const auto kindOf = [&table](int r) { return table.rows[static_cast<size_t>(r)].kind; };
    for (int r = 0; r < rowCount; ++r) {
        if (kindOf(r) == CashFlowRowKind::Year)
            m_tableRows.push_back(r);
    }
    m_incomeTotalRow = table.rowIndex(MoneyRow::IncomeTotal);
    m_expenseTotalRow = table.rowIndex(MoneyRow::ExpenseTotal);
    for (int r = 0; r < rowCount; ++r) {
        if (kindOf(r) != CashFlowRowKind::Money)
            continue;
        m_tableRows.push_back(r);
        // The rows a total adds up fold away under it.
        const MoneyRowRole role = moneyRowRole(table.rows[static_cast<size_t>(r)].money);
        if (role == MoneyRowRole::Income)
            m_foldUnder[static_cast<size_t>(r)] = m_incomeTotalRow;
        else if (role == MoneyRowRole::Expense)
            m_foldUnder[static_cast<size_t>(r)] = m_expenseTotalRow;
    }
    for (int r = 0; r < rowCount; ++r) {
        if (kindOf(r) == CashFlowRowKind::Member || kindOf(r) == CashFlowRowKind::Events)
            m_tableRows.push_back(r);
    }
    m_gridRows.assign(static_cast<size_t>(rowCount), 0);
    for (int g = 0; g < rowCount; ++g)
        m_gridRows[static_cast<size_t>(m_tableRows[static_cast<size_t>(g)])] = g;
    for (int r = 0; r < rowCount; ++r)
        setRowHidden(r, false);
    itemModel()->clear();
    itemModel()->setRowCount(rowCount);
    itemModel()->setColumnCount(columnCount);
    std::vector<int> widths(static_cast<size_t>(columnCount), 0);
    std::vector<int> lines(static_cast<size_t>(rowCount), 1);

    for (int g = 0; g < rowCount; ++g) {
        const int r = m_tableRows[static_cast<size_t>(g)];
        const CashFlowRow& row = table.rows[static_cast<size_t>(r)];
        const bool money = row.kind == CashFlowRowKind::Money;
        const bool folding = money && (row.money == MoneyRow::IncomeTotal || row.money == MoneyRow::ExpenseTotal);
        const bool total = money && isTotal(row.money);
        const bool signalsNegative = money && (row.money == MoneyRow::Balance || row.money == MoneyRow::Savings);
        for (int c = 0; c < columnCount; ++c) {
            const bool fixed = isFixedCell(g, c);
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
            } else if (c == 1 || g < TABLE_FIXED_ROWS) {
                alignment = Qt::AlignCenter;
            } else if (row.kind == CashFlowRowKind::Events) {
                // One event per line, so the year columns need not be as wide as a whole year.
                shown = text.split(QStringLiteral("／")).join(QLatin1Char('\n'));
                alignment = Qt::AlignLeft | Qt::AlignTop;
                if (!text.isEmpty())
                    item->setToolTip(shown);
                lines[static_cast<size_t>(g)]
                    = std::max(lines[static_cast<size_t>(g)], static_cast<int>(shown.count(QLatin1Char('\n'))) + 1);
            }
            item->setText(shown);
            item->setTextAlignment(alignment);
            item->setBackground(fixed ? fixedBrush : cellBrush);
            const bool negative = signalsNegative && c >= TABLE_FIXED_COLS && text.startsWith(QLatin1Char('-'));
            item->setForeground(negative ? negativeBrush : textBrush);
            if (total)
                item->setFont(bold);
            item->setFlags(fixed ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
            if (c == 0 && folding) {
                item->setToolTip(QStringLiteral("クリックすると内訳を表示／非表示します"));
                // Room for either mark.
                shown = OPEN_MARK + text;
            }
            itemModel()->setItem(g, c, item);

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
    setFolded(m_incomeTotalRow, m_incomeFolded);
    setFolded(m_expenseTotalRow, m_expenseFolded);
}

int CashFlowGrid::gridRow(int tableRow) const
{
    return tableRow >= 0 && tableRow < static_cast<int>(m_gridRows.size()) ? m_gridRows[static_cast<size_t>(tableRow)]
                                                                           : -1;
}

bool CashFlowGrid::isFolded(int totalTableRow) const
{
    if (totalTableRow < 0)
        return false;
    return totalTableRow == m_incomeTotalRow ? m_incomeFolded : totalTableRow == m_expenseTotalRow && m_expenseFolded;
}

void CashFlowGrid::setFolded(int totalTableRow, bool folded)
{
    if (totalTableRow < 0 || (totalTableRow != m_incomeTotalRow && totalTableRow != m_expenseTotalRow))
        return;
    (totalTableRow == m_incomeTotalRow ? m_incomeFolded : m_expenseFolded) = folded;
    for (size_t r = 0; r < m_foldUnder.size(); ++r) {
        if (m_foldUnder[r] == totalTableRow)
            setRowHidden(gridRow(static_cast<int>(r)), folded);
    }
    showFoldMark(totalTableRow);
    updateOverlaySections();
    updateOverlayGeometry();
}

void CashFlowGrid::showFoldMark(int totalTableRow)
{
    QStandardItem* item = itemModel()->item(gridRow(totalTableRow), 0);
    if (item)
        item->setText((isFolded(totalTableRow) ? FOLDED_MARK : OPEN_MARK) + item->data(Qt::UserRole).toString());
}

void CashFlowGrid::labelClicked(const QModelIndex& index)
{
    if (index.column() != 0 || index.row() < 0 || index.row() >= static_cast<int>(m_tableRows.size()))
        return;
    const int tableRow = m_tableRows[static_cast<size_t>(index.row())];
    if (tableRow < 0 || (tableRow != m_incomeTotalRow && tableRow != m_expenseTotalRow))
        return;
    setFolded(tableRow, !isFolded(tableRow));
    emit foldingChanged();
}

QString CashFlowGrid::text(int row, int column) const
{
    return itemModel()->index(row, column).data(Qt::UserRole).toString();
}

QColor CashFlowGrid::textColor(int row, int column) const
{
    return itemModel()->index(row, column).data(Qt::ForegroundRole).value<QBrush>().color();
}

bool CashFlowGrid::isBold(int row, int column) const
{
    return itemModel()->index(row, column).data(Qt::FontRole).value<QFont>().bold();
}

} // namespace harukaze

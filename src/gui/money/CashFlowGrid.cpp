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

bool isTotal(MoneyRow row)
{
    return row == MoneyRow::IncomeTotal || row == MoneyRow::ExpenseTotal || row == MoneyRow::Balance
        || row == MoneyRow::Savings;
}

} // namespace

CashFlowGrid::CashFlowGrid(QWidget* parent)
    : FrozenPaneGrid(QStringLiteral("cashFlowGrid"), TABLE_FIXED_ROWS, TABLE_FIXED_COLS, QColor(), parent)
{
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
    itemModel()->clear();
    itemModel()->setRowCount(rowCount);
    itemModel()->setColumnCount(columnCount);
    std::vector<int> widths(static_cast<size_t>(columnCount), 0);
    std::vector<int> lines(static_cast<size_t>(rowCount), 1);

    for (int r = 0; r < rowCount; ++r) {
        const CashFlowRow& row = table.rows[static_cast<size_t>(r)];
        const bool money = row.kind == CashFlowRowKind::Money;
        const bool total = money && isTotal(row.money);
        const bool signalsNegative = money && (row.money == MoneyRow::Balance || row.money == MoneyRow::Savings);
        for (int c = 0; c < columnCount; ++c) {
            const bool fixed = isFixedCell(r, c);
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
            itemModel()->setItem(r, c, item);

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
    updateOverlaySections();
    updateOverlayGeometry();
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

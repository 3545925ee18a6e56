// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PrintableCashFlow.h"

#include "core/money/CashFlow.h"
#include "core/table/TableShape.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace harukaze {

namespace {

constexpr int FIXED_ROWS = 3; // 経過年数, 西暦, 和暦
constexpr int FIXED_COLUMNS = 2; // label, rate
// Room either side of a cell's text on screen, in font sizes.
constexpr double CELL_PADDING_EM = 0.6;
constexpr double BOLD_WIDENING = 1.06;
constexpr double SEPARATOR_EM = 0.3;

// Width of a line in font sizes as a proportional Japanese font sets it: narrow (ASCII and
// half-width kana) characters about half a square, the others a whole one.
double emsOf(const QString& line)
{
    double ems = 0;
    for (const QChar ch : line) {
        const char16_t code = ch.unicode();
        ems += code < 0x80 || (code >= 0xFF61 && code <= 0xFF9F) ? 0.55 : 1.0;
    }
    return ems;
}

bool isTotal(MoneyRow row)
{
    return row == MoneyRow::IncomeTotal || row == MoneyRow::ExpenseTotal || row == MoneyRow::Balance
        || row == MoneyRow::Savings;
}

} // namespace

QString cashFlowTitle()
{
    return QStringLiteral("キャッシュフロー表");
}

QString cashFlowSourceNote(bool hasMoneySettings)
{
    QString note = QStringLiteral("文部科学省「令和5年度 子供の学習費調査」ほか（教育費）　金額は万円、試算です");
    if (!hasMoneySettings)
        note += QStringLiteral("　家計設定が未入力のため標準の値で計算");
    return note;
}

QColor negativeMoneyColor()
{
    return QColor(204, 0, 0);
}

PrintableTable printableCashFlowTable(const CashFlowTable& table,
    const QString& planFilePath,
    const QDate& printDate,
    const QString& fontFamily,
    double fontPoints)
{
    PrintableTable printable;
    printable.title = cashFlowTitle();
    printable.documentName = documentNameOf(planFilePath);
    printable.sourceNote = cashFlowSourceNote(table.hasMoneySettings);
    printable.printDate = printDate;
    printable.fontFamily = fontFamily.isEmpty() ? QString::fromUtf8(TABLE_FONT_NAME) : fontFamily;
    printable.fontPoints = fontPoints > 0 ? fontPoints : TABLE_FONT_POINTS;
    // Fifty-one years do not fit a page width at a size one can read: they go on further pages.
    printable.minimumFontPoints = printable.fontPoints;

    const int rowCount = static_cast<int>(table.rows.size());
    const int columnCount = FIXED_COLUMNS + TABLE_YEARS;
    printable.fixedRows = std::min(FIXED_ROWS, rowCount);
    printable.fixedColumns = FIXED_COLUMNS;
    printable.cells.assign(static_cast<size_t>(rowCount), std::vector<QString>(static_cast<size_t>(columnCount)));
    std::vector<double> ems(static_cast<size_t>(columnCount), 0.0);

    for (int r = 0; r < rowCount; ++r) {
        const CashFlowRow& row = table.rows[static_cast<size_t>(r)];
        const bool money = row.kind == CashFlowRowKind::Money;
        const MoneyRow moneyRow = row.money;
        const bool bold = money && isTotal(moneyRow);
        const bool signalsNegative = money && (moneyRow == MoneyRow::Balance || moneyRow == MoneyRow::Savings);
        if (bold)
            printable.boldRows.insert(r);
        if (row.kind == CashFlowRowKind::Events)
            printable.rowAlignments[r] = Qt::AlignLeft | Qt::AlignTop;

        std::vector<QString>& cells = printable.cells[static_cast<size_t>(r)];
        cells[0] = QString::fromStdString(row.label);
        cells[1] = QString::fromStdString(row.rate);
        for (int n = 0; n < TABLE_YEARS; ++n) {
            QString text = QString::fromStdString(row.cells[static_cast<size_t>(n)]);
            // One event a line, as the window shows them.
            if (row.kind == CashFlowRowKind::Events)
                text = text.split(QStringLiteral("／")).join(QLatin1Char('\n'));
            if (signalsNegative && text.startsWith(QLatin1Char('-')))
                printable.setTextColor(FIXED_COLUMNS + n, r, negativeMoneyColor());
            cells[static_cast<size_t>(FIXED_COLUMNS + n)] = text;
        }
        for (int c = 0; c < columnCount; ++c) {
            const QString& cell = cells[static_cast<size_t>(c)];
            // A workbook shows the numbers with thousands separators.
            const bool number = c >= FIXED_COLUMNS && r >= printable.fixedRows && row.kind != CashFlowRowKind::Events;
            const int separators
                = number ? std::max(0, static_cast<int>(cell.size()) - 1 - cell.startsWith(QLatin1Char('-'))) / 3 : 0;
            for (const QString& line : cell.split(QLatin1Char('\n'))) {
                const double width = (emsOf(line) + separators * SEPARATOR_EM) * (bold ? BOLD_WIDENING : 1.0);
                ems[static_cast<size_t>(c)] = std::max(ems[static_cast<size_t>(c)], width);
            }
        }
    }

    for (int c = 0; c < columnCount; ++c) {
        PrintableColumn column;
        // As wide as the widest text, as the window makes its columns.
        column.widthTwips = static_cast<int>(
            std::lround((ems[static_cast<size_t>(c)] + CELL_PADDING_EM) * printable.fontPoints * 20));
        if (c == 0) {
            column.headerAlignment = Qt::AlignLeft | Qt::AlignVCenter;
            column.bodyAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        } else if (c == 1) {
            column.bodyAlignment = Qt::AlignCenter;
        } else {
            column.bodyAlignment = Qt::AlignRight | Qt::AlignVCenter;
            // Ages and amounts go into a workbook as numbers; the events stay text.
            column.numberFormat = QStringLiteral("#,##0");
        }
        printable.columns.push_back(column);
    }
    return printable;
}

} // namespace harukaze

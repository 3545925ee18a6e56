// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PrintableTable.h"

#include "core/table/TableModel.h"
#include "core/table/TableShape.h"

#include <QFileInfo>

#include <algorithm>

namespace harukaze {

QString PrintableTable::text(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const std::vector<QString>& line = cells[static_cast<size_t>(row)];
    if (column < 0 || column >= static_cast<int>(line.size()))
        return {};
    return line[static_cast<size_t>(column)];
}

QColor PrintableTable::tint(int column, int row) const
{
    const auto found = tints.find({ column, row });
    return found == tints.end() ? QColor() : found->second;
}

QColor PrintableTable::textColor(int column, int row) const
{
    const auto found = textColors.find({ column, row });
    return found == textColors.end() ? QColor() : found->second;
}

Qt::Alignment PrintableTable::alignment(int row, int column) const
{
    if (column < 0 || column >= columnCount())
        return Qt::AlignLeft | Qt::AlignVCenter;
    const PrintableColumn& format = columns[static_cast<size_t>(column)];
    if (row < fixedRows)
        return format.headerAlignment;
    const auto found = rowAlignments.find(row);
    return found == rowAlignments.end() ? format.bodyAlignment : found->second;
}

int PrintableTable::lineCount(int row) const
{
    int lines = 1;
    if (row < 0 || row >= rowCount())
        return lines;
    for (const QString& text : cells[static_cast<size_t>(row)])
        lines = std::max(lines, static_cast<int>(text.count(QLatin1Char('\n'))) + 1);
    return lines;
}

QColor fixedCellColor()
{
    return QColor(192, 255, 255);
}

Qt::Alignment alignmentOfCode(int code)
{
    switch (code) {
    case ALIGN_CENTER_TOP:
        return Qt::AlignHCenter | Qt::AlignTop;
    case ALIGN_CENTER_CENTER:
        return Qt::AlignCenter;
    case ALIGN_LEFT_CENTER:
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QString lifeCycleTitle()
{
    return QStringLiteral("ライフサイクル表");
}

QString lifeExpectancySource()
{
    return QStringLiteral("厚生労働省「第23回生命表（完全生命表）」");
}

QString documentNameOf(const QString& planFilePath)
{
    const QString name = QFileInfo(planFilePath).fileName();
    return name.isEmpty() ? QStringLiteral("(無題)") : name;
}

void setUpLifeCycleTable(PrintableTable& table, const QString& planFilePath, const QDate& printDate)
{
    table.title = lifeCycleTitle();
    table.documentName = documentNameOf(planFilePath);
    table.sourceNote = lifeExpectancySource();
    table.printDate = printDate;
    table.fixedRows = std::min(TABLE_FIXED_ROWS, table.rowCount());
    table.fixedColumns = std::min(TABLE_FIXED_COLS, table.columnCount());
    // The Western year always has four digits, the era year at least two.
    if (table.columnCount() > 0)
        table.columns[0].numberFormat = QStringLiteral("0000");
    if (table.columnCount() > 1)
        table.columns[1].numberFormat = QStringLiteral("00");
    // A member's cell that holds the age alone is a number; one with an event ("31 第２子") or a
    // mark stays text.
    for (int c = table.fixedColumns; c < table.columnCount(); ++c)
        table.columns[static_cast<size_t>(c)].numberFormat = QStringLiteral("0");
}

PrintableTable printableLifeCycleTable(const TableModel& table, const QString& planFilePath, const QDate& printDate)
{
    PrintableTable printable;
    printable.fontFamily = QString::fromStdString(table.fontName);
    printable.fontPoints = table.fontSize > 0 ? table.fontSize : TABLE_FONT_POINTS;
    printable.fontBold = table.fontBold;
    printable.fontItalic = table.fontItalic;
    const int columns = table.columnCount();
    for (int c = 0; c < columns; ++c) {
        const TableColumn& source = table.columns[static_cast<size_t>(c)];
        PrintableColumn column;
        column.widthTwips = source.widthTwips;
        column.headerAlignment = alignmentOfCode(source.fixedAlignment);
        column.bodyAlignment = alignmentOfCode(source.columnAlignment);
        printable.columns.push_back(column);
    }
    printable.cells.assign(static_cast<size_t>(table.rowCount()), std::vector<QString>(static_cast<size_t>(columns)));
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c)
            printable.cells[static_cast<size_t>(r)][static_cast<size_t>(c)] = QString::fromStdString(table.text(r, c));
    }
    setUpLifeCycleTable(printable, planFilePath, printDate);
    return printable;
}

} // namespace harukaze

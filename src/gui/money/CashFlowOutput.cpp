// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/CashFlowOutput.h"

#include "core/money/CashFlow.h"
#include "core/table/TableShape.h"
#include "export/PrintableCashFlow.h"
#include "gui/money/CashFlowGrid.h"
#include "gui/money/CashFlowWindow.h"

#include <QDate>

#include <utility>

namespace harukaze {

TableOutput cashFlowOutput(const CashFlowTable& table, const QString& planFilePath, const QFont& font)
{
    PrintableTable printable = printableCashFlowTable(table,
        planFilePath,
        QDate::currentDate(),
        font.family(),
        font.pointSizeF() > 0 ? font.pointSizeF() : TABLE_FONT_POINTS);
    printable.fontBold = font.bold();
    printable.fontItalic = font.italic();
    return TableOutput(std::move(printable));
}

TableOutput cashFlowOutput(const CashFlowWindow& window, const QString& planFilePath)
{
    return cashFlowOutput(window.table(), planFilePath, window.grid()->font());
}

bool saveWorkbook(
    QWidget* parent, const PrintableTable& lifeCycle, const PrintableTable& cashFlow, const QString& suggested)
{
    TableOutput output(lifeCycle);
    output.addSheet(cashFlow);
    return output.saveXlsx(parent, suggested);
}

} // namespace harukaze

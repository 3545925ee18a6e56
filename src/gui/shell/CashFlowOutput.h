// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/common/TableOutput.h"

#include <QFont>
#include <QString>

class QWidget;

namespace harukaze {

class CashFlowWindow;
struct CashFlowTable;

/**
 * The print, print preview, PDF and Excel commands over a cash-flow table, on the life cycle
 * table's path (TableOutput): the pages of printableCashFlowTable() in `font` (the table font of
 * the window), the years over as many page widths as they need, then the window's chart on a page
 * of its own; the workbook's sheet gets the chart as charts of the spreadsheet program. `planFilePath` is empty for a
 * plan not yet saved and the demo (the pages then say "(無題)").
 */
TableOutput cashFlowOutput(const CashFlowTable& table, const QString& planFilePath, const QFont& font);

/** The same for the table a cash-flow window shows, in the window's table font. */
TableOutput cashFlowOutput(const CashFlowWindow& window, const QString& planFilePath);

/**
 * The Excel command over both tables: the save dialog, then one workbook with the sheets
 * "ライフサイクル表" (`lifeCycle`, as that table's own commands print it) and "キャッシュフロー表".
 * False when cancelled or not written (a message then says so).
 */
bool saveWorkbook(QWidget* parent,
    const PrintableTable& lifeCycle,
    const PrintableTable& cashFlow,
    const QString& suggested = QString());

} // namespace harukaze

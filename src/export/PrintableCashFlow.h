// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/PrintableTable.h"

#include <QColor>
#include <QDate>
#include <QString>

namespace harukaze {

struct CashFlowTable;

/** The title of the cash-flow table's pages and sheet, "キャッシュフロー表". */
QString cashFlowTitle();

/**
 * The footer of the cash-flow table's pages and sheet: the source of the education costs and that
 * the amounts are estimates in 万円; when the plan has no 家計設定, also that the table shows the
 * defaults.
 */
QString cashFlowSourceNote(bool hasMoneySettings);

/** The red of negative 年間収支 and 貯蓄残高, on screen, on paper and in the sheet. */
QColor negativeMoneyColor();

/**
 * The printable cash-flow table: title "キャッシュフロー表", the plan's document name, the print date
 * and the source note; the rows of the table (経過年数, 西暦 and 和暦 as the three header rows, the
 * members' ages, 家族のイベント one event a line, the sixteen money rows with the totals bold and
 * negative 年間収支 and 貯蓄残高 red) under the label and rate columns, then the 51 years. The text is
 * never made smaller than `fontPoints` (the table font on screen): the years run over as many page
 * widths as they need, each repeating the label and rate columns. In a workbook the ages and the
 * amounts are numbers ("#,##0"). `fontFamily` empty stands for the table's usual font.
 */
PrintableTable printableCashFlowTable(const CashFlowTable& table,
    const QString& planFilePath,
    const QDate& printDate,
    const QString& fontFamily = QString(),
    double fontPoints = TABLE_FONT_POINTS);

} // namespace harukaze

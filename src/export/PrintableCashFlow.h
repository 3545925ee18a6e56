// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/CashFlow.h"
#include "export/PrintableTable.h"

#include <QColor>
#include <QDate>
#include <QString>

namespace harukaze {

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

/** The title of the cash-flow chart, "収入・支出と貯蓄残高の推移（万円）". */
QString cashFlowChartTitle();
/** The colour of a row's bars or line in the cash-flow chart (収入合計, 支出合計, 貯蓄残高). */
QColor cashFlowChartColor(MoneyRow row);

/**
 * The printable cash-flow table: title "キャッシュフロー表", the plan's document name, the print date
 * and the source note; the rows of the table (経過年数, 西暦 and 和暦 as the three header rows, the
 * sixteen money rows with the totals bold and negative 年間収支 and 貯蓄残高 red, the members' ages,
 * 家族のイベント one event a line: the money first, as the window shows it) under the label and rate
 * columns, then the 51 years; and its chart (収入合計 and 支出合計 as bars, 貯蓄残高 as a line), whose
 * page painter the caller gives. The text is never made smaller than `fontPoints` (the table font on
 * screen): the years run over as many page widths as they need, the same years on every page of a
 * width, each page repeating the label and rate columns. In a workbook 経過年数, 西暦, the ages and
 * the amounts are numbers ("#,##0"), the rates numbers shown as percentages. `fontFamily` empty
 * stands for the table's usual font.
 */
PrintableTable printableCashFlowTable(const CashFlowTable& table,
    const QString& planFilePath,
    const QDate& printDate,
    const QString& fontFamily = QString(),
    double fontPoints = TABLE_FONT_POINTS);

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/PrintableTable.h"

#include <QDate>
#include <QString>

#include <map>

namespace harukaze {

class LoanSchedule;

/** The title of the schedule's window, pages and sheet, "返済予定表". */
QString loanScheduleTitle();

/** An amount in yen with thousands separators ("1,234,567"). */
QString yenText(int64_t yen);

/**
 * The summary above the schedule: 毎月返済額 (the first payment), 総返済額, 利息総額 (未払利息 paid
 * included), 完済年月, and with 団信 the amount cleared and its year; one item a line.
 */
QStringList loanScheduleSummary(const LoanSchedule& schedule);

/**
 * The printable schedule: the header row 回数 … 残高, one row per payment and 繰上返済, a bold row per
 * year; with `credits` (by year, only when the plan computes the 住宅ローン控除) a column
 * 住宅ローン控除 filled on the year rows. The summary is the footer. Amounts go into a workbook as
 * numbers ("#,##0").
 */
PrintableTable printableLoanSchedule(const LoanSchedule& schedule,
    const std::map<int, int64_t>* credits,
    const QString& planFilePath,
    const QDate& printDate,
    const QString& fontFamily = QString(),
    double fontPoints = 9.0);

} // namespace harukaze

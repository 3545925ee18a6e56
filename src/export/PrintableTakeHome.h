// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/TakeHomeLines.h"
#include "export/PrintableTable.h"

#include <QDate>
#include <QString>

#include <vector>

namespace harukaze {

/** The title of the breakdown's pages: "手取りの内訳". */
QString takeHomeTitle();

/**
 * The breakdown 手取りの内訳 of one spouse-year as a printable table: a header row (項目, 金額（円）,
 * 計算), then one row per line, headings in bold, amounts right-aligned with thousands separators.
 * `subject` names the year and the spouse ("2026年　夫") and goes into the title.
 */
PrintableTable printableTakeHome(const std::vector<TakeHomeLine>& lines,
    const QString& subject,
    const QString& planFilePath,
    const QDate& printDate,
    const QString& fontFamily,
    double fontPoints);

} // namespace harukaze

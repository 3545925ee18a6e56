// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

namespace harukaze {

/**
 * A date as the page header prints it, Western then era year: "2026年12月7日（令和8年）".
 * The era is the one in force on that day (2019-04-30 is 平成31年, 2019-05-01 令和元年); the
 * first year of an era reads 元年. An invalid date gives an empty text.
 */
QString japaneseDateText(const QDate& date);

} // namespace harukaze

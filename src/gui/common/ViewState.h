// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace harukaze {

/**
 * How a window was last laid out (a splitter's place, what was folded), kept in the per-user
 * settings store beside the main window's placement, in section "View".
 */
namespace ViewState {

/** The bytes stored under `key`, or empty ones when none are. */
QByteArray read(const QString& key);
void write(const QString& key, const QByteArray& value);

} // namespace ViewState

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/PrintableTable.h"

#include <QByteArray>
#include <QPageLayout>
#include <QString>

namespace harukaze {

/**
 * The printed pages of `table` as a PDF document, its fonts embedded, titled after the table and
 * its document name and created by HARUKAZE. `layout` is the page (the pages' default when invalid).
 * Needs a QGuiApplication. Empty when the document could not be made.
 */
QByteArray tablePdf(const PrintableTable& table, const QPageLayout& layout = QPageLayout());

/**
 * Writes tablePdf() to `path`, replacing the file only once the whole document is written: a
 * failure leaves an existing file as it was and no partial file. False (and `error` set) on failure.
 */
bool saveTablePdf(const QString& path,
    const PrintableTable& table,
    QString* error = nullptr,
    const QPageLayout& layout = QPageLayout());

} // namespace harukaze

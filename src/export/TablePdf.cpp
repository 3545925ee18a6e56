// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TablePdf.h"

#include "core/io/SaveFile.h"
#include "export/TablePages.h"
#include "harukaze/Version.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>

#include <string>

namespace harukaze {

QByteArray tablePdf(const PrintableTable& table, const QPageLayout& layout)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly))
            return {};
        QPdfWriter writer(&buffer);
        writer.setPageLayout(layout.isValid() ? layout : TablePages::defaultPageLayout());
        writer.setResolution(1200);
        writer.setTitle(
            table.documentName.isEmpty() ? table.title : table.title + QStringLiteral(" - ") + table.documentName);
        writer.setCreator(QStringLiteral("HARUKAZE ") + QStringLiteral(HARUKAZE_VERSION));
        TablePages pages(table);
        if (!pages.paint(&writer))
            return {};
    }
    return bytes;
}

bool saveTablePdf(const QString& path, const PrintableTable& table, QString* error, const QPageLayout& layout)
{
    const QByteArray bytes = tablePdf(table, layout);
    if (bytes.isEmpty()) {
        if (error)
            *error = path + QStringLiteral(": the PDF document could not be made");
        return false;
    }
    std::string reason;
    const std::string local = QFile::encodeName(path).toStdString();
    if (!saveFileAtomically(local, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), &reason)) {
        if (error)
            *error = QString::fromLocal8Bit(reason.c_str());
        return false;
    }
    return true;
}

} // namespace harukaze

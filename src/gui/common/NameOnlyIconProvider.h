// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileIconProvider>
#include <QMimeDatabase>

namespace harukaze {

/**
 * Icons and type texts for the file dialogs that come from a file's name alone. Qt's own provider
 * reads the first bytes of a file to tell its type, which hangs on a FIFO, on /proc/kmsg or on a
 * slow network folder; this one never opens a file: the type is the one its extension stands for
 * (a file without a known extension is of the generic type), a folder is a folder.
 */
class NameOnlyIconProvider : public QFileIconProvider
{
public:
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
    /** The type shown for a plan file (.HRZ). */
    static QString planFileType();

private:
    QMimeType mimeTypeOf(const QFileInfo& info) const;

    QMimeDatabase m_mimeTypes;
};

} // namespace harukaze

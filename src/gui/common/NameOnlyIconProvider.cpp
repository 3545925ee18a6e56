// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/NameOnlyIconProvider.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeType>

namespace harukaze {

QMimeType NameOnlyIconProvider::mimeTypeOf(const QFileInfo& info) const
{
    // The name without its folder: MatchExtension never opens the file.
    return m_mimeTypes.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
}

QIcon NameOnlyIconProvider::icon(IconType type) const
{
    return QFileIconProvider::icon(type);
}

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const
{
    if (info.isRoot())
        return icon(Drive);
    if (info.isDir())
        return icon(Folder);
    const QMimeType mimeType = mimeTypeOf(info);
    QIcon themed = QIcon::fromTheme(mimeType.iconName());
    if (themed.isNull())
        themed = QIcon::fromTheme(mimeType.genericIconName());
    return themed.isNull() ? icon(File) : themed;
}

QString NameOnlyIconProvider::planFileType()
{
    return QStringLiteral("ハルカゼのプラン");
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const
{
    // Folders, drives, links and the rest are told by the file system entry, not by its bytes.
    if (info.isRoot() || !info.isFile())
        return QFileIconProvider::type(info);
    // The program's own plan files, whether or not the desktop knows their type yet.
    if (info.suffix().compare(QLatin1String("HRZ"), Qt::CaseInsensitive) == 0)
        return planFileType();
    const QMimeType mimeType = mimeTypeOf(info);
    return mimeType.comment().isEmpty() ? mimeType.name() : mimeType.comment();
}

} // namespace harukaze

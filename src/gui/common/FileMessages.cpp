// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FileMessages.h"

namespace harukaze {

namespace {

QString withReason(const QString& lead, const QString& path, const std::string& reason)
{
    QString text = lead + QLatin1Char('\n') + path;
    if (!reason.empty())
        text += QLatin1Char('\n') + QString::fromStdString(reason);
    return text;
}

} // namespace

QString saveFailedText(const QString& path, const std::string& reason)
{
    return withReason(QStringLiteral("ファイルを保存できませんでした。"), path, reason);
}

QString openFailedText(const QString& path, const std::string& reason)
{
    return withReason(QStringLiteral("ファイルを開けませんでした。"), path, reason);
}

} // namespace harukaze

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

QString moneySectionCutWarning(const QString& path, const QString& dropped)
{
    return QStringLiteral("家計設定が大きすぎるため、一部を読み込んでいません。") + QLatin1Char('\n') + path
        + QStringLiteral("\n\n読み込んでいない行：\n") + dropped
        + QStringLiteral("\n\nこのまま保存すると、これらの行は失われます。");
}

QString moneySectionCutQuestion(const QString& dropped)
{
    return QStringLiteral("このプランは、家計設定の一部を読み込まずに開いています。\n") + dropped
        + QStringLiteral("\n\n保存すると、読み込んでいない行は失われます。保存しますか？");
}

} // namespace harukaze

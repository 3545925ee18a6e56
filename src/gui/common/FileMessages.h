// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

namespace harukaze {

/**
 * The failure messages of the file commands: what failed, the path on the next line and, when
 * the reading or writing gave one, the reason on the line below ("Permission denied",
 * "No space left on device", "通常のファイルではありません" ...), so that a full disk and a
 * permission problem do not look alike.
 */

/** "ファイルを保存できませんでした。" + "\n" + `path` (+ "\n" + `reason` when there is one). */
QString saveFailedText(const QString& path, const std::string& reason);

/** "ファイルを開けませんでした。" + "\n" + `path` (+ "\n" + `reason` when there is one). */
QString openFailedText(const QString& path, const std::string& reason);

/**
 * The warning after opening a plan whose money section was cut (`dropped`: PlanSession::
 * moneySectionCut()): "家計設定が大きすぎるため、一部を読み込んでいません。", the path, what was
 * dropped, and that saving loses it.
 */
QString moneySectionCutWarning(const QString& path, const QString& dropped);

/** The question before saving such a plan (OK saves): what was dropped, lost by the save. */
QString moneySectionCutQuestion(const QString& dropped);

} // namespace harukaze

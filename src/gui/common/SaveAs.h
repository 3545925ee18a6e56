// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace harukaze {

/** What a save command asks for and how it treats an existing file. */
struct SaveRequest
{
    QString title; ///< the dialog's title ("PDF形式で保存", ...)
    QString filter; ///< its file type filter
    QString suffix; ///< added to a name typed without one
    QString suggested; ///< the name offered: the plan's own, with `suffix`
    /** The plan's own file: replacing it is what saving means, so no question is asked for it. */
    QString ownFile;
    /**
     * Which existing files are replaced only after a question: every one (a plan's save), or only
     * plan files (an export must not silently destroy another plan).
     */
    enum class Ask { AnyExistingFile, ExistingPlanFile } ask = Ask::ExistingPlanFile;
    /** Asked once a name is chosen, before writing; false ends the command quietly. */
    std::function<bool()> confirm;
};

/**
 * The one way a command saves a file: the save dialog, the question before replacing an existing
 * file the request names, the writing (`write`, which sets `reason` on failure), and the failure
 * message with the path. Returns the path written, or "" when nothing was (cancelled or failed).
 */
QString saveAs(QWidget* parent,
    const SaveRequest& request,
    const std::function<bool(const QString& path, QString* reason)>& write);

/** `planFile` with its suffix replaced by `suffix` ("山田家.HRZ" -> "山田家.pdf"); "" for no file. */
QString withSuffix(const QString& planFile, const QString& suffix);

/** The question before replacing `path`. */
QString replaceQuestion(const QString& path);

} // namespace harukaze

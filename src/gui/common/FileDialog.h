// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace harukaze {

/**
 * The file dialogs of the document commands. A returned empty string means the user cancelled.
 * Tests answer the next dialog with setNextFileName() (an empty name answers with a cancel).
 */
class FileDialog
{
public:
    /**
     * Open dialog. `filter` is a Qt filter such as "HARUKAZE (*.HRZ *.hrz)"; the file need not exist.
     * `defaultSuffix` (without dot) is added when the chosen name has no suffix. The dialog shows
     * `folder` first when one is given.
     */
    static QString getOpenFileName(QWidget* parent,
        const QString& title,
        const QString& filter,
        const QString& defaultSuffix,
        const QString& folder = QString());

    /**
     * Save-as dialog without an overwrite prompt; `defaultSuffix` is added when the name has none.
     * `suggested` (a path or a bare file name) is the name the dialog offers.
     */
    static QString getSaveFileName(QWidget* parent,
        const QString& title,
        const QString& filter,
        const QString& defaultSuffix,
        const QString& suggested = QString());

    /** Test hook: the next dialog is not shown and returns `fileName` (empty = cancelled). */
    static void setNextFileName(const QString& fileName);
    /** Title of the last dialog asked for. */
    static QString lastTitle();
    /** Filter of the last dialog asked for. */
    static QString lastFilter();
    /** The name the last save dialog offered. */
    static QString lastSuggestion();

    /** `fileName` with `.suffix` appended when it has no suffix of its own. */
    static QString withDefaultSuffix(const QString& fileName, const QString& suffix);
};

} // namespace harukaze

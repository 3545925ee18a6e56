// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <optional>

class QWidget;

namespace harukaze {

/** The font dialog of the font command. Tests answer it with setNextFont() instead of showing it. */
class FontDialog
{
public:
    /**
     * Runs the dialog starting at `initial`; returns the chosen font, or nothing when cancelled. A
     * size outside the table's 6..36 points is held at the nearer end, so that what the table shows
     * is what the next start reads back.
     */
    static std::optional<QFont> getFont(QWidget* parent, const QFont& initial);

    /**
     * `font` with a face the dialog lists: a face that is only a substitution name is replaced by
     * the installed face it is drawn with.
     */
    static QFont listedFont(const QFont& font);

    /** Test hook: the next dialog is not shown and returns `font` (std::nullopt = cancelled). */
    static void setNextFont(const std::optional<QFont>& font);
    /** Initial font of the last dialog asked for. */
    static QFont lastInitialFont();
};

} // namespace harukaze

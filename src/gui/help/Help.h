// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace harukaze {

/**
 * The program's help: the help file "HARUKAZE.HLP" beside the program, shown in the program's own
 * help viewer window. Every help menu item and every "ヘルプ" button goes through these functions.
 */
namespace Help {

/** Sets the help file path (APP_DIR + "HARUKAZE.HLP" at start-up); empty means no help file. */
void setHelpFile(const QString& path);
QString helpFile();

/** Shows the contents page. */
void showContents(QWidget* parent);
/** Opens the keyword search with an empty keyword. */
void showSearch(QWidget* parent);
/** Shows the topic with the given number (e.g. 90 for the family range page). */
void showTopic(QWidget* parent, int topic);
/**
 * Shows the HTML page `path` (the documentation page) in the help viewer, for when no browser can
 * show it; the next help request loads the help file again.
 */
void showDocument(QWidget* parent, const QString& path);
/** Closes the help viewer, as the exit command asks. */
void close();

} // namespace Help

} // namespace harukaze

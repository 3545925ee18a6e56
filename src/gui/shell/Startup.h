// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QApplication;

namespace harukaze {

/** The program's start-up: the environment it sets up and the start-up routine MAIN. */
namespace Startup {

/** Registers the program's icons and images (Qt resources of the GUI library). */
void initResources();

/** Lets the Windows table font names render with an installed Japanese gothic font. */
void installFontSubstitutions();

/** The program folder with a trailing "/" (APP_DIR). */
QString appDirectory();
/** `folder` with exactly one trailing "/". */
QString withTrailingSeparator(const QString& folder);

/** Sets APP_DIR and the help file (APP_DIR + "HARUKAZE.HLP"). */
void setUpProgramFolder();

/**
 * MAIN: splash, program folder and help file, main window load, the refusal of a second copy,
 * then the main window. Returns the program's exit code.
 */
int MAIN(QApplication& app);

} // namespace Startup

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QApplication;
class QWidget;

namespace harukaze {

/** The environment the program and its tests start in: resources, fonts, the program folder. */
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
 * For the start-up benchmark (bench/startup-time.sh): when the environment variable
 * HARUKAZE_EXIT_AFTER_FIRST_FRAME is set, the process ends at once after `window` has painted its
 * first frame, so that the time from its start to that frame can be taken from outside.
 */
void exitAfterFirstFrameIfAsked(QWidget* window);

} // namespace Startup

} // namespace harukaze

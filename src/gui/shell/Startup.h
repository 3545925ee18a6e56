// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QApplication;

namespace harukaze {

class frmMain;
class InstanceServer;

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
 * For a start with a plan file: closes the opening demo that the main window's load opened, and
 * leaves the commands as a start without the demo has them.
 */
void startWithoutDemo(frmMain& mainWindow);

/** True when no setup wizard page and no settings editor is up, so a plan file may be opened. */
bool isFreeToOpen(const frmMain& mainWindow);

/**
 * Opens a plan file that came from outside the Open dialog (the command line, a second launch, a
 * drop) as the Open command does once its dialog has named the file; the opening demo, if shown,
 * is closed first. False when the file was not opened.
 */
bool openRequestedPlan(frmMain& mainWindow, const QString& path);

/**
 * Routes plan files from a second launch (through `server`) and from drops on the main window to
 * openRequestedPlan(), once the program is free (isFreeToOpen() and no modal dialog).
 */
void connectPlanOpeners(frmMain& mainWindow, InstanceServer& server);

/**
 * The end of the start-up once this copy holds the instance lock: connects the plan openers, shows
 * the main window and then opens `planPath` if one was given (startWithoutDemo() has run then).
 */
void showMainWindow(frmMain& mainWindow, InstanceServer& server, const QString& planPath);

/**
 * MAIN: splash, program folder and help file, main window load, the refusal of a second copy,
 * then the main window. With `planPath` the program starts without the demo and opens the file;
 * when a copy already runs, the file is handed to it and this copy ends at once without a word.
 * Returns the program's exit code.
 */
int MAIN(QApplication& app, const QString& planPath = QString());

} // namespace Startup

} // namespace harukaze

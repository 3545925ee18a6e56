// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <functional>

class QAction;
class QWidget;

/** Helpers shared by the GUI tests. */
namespace GuiTest {

/**
 * Per-user settings and runtime folders in a fresh temporary folder for as long as the object
 * lives: QSettings (INI, user scope) writes there, and QStandardPaths is in test mode.
 */
class TemporarySettings
{
public:
    TemporarySettings();
    ~TemporarySettings();

    QString folder() const { return m_dir.path(); }
    /** The INI file of application "HARUKAZE". */
    QString iniPath() const;
    /** Removes every stored value. */
    void clear();
    /** Writes one value (section/key) straight into the store. */
    void write(const QString& key, const QVariant& value);
    /** Reads one value straight from the store ("" when absent). */
    QString read(const QString& key) const;

private:
    QTemporaryDir m_dir;
};

/**
 * The program's start-up environment for a test: resources, font substitutions, APP_DIR (the
 * test's folder, where the data files are), the help file and a fixed current year.
 */
void setUpProgramEnvironment(int year = 2026);

/** Resets the plan and the process-wide state as a fresh process has them (APP_DIR kept). */
void resetProcessState();

/**
 * Runs `action` on the next modal widget as soon as one is shown (polled by a timer), as the
 * dialogs' exec() would otherwise block the test. `done`, when given, becomes true once it ran.
 */
void answerNextModal(const std::function<void(QWidget*)>& action, bool* done = nullptr);

/** The action with this object name under `root`, or nullptr. */
QAction* findAction(QWidget* root, const QString& name);

/** Bytes of a whole file ("" when it cannot be read). */
QByteArray readFile(const QString& path);

} // namespace GuiTest

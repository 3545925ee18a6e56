// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/common/PlanDocument.h"

#include <QObject>
#include <QPushButton>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QLineEdit;
namespace harukaze {
class frmMain;
class LifeCycleGrid;
class PlanDocument;
struct ProcessState;

/**
 * The tests' way to put the process-wide state into a given condition before acting as the user
 * would; the program itself changes it only through the plan session's operations.
 */
struct PlanSessionTestAccess
{
    static ProcessState& state();
};
} // namespace harukaze
using harukaze::frmMain;
using harukaze::PlanSessionTestAccess;

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

/** The session's current plan document. */
harukaze::PlanDocument& currentDocument();

/** Whether a child window named `objectName` ("Form1", "Form100", "Form200", ...) is on screen. */
bool isWindowOpen(const char* objectName);

/**
 * Runs `action` on the next modal widget as soon as one is shown (polled by a timer), as the
 * dialogs' exec() would otherwise block the test. `done`, when given, becomes true once it ran.
 */
void answerNextModal(const std::function<void(QWidget*)>& action, bool* done = nullptr);

/**
 * Polls every `intervalMs` for a modal widget that `accept` takes, at most `tries` times, and runs
 * `action` on the first one. `done`, when given, becomes true once it ran.
 */
void pollForModal(const std::function<bool(QWidget*)>& accept,
    const std::function<void(QWidget*)>& action,
    int intervalMs,
    int tries,
    bool* done = nullptr);

/**
 * Closes the modal widget that a key or click opens before the event loop's next pass, and sets
 * `opened` when there was one. For a step that must open no dialog: were one opened, its exec()
 * would otherwise hold the test.
 */
void closeModalOnNextPass(bool* opened);

/** Records the addresses handed to the desktop (install with QDesktopServices::setUrlHandler). */
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

/** The main window as the program starts it: built, loaded and shown. */
std::unique_ptr<frmMain> startMainWindow();

/** The same after storing whether the demo shows at start (DEMO/VIEW). */
std::unique_ptr<frmMain> startMainWindow(TemporarySettings& settings, bool demo);

/** The action with this object name under `root`, or nullptr. */
QAction* findAction(QWidget* root, const QString& name);

/**
 * The fixed cells of a table grid (the two header rows and the two year columns) whose text does
 * not fit the frozen pane that shows it, measured in that pane's font: higher than its row, or so
 * wide that the centred text would touch a grid line (less than a pixel left on either side).
 * Each as "(row, column) text"; empty when every fixed text stands clear in its cell.
 */
QStringList unfittingFixedCells(const harukaze::LifeCycleGrid* grid);

/** Whether `text` shows whole in a line edit: it is as wide as the box's text area at most. */
bool fitsLineEdit(const QLineEdit* box, const QString& text);

/** Bytes of a whole file ("" when it cannot be read). */
QByteArray readFile(const QString& path);

} // namespace GuiTest

/**
 * Runs `action` on the active modal widget once one is up (checked every 10 ms, `tries` times),
 * so a test can answer a dialog whose exec() would otherwise block it.
 */
void onModal(std::function<void(QWidget*)> action, int tries = 300);

/**
 * Runs `action` on the next modal dialog of type T once it is up, passing over other modal
 * widgets; `ran`, when given, becomes true once it ran.
 */
template <typename T>
void whenModal(std::function<void(T*)> action, bool* ran = nullptr, int tries = 500)
{
    GuiTest::pollForModal([](QWidget* modal) { return qobject_cast<T*>(modal) != nullptr; },
        [action](QWidget* modal) { action(qobject_cast<T*>(modal)); },
        10,
        tries,
        ran);
}

/**
 * The descendant of `parent` of pointer type T named `name`. A missing widget ends the test
 * run at once with its name, rather than failing later on a null pointer.
 */
template <typename T>
T child(const QObject* parent, const char* name)
{
    T found = parent ? parent->findChild<T>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        qFatal("no child %s in %s", name, parent ? qPrintable(parent->objectName()) : "(no parent)");
    return found;
}

/** A mouse click on the button of `parent` named `name` (ended at once when there is none). */
inline void click(const QObject* parent, const char* name)
{
    QTest::mouseClick(child<QPushButton*>(parent, name), Qt::LeftButton);
}

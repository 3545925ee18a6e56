// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/shell/ProcessState.h"

#include <QMdiSubWindow>

namespace harukaze {

class LifeCycleGrid;
class frmMain;
struct TableContext;

/**
 * A child window of the main window that holds nothing but a life cycle table grid `MSFlexGrid1`.
 * The window holds no plan of its own: its load builds the table from the process-wide plan, and
 * a changed plan is shown by loading a new window. Closing it through its frame runs the main
 * window's close command, so the unsaved question and the command states apply there too.
 */
class TableWindow : public QMdiSubWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(TableWindow)

public:
    TableWindow(frmMain* mainWindow, const QString& name);
    ~TableWindow() override;

    /** The load step: captions, commands and flags as the window's kind needs, then the build. */
    virtual void load() = 0;

    LifeCycleGrid* grid() const { return m_grid; }

    /** Applies the font command's font to the grid (face, size, bold, italic, column widths). */
    void applyTableFont(const QFont& font);

    /** Closes the window for a command that has already decided to close it. */
    void closeByCommand();

    /** What a build in this process reads: the current year, APP_DIR and the table font. */
    static TableContext currentContext();

signals:
    /** The user asked to close the window through its frame or its system menu. */
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    /** Builds the plan's table into the grid; `tbl` receives every text (nullptr for the demo). */
    void buildTable(TextMatrix* tbl);
    frmMain* mainWindow() const { return m_mainWindow; }

private:
    frmMain* m_mainWindow;
    LifeCycleGrid* m_grid;
    bool m_closeAllowed = false;
};

} // namespace harukaze

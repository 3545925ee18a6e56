// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/TableWindow.h"

#include "core/table/Clock.h"
#include "core/table/TableBuilder.h"
#include "gui/shell/frmMain.h"
#include "gui/table/LifeCycleGrid.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

namespace harukaze {

TableWindow::TableWindow(frmMain* mainWindow, const QString& name)
    : QMdiSubWindow(nullptr)
    , m_mainWindow(mainWindow)
    , m_grid(new LifeCycleGrid(this))
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/harukaze.png")));
    setWidget(m_grid);
    // The main window's Ctrl+W runs the close command; the system menu's own shortcuts would make
    // those keys ambiguous.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions())
            action->setShortcut(QKeySequence());
    }
}

TableWindow::~TableWindow() = default;

TableContext TableWindow::currentContext()
{
    const ProcessState& state = globalState();
    TableContext context;
    context.y0 = currentYear();
    context.appDir = state.APP_DIR;
    context.fontName = state.FONT_NAME;
    context.fontSize = state.FONT_SIZE;
    return context;
}

void TableWindow::buildTable(TextMatrix* tbl)
{
    m_grid->setTable(buildLifeCycleTable(globalPlan(), currentContext(), tbl));
}

void TableWindow::applyTableFont(const QFont& font)
{
    m_grid->applyTableFont(font);
}

void TableWindow::closeByCommand()
{
    m_closeAllowed = true;
    close();
}

void TableWindow::closeEvent(QCloseEvent* event)
{
    // A close through the frame runs the main window's close command, which calls closeByCommand()
    // when it decides to close (that inner close() is a no-op while this one runs).
    if (!m_closeAllowed)
        emit closeRequested();
    if (m_closeAllowed)
        QMdiSubWindow::closeEvent(event);
    else
        event->ignore();
}

} // namespace harukaze

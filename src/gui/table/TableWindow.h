// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/TableModel.h"
#include "gui/common/PlanSession.h"
#include "gui/table/AttentionTints.h"

#include <QMdiSubWindow>

namespace harukaze {

class AttentionLegend;
class LifeCycleGrid;

/**
 * A child window of the main window that holds a life cycle table grid `MSFlexGrid1` and, under it,
 * the legend of the table's attention marks.
 * The window holds no plan of its own: its load builds the table from the session's plan, and a
 * changed plan is shown by loading a new window. A close through its frame is only a request
 * (closeRequested()); whoever owns the window decides and calls closeByCommand().
 */
class TableWindow : public QMdiSubWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(TableWindow)

public:
    TableWindow(PlanWindow kind, const QString& name, QWidget* parent = nullptr);
    ~TableWindow() override;

    /** The load step: caption and open flag as the window's kind needs, then the build. */
    virtual void load() = 0;

    PlanWindow kind() const { return m_kind; }
    LifeCycleGrid* grid() const { return m_grid; }
    /** The table as last built (what print and export read). */
    const TableModel& table() const { return m_table; }

    /** Builds the table anew from the session's plan, as the load did. */
    void rebuild() { buildTable(m_kind != PlanWindow::Demo); }

    /** The attention marks of the table as last built. */
    const AttentionTints& attention() const { return m_attention; }
    /** Shows or hides the attention marks: cell tints, their tool tips and the legend under the grid. */
    void showAttention(bool shown);

    /** Applies the font command's font to the grid (face, size, bold, italic, column widths). */
    void applyTableFont(const QFont& font);

    /** Closes the window for a command that has already decided to close it. */
    void closeByCommand();

signals:
    /** The user asked to close the window through its frame or its system menu. */
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    /** Builds the session's plan into the grid; `keepTexts` also fills TBL (not for the demo). */
    void buildTable(bool keepTexts);
    /** "ライフサイクル表 - " and the plan's file, or "(無題)" for a plan never saved. */
    void showPlanTitle();

private:
    PlanWindow m_kind;
    LifeCycleGrid* m_grid;
    AttentionLegend* m_legend;
    TableModel m_table;
    AttentionTints m_attention;
    bool m_attentionShown = true;
    bool m_closeAllowed = false;
};

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/table/AttentionTints.h"

#include <QMdiSubWindow>
#include <QPointer>

namespace harukaze {

class AttentionLegend;
class LifeCycleGrid;
class PlanDocument;

/** The windows that show a plan's table. */
enum class PlanWindow {
    Demo, ///< Form1, the opening demo
    Form100, ///< the table of a plan just made with the setup wizard
    Form200 ///< the table of a plan opened from a file or changed in the settings editor
};

/**
 * A child window of the main window that shows the life cycle table of one plan document: the
 * grid `MSFlexGrid1` and, under it, the legend of the table's attention marks. Its object name is
 * its kind's ("Form100" for a plan made with the wizard, "Form200" for an opened or edited one,
 * "Form1" for the demo); its caption names the plan's file. The window follows its document: a
 * changed plan, table font or file name shows at once.
 * A close through its frame is only a request (closeRequested()); whoever owns the window decides
 * and calls closeByCommand().
 */
class TableWindow : public QMdiSubWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(TableWindow)

public:
    TableWindow(PlanDocument* document, PlanWindow kind, QWidget* parent = nullptr);
    ~TableWindow() override;

    PlanWindow kind() const { return m_kind; }
    PlanDocument* document() const { return m_document; }
    LifeCycleGrid* grid() const { return m_grid; }

    /** The attention marks of the table shown. */
    const AttentionTints& attention() const { return m_attention; }
    bool isAttentionShown() const { return m_attentionShown; }
    /** Shows or hides the attention marks: cell tints, their tool tips and the legend under the grid. */
    void showAttention(bool shown);

    /** Closes the window for a command that has already decided to close it. */
    void closeByCommand();

signals:
    /** The user asked to close the window through its frame or its system menu. */
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    /** Copies the document's table into the grid, with its attention marks. */
    void showTable();
    /** "ライフサイクル表 - " and the plan's file, or "(無題)" for a plan never saved. */
    void showPlanTitle();

    PlanWindow m_kind;
    QPointer<PlanDocument> m_document;
    LifeCycleGrid* m_grid;
    AttentionLegend* m_legend;
    AttentionTints m_attention;
    bool m_attentionShown = true;
    bool m_closeAllowed = false;
};

} // namespace harukaze

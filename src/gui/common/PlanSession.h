// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"
#include "core/table/Attention.h"
#include "core/table/TableBuilder.h"
#include "gui/common/ProcessState.h"

#include <QObject>
#include <QString>

#include <string>

namespace harukaze {

/** The windows that show the plan's table. */
enum class PlanWindow {
    Demo, ///< Form1, the opening demo
    Form100, ///< the table of a plan just made with the setup wizard
    Form200 ///< the table of a plan opened from a file or changed in the settings editor
};

/**
 * The program's one plan and the process-wide state beside it (SAVED, PLAN_FILE_NAME, the open
 * flags, the table font, TBL ...). The session is the only writer of that state: windows and
 * commands call its operations and listen to its signals.
 *
 * The plan record itself is edited in place by the wizard pages, the settings editor and the
 * opening demo (plan()); whoever changes it on the user's behalf reports it with markEdited().
 */
class PlanSession : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PlanSession)

public:
    /** The process-wide session. */
    static PlanSession& instance();

    FamilyPlan& plan() { return m_plan; }
    const FamilyPlan& plan() const { return m_plan; }
    const ProcessState& state() const { return m_state; }

    bool isSaved() const { return m_state.SAVED == 1; }
    /** The plan file the plan was opened from or last saved to ("" for a plan never saved). */
    QString fileName() const;
    bool isOpen(PlanWindow window) const;
    /** Form100 or Form200 is open. */
    bool hasTableWindow() const;

    /** A new plan: the record reset, and no file's name any more. */
    void newPlan();
    /**
     * Reads the plan file at `path`. Only a file that could be read replaces the plan (reset, then
     * read field by field) and becomes the plan's file; otherwise the plan stays as it was and
     * `error` says why. Opening the table window and the saved state are the caller's.
     */
    bool open(const QString& path, std::string* error);
    /**
     * What the last open left out of the plan's money section because it went past the reader's
     * caps (moneySectionCutText(): one "・" line per part); empty when the plan is whole, and again
     * once it was saved or another plan replaced it.
     */
    QString moneySectionCut() const { return m_moneySectionCut; }
    /** Writes the plan to `path`; on success the plan is saved and `path` becomes its file. */
    bool save(const QString& path, std::string* error);
    /** Writes the open table's `rows` x `cols` texts of TBL as CSV. */
    bool exportCsv(const QString& path, int rows, int cols, std::string* error) const;
    /** The plan differs from its file. */
    void markEdited();
    /** The plan is what its file holds. */
    void markSaved();

    /** A table window was loaded: its flag set; a plan's own table starts unsaved. */
    void windowOpened(PlanWindow window);
    void windowClosed(PlanWindow window);

    /** What a table build reads besides the plan: this year, APP_DIR and the table font. */
    TableContext tableContext() const;
    /** Each child's university years as the plan's money settings (or their defaults) give them. */
    UniversityYears universityYears() const;
    /** Builds the plan's table; `keepTexts` also writes every text to TBL (the table windows). */
    TableModel buildTable(bool keepTexts);

    /** The main window's load: the children's matrices and TBL cleared, no window open. */
    void clearAtStartup();
    void setAppDir(const std::string& folder);
    void setDemoView(int16_t view);
    void setEraResultYear(int16_t year);
    /** The table font as the settings store keeps it: face, size in points as text, bold, italic. */
    void setTableFont(const std::string& name, const std::string& size, bool bold, bool italic);

signals:
    void savedChanged(bool saved);
    void fileNameChanged(const QString& path);
    void openWindowsChanged();

private:
    friend struct PlanSessionTestAccess;

    PlanSession();
    void setSaved(int16_t saved);
    void setFileName(const std::string& path);

    FamilyPlan m_plan;
    ProcessState m_state;
    QString m_moneySectionCut;
};

} // namespace harukaze

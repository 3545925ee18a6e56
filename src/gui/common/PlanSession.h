// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"
#include "core/table/TableBuilder.h"
#include "gui/common/PlanDocument.h"
#include "gui/common/ProcessState.h"

#include <QObject>
#include <QString>

#include <string>

namespace harukaze {

/**
 * The current plan document and the process-wide settings beside it (program folder, table font,
 * demo setting). The session is the only writer of those settings: windows and commands call its
 * operations and listen to its signals. Other documents (the opening demo's sample family, the plan
 * a running setup wizard fills) belong to their windows; the wizard's becomes current on 完了.
 */
class PlanSession : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PlanSession)

public:
    /** The process-wide session. */
    static PlanSession& instance();

    /** The current document: the plan the table window shows, or the one last shown. */
    PlanDocument& document() { return m_document; }
    const PlanDocument& document() const { return m_document; }
    FamilyPlan& plan() { return m_document.plan(); }
    const FamilyPlan& plan() const { return m_document.plan(); }
    const ProcessState& state() const { return m_state; }

    bool isSaved() const { return m_document.isSaved(); }
    /** The plan file of the current document ("" for a plan never saved). */
    QString fileName() const { return m_document.fileName(); }
    /** What the current plan's open left out of its money section (PlanDocument::moneySectionCut()). */
    QString moneySectionCut() const { return m_document.moneySectionCut(); }

    /** What a table build reads besides the plan: this year, APP_DIR and the table font. */
    TableContext tableContext() const;
    bool tableFontBold() const { return m_state.FONT_BOLD == "True"; }
    bool tableFontItalic() const { return m_state.FONT_ITALIC == "True"; }

    /** The main window's load: the current document's children cleared, as a fresh start has them. */
    void clearAtStartup();
    void setAppDir(const std::string& folder);
    void setDemoView(int16_t view);
    /** The table font as the settings store keeps it: face, size in points as text, bold, italic. */
    void setTableFont(const std::string& name, const std::string& size, bool bold, bool italic);

private:
    friend struct PlanSessionTestAccess;

    PlanSession();

    PlanDocument m_document;
    ProcessState m_state;
};

} // namespace harukaze

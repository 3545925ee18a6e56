// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/PlanSession.h"

#include "core/io/Cp932.h"
#include "core/io/CsvWriter.h"
#include "core/money/EducationCosts.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"
#include "core/table/Clock.h"
#include "core/table/TableCsv.h"
#include "gui/common/BusyPointer.h"

#include <QFile>

namespace harukaze {

PlanSession::PlanSession() = default;

PlanSession& PlanSession::instance()
{
    static PlanSession s_session;
    return s_session;
}

QString PlanSession::fileName() const
{
    return QString::fromStdString(m_state.PLAN_FILE_NAME);
}

bool PlanSession::isOpen(PlanWindow window) const
{
    switch (window) {
    case PlanWindow::Demo:
        return m_state.DEMO_OPEN == 1;
    case PlanWindow::Form100:
        return m_state.FORM100_OPEN == 1;
    case PlanWindow::Form200:
        return m_state.FORM200_OPEN == 1;
    }
    return false;
}

bool PlanSession::hasTableWindow() const
{
    return isOpen(PlanWindow::Form100) || isOpen(PlanWindow::Form200);
}

void PlanSession::setSaved(int16_t saved)
{
    if (m_state.SAVED == saved)
        return;
    m_state.SAVED = saved;
    emit savedChanged(saved == 1);
}

void PlanSession::setFileName(const std::string& path)
{
    if (m_state.PLAN_FILE_NAME == path)
        return;
    m_state.PLAN_FILE_NAME = path;
    emit fileNameChanged(fileName());
}

void PlanSession::newPlan()
{
    REC_CLEAR(m_plan);
    m_moneySectionCut.clear();
    // A plan that was never opened or saved never carries a file's name: a save must ask for one.
    setFileName(std::string());
}

bool PlanSession::open(const QString& path, std::string* error)
{
    FileLines lines;
    std::vector<std::string> trailing;
    MoneySectionCut cut;
    if (!cp932Available(error))
        return false;
    BusyPointer busy;
    if (!FILE_IN(QFile::encodeName(path).toStdString(), lines, error, &trailing, &cut))
        return false;
    REC_CLEAR(m_plan);
    parsePlanFileLines(lines, m_plan);
    parseMoneySection(trailing, m_plan, &cut);
    m_moneySectionCut = QString::fromStdString(moneySectionCutText(cut));
    setFileName(path.toStdString());
    return true;
}

bool PlanSession::save(const QString& path, std::string* error)
{
    if (!cp932Available(error))
        return false;
    BusyPointer busy;
    if (!FILE_OUT_D(QFile::encodeName(path).toStdString(), m_plan, error))
        return false;
    m_moneySectionCut.clear();
    setFileName(path.toStdString());
    setSaved(1);
    return true;
}

bool PlanSession::exportCsv(const QString& path, int rows, int cols, std::string* error) const
{
    if (!cp932Available(error))
        return false;
    BusyPointer busy;
    return FILE_OUT(QFile::encodeName(path).toStdString(), m_state.TBL, rows, cols, error);
}

void PlanSession::markEdited()
{
    setSaved(0);
}

void PlanSession::markSaved()
{
    setSaved(1);
}

void PlanSession::windowOpened(PlanWindow window)
{
    switch (window) {
    case PlanWindow::Demo:
        m_state.DEMO_OPEN = 1;
        break;
    case PlanWindow::Form100:
        m_state.FORM100_OPEN = 1;
        m_state.FORM200_OPEN = 0;
        setSaved(0);
        break;
    case PlanWindow::Form200:
        m_state.FORM100_OPEN = 0;
        m_state.FORM200_OPEN = 1;
        setSaved(0);
        break;
    }
    emit openWindowsChanged();
}

void PlanSession::windowClosed(PlanWindow window)
{
    switch (window) {
    case PlanWindow::Demo:
        m_state.DEMO_OPEN = 0;
        break;
    case PlanWindow::Form100:
        m_state.FORM100_OPEN = 0;
        break;
    case PlanWindow::Form200:
        m_state.FORM200_OPEN = 0;
        break;
    }
    emit openWindowsChanged();
}

TableContext PlanSession::tableContext() const
{
    TableContext context;
    context.y0 = currentYear();
    context.appDir = m_state.APP_DIR;
    context.fontName = m_state.FONT_NAME;
    context.fontSize = m_state.FONT_SIZE;
    return context;
}

UniversityYears PlanSession::universityYears() const
{
    return universityYearsOf(m_plan);
}

TableModel PlanSession::buildTable(bool keepTexts)
{
    BusyPointer busy;
    return buildLifeCycleTable(m_plan, tableContext(), keepTexts ? &m_state.TBL : nullptr);
}

void PlanSession::clearAtStartup()
{
    m_state.DEMO_OPEN = 0;
    m_state.FORM100_OPEN = 0;
    m_state.FORM200_OPEN = 0;
    for (auto& child : m_plan.ST3_MTX1)
        child.fill(0);
    for (auto& child : m_plan.ST3_MTX2)
        child.fill(std::string());
    // Columns 0..17 and rows 0..51, as the start-up has always cleared them.
    for (int c = 0; c <= 17; ++c) {
        for (int r = 0; r <= 51; ++r)
            m_state.TBL[static_cast<size_t>(c)][static_cast<size_t>(r)].clear();
    }
    emit openWindowsChanged();
}

void PlanSession::setAppDir(const std::string& folder)
{
    m_state.APP_DIR = folder;
}

void PlanSession::setDemoView(int16_t view)
{
    m_state.DEMO_VIEW = view;
}

void PlanSession::setEraResultYear(int16_t year)
{
    m_state.ERA_RESULT_YEAR = year;
}

void PlanSession::setTableFont(const std::string& name, const std::string& size, bool bold, bool italic)
{
    m_state.FONT_NAME = name;
    m_state.FONT_SIZE = size;
    m_state.FONT_BOLD = bold ? "True" : "False";
    m_state.FONT_ITALIC = italic ? "True" : "False";
}

} // namespace harukaze

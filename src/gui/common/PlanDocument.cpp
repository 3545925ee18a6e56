// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/PlanDocument.h"

#include "core/io/Cp932.h"
#include "core/money/EducationCosts.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"
#include "gui/common/BusyPointer.h"
#include "gui/common/PlanSession.h"

#include <QFile>
#include <QFileInfo>

namespace harukaze {

PlanDocument::PlanDocument(Origin origin, QObject* parent)
    : QObject(parent)
    , m_origin(origin)
{
}

PlanDocument::~PlanDocument() = default;

void PlanDocument::setOrigin(Origin origin)
{
    m_origin = origin;
}

QString PlanDocument::displayName() const
{
    return m_fileName.isEmpty() ? QStringLiteral("(無題)") : QFileInfo(m_fileName).fileName();
}

void PlanDocument::setSaved(bool saved)
{
    if (m_saved == saved)
        return;
    m_saved = saved;
    emit savedChanged(saved);
}

void PlanDocument::setFileName(const QString& path)
{
    if (m_fileName == path)
        return;
    m_fileName = path;
    emit fileNameChanged(path);
}

void PlanDocument::reset()
{
    REC_CLEAR(m_plan);
    m_origin = Origin::None;
    m_moneySectionCut.clear();
    // A plan that was never opened or saved never carries a file's name: a save must ask for one.
    setFileName(QString());
    edited();
}

void PlanDocument::assign(const FamilyPlan& plan, const QString& fileName, Origin origin)
{
    m_plan = plan;
    m_origin = origin;
    m_moneySectionCut.clear();
    setFileName(fileName);
    edited();
}

void PlanDocument::edited()
{
    setSaved(false);
    m_fontBold = false;
    m_fontItalic = false;
    m_table.reset();
    m_markers.reset();
    m_cashFlow.reset();
    emit planChanged();
    emit tableChanged();
}

void PlanDocument::applyTableFont()
{
    const PlanSession& session = PlanSession::instance();
    m_fontBold = session.tableFontBold();
    m_fontItalic = session.tableFontItalic();
    rebuild();
}

void PlanDocument::rebuild(bool plainFont)
{
    if (plainFont) {
        m_fontBold = false;
        m_fontItalic = false;
    }
    m_table.reset();
    m_markers.reset();
    m_cashFlow.reset();
    emit tableChanged();
}

bool PlanDocument::save(const QString& path, std::string* error)
{
    if (!cp932Available(error))
        return false;
    BusyPointer busy;
    if (!FILE_OUT_D(QFile::encodeName(path).toStdString(), m_plan, error))
        return false;
    m_moneySectionCut.clear();
    setFileName(path);
    setSaved(true);
    return true;
}

std::optional<FamilyPlan> PlanDocument::read(const QString& path, std::string* error, QString* cut)
{
    if (!cp932Available(error))
        return std::nullopt;
    BusyPointer busy;
    FileLines lines;
    std::vector<std::string> trailing;
    MoneySectionCut parts;
    if (!FILE_IN(QFile::encodeName(path).toStdString(), lines, error, &trailing, &parts))
        return std::nullopt;
    FamilyPlan plan;
    REC_CLEAR(plan);
    parsePlanFileLines(lines, plan);
    parseMoneySection(trailing, plan, &parts);
    if (cut)
        *cut = QString::fromStdString(moneySectionCutText(parts));
    return plan;
}

const TableModel& PlanDocument::table() const
{
    if (!m_table) {
        BusyPointer busy;
        const PlanSession& session = PlanSession::instance();
        m_table = buildLifeCycleTable(m_plan, session.tableContext());
        // A build applies the font's name and size; bold and italic only the font command does.
        m_table->fontBold = m_fontBold;
        m_table->fontItalic = m_fontItalic;
    }
    return *m_table;
}

const std::vector<AttentionMarker>& PlanDocument::markers() const
{
    if (!m_markers)
        m_markers = findAttentionMarkers(table(), universityYearsOf(m_plan));
    return *m_markers;
}

const CashFlowTable& PlanDocument::cashFlow() const
{
    if (!m_cashFlow) {
        BusyPointer busy;
        m_cashFlow = buildCashFlowTable(m_plan, table());
    }
    return *m_cashFlow;
}

} // namespace harukaze

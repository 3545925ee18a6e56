// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/TableWindow.h"

#include "gui/table/AttentionLegend.h"
#include "gui/table/LifeCycleGrid.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace harukaze {

TableWindow::TableWindow(PlanWindow kind, const QString& name, QWidget* parent)
    : QMdiSubWindow(parent)
    , m_kind(kind)
    , m_grid(new LifeCycleGrid)
    , m_legend(new AttentionLegend)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/harukaze.png")));
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_grid);
    layout->addWidget(m_legend);
    setWidget(content);
}

TableWindow::~TableWindow() = default;

void TableWindow::buildTable(bool keepTexts)
{
    PlanSession& session = PlanSession::instance();
    m_table = session.buildTable(keepTexts);
    m_grid->setTable(m_table);
    m_attention = AttentionTints::forTable(session.plan(), m_table, session.universityYears());
    showAttention(m_attentionShown);
}

void TableWindow::showAttention(bool shown)
{
    m_attentionShown = shown;
    m_attention.apply(m_grid, shown);
    m_legend->setTints(m_attention, shown);
}

void TableWindow::showPlanTitle()
{
    const QString file = PlanSession::instance().fileName();
    setWindowTitle(QStringLiteral("ライフサイクル表 - ") + (file.isEmpty() ? QStringLiteral("(無題)") : file));
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
    // A close through the frame is a request: the owner's close command calls closeByCommand()
    // when it decides to close (that inner close() is a no-op while this one runs).
    if (!m_closeAllowed)
        emit closeRequested();
    if (m_closeAllowed)
        QMdiSubWindow::closeEvent(event);
    else
        event->ignore();
}

} // namespace harukaze

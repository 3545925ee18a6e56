// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/PlanSession.h"

#include "core/table/Clock.h"

namespace harukaze {

PlanSession::PlanSession() = default;

PlanSession& PlanSession::instance()
{
    static PlanSession s_session;
    return s_session;
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

void PlanSession::clearAtStartup()
{
    FamilyPlan& plan = m_document.plan();
    for (auto& child : plan.ST3_MTX1)
        child.fill(0);
    for (auto& child : plan.ST3_MTX2)
        child.fill(std::string());
    m_document.rebuild();
}

void PlanSession::setAppDir(const std::string& folder)
{
    m_state.APP_DIR = folder;
}

void PlanSession::setDemoView(int16_t view)
{
    m_state.DEMO_VIEW = view;
}

void PlanSession::setTableFont(const std::string& name, const std::string& size, bool bold, bool italic)
{
    m_state.FONT_NAME = name;
    m_state.FONT_SIZE = size;
    m_state.FONT_BOLD = bold ? "True" : "False";
    m_state.FONT_ITALIC = italic ? "True" : "False";
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/Form100.h"

namespace harukaze {

Form100::Form100(QWidget* parent)
    : TableWindow(PlanWindow::Form100, QStringLiteral("Form100"), parent)
{
    // Saving gives a plan its file: the caption follows.
    connect(&PlanSession::instance(), &PlanSession::fileNameChanged, this, &Form100::showPlanTitle);
}

Form100::~Form100() = default;

void Form100::load()
{
    showPlanTitle();
    PlanSession::instance().windowOpened(PlanWindow::Form100);
    buildTable(true);
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/Form200.h"

namespace harukaze {

Form200::Form200(QWidget* parent)
    : TableWindow(PlanWindow::Form200, QStringLiteral("Form200"), parent)
{
    // Saving gives a plan its file: the caption follows.
    connect(&PlanSession::instance(), &PlanSession::fileNameChanged, this, &Form200::showPlanTitle);
}

Form200::~Form200() = default;

void Form200::load()
{
    showPlanTitle();
    PlanSession::instance().windowOpened(PlanWindow::Form200);
    buildTable(true);
}

} // namespace harukaze

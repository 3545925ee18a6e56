// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/Form1.h"

#include "core/table/SampleFamily.h"

namespace harukaze {

Form1::Form1(QWidget* parent)
    : TableWindow(PlanWindow::Demo, QStringLiteral("Form1"), parent)
{
}

Form1::~Form1() = default;

void Form1::load()
{
    setWindowTitle(QStringLiteral("ｵｰﾌﾟﾆﾝｸﾞ･ﾃﾞﾓ"));
    PlanSession& session = PlanSession::instance();
    writeSampleFamily(session.plan());
    session.windowOpened(PlanWindow::Demo);
    buildTable(false);
}

} // namespace harukaze

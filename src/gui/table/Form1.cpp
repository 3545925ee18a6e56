// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/Form1.h"

#include "core/table/SampleFamily.h"

namespace harukaze {

Form1::Form1(frmMain* mainWindow)
    : TableWindow(mainWindow, QStringLiteral("Form1"))
{
}

Form1::~Form1() = default;

void Form1::load()
{
    setWindowTitle(QStringLiteral("ｵｰﾌﾟﾆﾝｸﾞ･ﾃﾞﾓ"));
    writeSampleFamily(globalPlan());
    buildTable(nullptr);
}

} // namespace harukaze

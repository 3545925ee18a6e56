// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo/Form1.h"

#include "table/SampleFamily.h"

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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/Form100.h"

#include "gui/shell/frmMain.h"

namespace harukaze {

Form100::Form100(frmMain* mainWindow)
    : TableWindow(mainWindow, QStringLiteral("Form100"))
{
}

Form100::~Form100() = default;

void Form100::load()
{
    setWindowTitle(QStringLiteral("ライフサイクル表 - (無題)"));
    frmMain* main = mainWindow();
    main->setCommandEnabled(frmMain::Command::Close, true);
    main->setCommandEnabled(frmMain::Command::Font, true);
    main->setCommandEnabled(frmMain::Command::Csv, true);
    main->setCommandEnabled(frmMain::Command::Save, true);

    ProcessState& state = globalState();
    state.FORM100_OPEN = 1;
    state.FORM200_OPEN = 0;
    state.SAVED = 0;

    buildTable(&state.TBL);
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/Form200.h"

#include "gui/shell/BusyPointer.h"
#include "gui/shell/frmMain.h"

namespace harukaze {

Form200::Form200(frmMain* mainWindow)
    : TableWindow(mainWindow, QStringLiteral("Form200"))
{
}

Form200::~Form200() = default;

void Form200::load()
{
    BusyPointer busy;
    ProcessState& state = globalState();
    setWindowTitle(QStringLiteral("ライフサイクル表 - ") + QString::fromStdString(state.PLAN_FILE_NAME));

    frmMain* main = mainWindow();
    main->setCommandEnabled(frmMain::Command::New, false);
    main->setCommandEnabled(frmMain::Command::Open, false);
    main->setCommandEnabled(frmMain::Command::Close, true);
    main->setCommandEnabled(frmMain::Command::Font, true);
    main->setCommandEnabled(frmMain::Command::Csv, true);
    main->setCommandEnabled(frmMain::Command::Save, true);
    main->setCommandEnabled(frmMain::Command::ChangeSettings, true);

    state.FORM100_OPEN = 0;
    state.FORM200_OPEN = 1;
    state.SAVED = 0;

    buildTable(&state.TBL);
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/CommandTable.h"

namespace harukaze {

namespace {

bool availableWithTable(Command command, TableShown shown)
{
    switch (command) {
    case Command::New:
    case Command::Open:
        return false;
    case Command::Close:
    case Command::Font:
    case Command::AttentionList:
    case Command::Preview:
    case Command::Print:
    case Command::Pdf:
    case Command::Xlsx:
    case Command::CashFlow:
    case Command::CashFlowCsv:
    case Command::Compare:
        return true;
    case Command::Csv:
    case Command::Save:
    case Command::MoneySettings:
        // The demo's sample family is no plan of the user's.
        return shown != TableShown::Demo;
    case Command::ChangeSettings:
        // A new plan's table would come back under no file's name as Form200.
        return shown == TableShown::OpenedPlan;
    case Command::Exit:
        break;
    }
    return true;
}

bool availableWithoutTable(Command command, const CommandState& state)
{
    switch (command) {
    case Command::New:
    case Command::Open:
        return true;
    case Command::Csv:
    case Command::Save:
        // The closed table's plan is still held; CSV then writes an empty file.
        return state.held == PlanHeld::NewPlan;
    case Command::ChangeSettings:
        return state.held == PlanHeld::OpenedPlan;
    case Command::Font:
        return !state.windowClosed;
    default:
        return false;
    }
}

} // namespace

bool available(Command command, const CommandState& state)
{
    if (command == Command::Exit)
        return true;
    if (state.editorUp) {
        // The editor holds the plan: New and Open would reset it under the editor, whose 更新 would
        // then overwrite it; the table commands have no table.
        switch (command) {
        case Command::Close:
        case Command::Csv:
        case Command::Save:
        case Command::ChangeSettings:
        case Command::Font:
            break;
        default:
            return false;
        }
    }
    // The settings editor and New would show or reset another plan under a running wizard.
    if (state.wizardUp && (command == Command::New || command == Command::Open || command == Command::ChangeSettings))
        return false;
    if (state.shown == TableShown::Nothing)
        return availableWithoutTable(command, state);
    return availableWithTable(command, state.shown);
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

namespace harukaze {

/** The main window's commands; each has a menu item and most a toolbar button. */
enum class Command {
    New,
    Open,
    Close,
    Csv,
    Save,
    ChangeSettings,
    Font,
    Exit,
    AttentionList,
    Preview,
    Print,
    Pdf,
    Xlsx,
    MoneySettings,
    CashFlow,
    CashFlowCsv,
    Compare
};
constexpr std::size_t CommandCount = 17;

/** What happened to the session, as far as the commands' availability is concerned. */
enum class CommandEvent {
    StartedWithDemo, ///< the main window's load opened the opening demo
    StartedWithoutDemo, ///< the main window's load, demo setting off
    DemoClosed,
    WizardStarted, ///< New: the setup wizard's first page is up
    WizardCancelled,
    Form100Loaded,
    Form100Closed,
    Form200Loaded,
    Form200Closed,
    SettingsEditorOpened ///< 家族設定内容の変更: the table window is closed, the editor holds the plan
};

/** A command's availability after an event: switched on, off, or left as it was. */
enum class Availability : char { Same, On, Off };

/** One row of the table: an event and what it does to each command, in Command order. */
struct CommandRule
{
    CommandEvent event;
    std::array<Availability, CommandCount> commands;
};

/**
 * Which commands an event switches on and off. This is the one place that decides availability;
 * the main window applies the row of each event and Exit is always available.
 */
const CommandRule& commandRule(CommandEvent event);

} // namespace harukaze

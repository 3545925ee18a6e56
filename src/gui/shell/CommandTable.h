// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace harukaze {

/** The main window's commands; each has one action, shared by its menu item and its toolbar button. */
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

/** The table window the main window shows (or the settings editor that stands in its place). */
enum class TableShown {
    Nothing,
    Demo, ///< the opening demo, the sample family
    NewPlan, ///< Form100: a plan made with the setup wizard
    OpenedPlan ///< Form200: a plan opened from a file or changed in the settings editor
};

/** What the current plan document is while no window shows it. */
enum class PlanHeld {
    Nothing, ///< no plan, or a reset one
    NewPlan, ///< the plan of a closed Form100
    OpenedPlan ///< the plan of a closed Form200
};

/** Everything the availability of the commands depends on. */
struct CommandState
{
    TableShown shown = TableShown::Nothing;
    PlanHeld held = PlanHeld::Nothing;
    bool wizardUp = false; ///< a setup wizard page is on screen
    bool editorUp = false; ///< the settings editor is open (`shown` is the table it replaced)
    bool windowClosed = false; ///< a table window or the demo was closed since start-up
};

/**
 * Whether `command` is available in `state`: the one place that decides it. Exit always is; the
 * table commands while a table is shown (家計設定 only for a plan's own table, 家族設定内容の変更 only
 * for an opened or edited one); CSV and データ保存 still after a wizard-made plan's window closed,
 * 家族設定内容の変更 after an opened plan's; フォント at start-up until a window has closed.
 */
bool available(Command command, const CommandState& state);

} // namespace harukaze

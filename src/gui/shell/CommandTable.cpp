// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/CommandTable.h"

#include <algorithm>
#include <iterator>

namespace harukaze {

namespace {

constexpr Availability S = Availability::Same;
constexpr Availability I = Availability::On;
constexpr Availability O = Availability::Off;

// clang-format off
const CommandRule s_rules[] = {
    // Attn (注意が必要な年), Prev, Prnt, PDF, Xlsx, CF (キャッシュフロー表) and its CSV serve any table
    // shown, the demo's too, and so does Cmp (プランの比較); Money (家計設定) only a plan's own table.
    //                                   New Open Close Csv Save Chng Font Exit Attn Prev Prnt PDF Xlsx Money CF CFcsv Cmp
    { CommandEvent::StartedWithDemo,    { O,  O,   S,    O,  O,   O,   S,   I,   I,   I,   I,   I,  I,   O,    I,  I,     I } },
    { CommandEvent::StartedWithoutDemo, { I,  I,   O,    O,  O,   O,   S,   I,   O,   O,   O,   O,  O,   O,    O,  O,     O } },
    { CommandEvent::DemoClosed,         { I,  I,   O,    S,  S,   S,   O,   I,   O,   O,   O,   O,  O,   O,    O,  O,     O } },
    // The settings editor would show the reset plan of a running wizard.
    { CommandEvent::WizardStarted,      { O,  O,   S,    S,  S,   O,   S,   I,   S,   S,   S,   S,  S,   S,    S,  S,     S } },
    { CommandEvent::WizardCancelled,    { I,  I,   S,    S,  S,   S,   S,   I,   S,   S,   S,   S,  S,   S,    S,  S,     S } },
    // A new plan's table: changing its settings would show it under no file's name as Form200.
    { CommandEvent::Form100Loaded,      { S,  S,   I,    I,  I,   O,   I,   I,   I,   I,   I,   I,  I,   I,    I,  I,     I } },
    { CommandEvent::Form100Closed,      { I,  I,   O,    S,  S,   S,   O,   I,   O,   O,   O,   O,  O,   O,    O,  O,     O } },
    { CommandEvent::Form200Loaded,      { O,  O,   I,    I,  I,   I,   I,   I,   I,   I,   I,   I,  I,   I,    I,  I,     I } },
    { CommandEvent::Form200Closed,      { I,  I,   O,    O,  O,   S,   O,   I,   O,   O,   O,   O,  O,   O,    O,  O,     O } },
    // New and Open would reset the plan under the editor, whose 更新 would then overwrite it.
    { CommandEvent::SettingsEditorOpened, { O, O,  S,    S,  S,   S,   S,   I,   O,   O,   O,   O,  O,   O,    O,  O,     O } },
};
// clang-format on

} // namespace

const CommandRule& commandRule(CommandEvent event)
{
    const auto* rule = std::find_if(
        std::begin(s_rules), std::end(s_rules), [event](const CommandRule& r) { return r.event == event; });
    return rule != std::end(s_rules) ? *rule : s_rules[0];
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/CashFlow.h"
#include "core/money/Pension.h"

namespace harukaze {

const std::vector<MoneyModule>& moneyModules()
{
    // One line per module, in the order they run; a module that is not in use adds nothing.
    static const std::vector<MoneyModule> modules {
        addEstimatedPensions, // before anything that reads the 額面 pensions
    };
    return modules;
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/CashFlow.h"

namespace harukaze {

const std::vector<MoneyModule>& moneyModules()
{
    // One line per module, in the order they run; a module that is not in use adds nothing.
    static const std::vector<MoneyModule> modules {};
    return modules;
}

} // namespace harukaze

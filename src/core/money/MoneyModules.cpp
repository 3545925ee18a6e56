// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/CashFlow.h"
#include "core/money/Housing.h"
#include "core/money/Pension.h"
#include "core/money/TaxYears.h"

namespace harukaze {

const std::vector<MoneyModule>& moneyModules()
{
    // One line per module, in the order they run; a module that is not in use adds nothing.
    static const std::vector<MoneyModule> modules {
        addEstimatedPensions, // before anything that reads the 額面 pensions
        &addTaxRows, // 額面 income: 可処分所得, 所得税, 住民税, 社会保険料
        &addHousingRows, // rent, house costs, the housing loan and its credit
    };
    return modules;
}

} // namespace harukaze

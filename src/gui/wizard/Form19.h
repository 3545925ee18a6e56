// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/wizard/CouplePage.h"

namespace harukaze {

/** Setup page 2/6: the husband and the wife (ST2). */
class Form19 : public CouplePage
{
public:
    explicit Form19(FamilyPlan& plan, QWidget* parent = nullptr)
        : CouplePage(CoupleSection::ST2, plan, parent)
    {
    }
};

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/wizard/CouplePage.h"

namespace harukaze {

/** Setup page 5/6: the wife's parents (ST5). */
class Form192 : public CouplePage
{
public:
    explicit Form192(FamilyPlan& plan, QWidget* parent = nullptr)
        : CouplePage(CoupleSection::ST5, plan, parent)
    {
    }
};

} // namespace harukaze

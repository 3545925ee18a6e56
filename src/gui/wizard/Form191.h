// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/wizard/CouplePage.h"

namespace harukaze {

/** Setup page 4/6: the husband's parents (ST4). */
class Form191 : public CouplePage
{
public:
    explicit Form191(FamilyPlan& plan, QWidget* parent = nullptr)
        : CouplePage(CoupleSection::ST4, plan, parent)
    {
    }
};

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/table/TableWindow.h"

namespace harukaze {

/**
 * The opening demo: the life cycle table of the sample family, shown at start-up. The family is a
 * document of the window's own, so nothing done to the user's plan changes the demo.
 */
class Form1 : public TableWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(Form1)

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

private:
    static PlanDocument* sampleDocument();
};

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/table/TableWindow.h"

namespace harukaze {

/**
 * The opening demo: the sample family's life cycle table, shown at start-up. Its load writes the
 * sample family into the plan and builds the table like a table window, but writes nothing to TBL.
 */
class Form1 : public TableWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(Form1)

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    void load() override;
};

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/table/TableWindow.h"

namespace harukaze {

/** The table window of a plan just made with the setup wizard. */
class Form100 : public TableWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(Form100)

public:
    explicit Form100(QWidget* parent = nullptr);
    ~Form100() override;

    void load() override;
};

} // namespace harukaze

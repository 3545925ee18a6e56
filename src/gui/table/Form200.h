// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/table/TableWindow.h"

namespace harukaze {

/** The table window of a plan opened from a file or changed in the settings editor. */
class Form200 : public TableWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(Form200)

public:
    explicit Form200(QWidget* parent = nullptr);
    ~Form200() override;

    void load() override;
};

} // namespace harukaze

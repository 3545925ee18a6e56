// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/wizard/WizardPage.h"

#include <memory>

namespace Ui {
class Form21;
}

namespace harukaze {

/** Setup page 6/6: records nothing; "完了" asks for the new plan's table window. */
class Form21 : public WizardPage
{
    Q_OBJECT

public:
    static constexpr int HELP_TOPIC = 96;

    explicit Form21(QWidget* parent = nullptr);
    ~Form21() override;

protected:
    void goNext() override;

private:
    const std::unique_ptr<Ui::Form21> m_ui;
};

} // namespace harukaze

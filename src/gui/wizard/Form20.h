// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/wizard/WizardPage.h"

#include <memory>

namespace Ui {
class Form20;
}

namespace harukaze {

class ChildrenGrid;
struct FamilyPlan;

/**
 * Setup page 3/6, the children: the children grid MSFlexGrid1, filled from the record when ST3 is
 * recorded and from the defaults otherwise. A double click on a child column opens the child
 * life-event dialog over it; "次へ　>" records the grid (ST3_REC).
 */
class Form20 : public WizardPage
{
    Q_OBJECT

public:
    static constexpr int HELP_TOPIC = 70;

    explicit Form20(FamilyPlan& plan, QWidget* parent = nullptr);
    ~Form20() override;

    ChildrenGrid* grid() const;

    /** ST3_REC: stores the grid into ST3 and its matrices, ST3_COUNT and ST3_RECORDED = 1. */
    void ST3_REC();

protected:
    void goNext() override;

private:
    void editChild(int column);

    const std::unique_ptr<Ui::Form20> m_ui;
    FamilyPlan& m_plan;
};

} // namespace harukaze

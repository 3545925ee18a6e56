// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/wizard/WizardPage.h"

#include <memory>

namespace Ui {
class Form18;
}

namespace harukaze {

struct FamilyPlan;

/**
 * Setup page 1/6, the family range: which members the table holds (husband, wife, children,
 * each of the four parents) and how many children there are now and are still planned.
 * "次へ　>" refuses a total of 11 children or more while the children are in the table, clears
 * ST2_RECORDED when neither husband nor wife is checked, and records ST1 (ST1_REC).
 */
class Form18 : public WizardPage
{
    Q_OBJECT

public:
    static constexpr int HELP_TOPIC = 90;

    explicit Form18(FamilyPlan& plan, QWidget* parent = nullptr);
    ~Form18() override;

    /** The children total shown in Label3 (leading numbers of Text1 and Text2). */
    int childrenTotal() const;

    /** ST1_REC: copies the page into ST1 and sets ST1_RECORDED to 1. */
    void ST1_REC();

protected:
    void goNext() override;

private:
    void setStandard();
    void husbandParentsToggled(bool on);
    void wifeParentsToggled(bool on);
    void updateNextEnabled();
    void updateTotal();
    void countEdited();

    const std::unique_ptr<Ui::Form18> m_ui;
    FamilyPlan& m_plan;
};

} // namespace harukaze

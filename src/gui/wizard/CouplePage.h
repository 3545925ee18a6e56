// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"
#include "gui/wizard/WizardPage.h"

#include <memory>

namespace Ui {
class CouplePage;
}

namespace harukaze {

class CoupleWidget;

/**
 * The design shared by the couple pages: Form19 (page 2/6, ST2, the husband and wife), Form191
 * (page 4/6, ST4, the husband's parents) and Form192 (page 5/6, ST5, the wife's parents). The man's
 * and the woman's frames are shown when their member is in the table; "次へ　>" checks the number
 * boxes and records the section (ST2_REC / ST4_REC / ST5_REC).
 */
class CouplePage : public WizardPage
{
    Q_OBJECT

public:
    CouplePage(CoupleSection section, FamilyPlan& plan, QWidget* parent = nullptr);
    ~CouplePage() override;

    CoupleSection section() const { return m_section; }
    CoupleWidget* coupleWidget() const;

    /** The page's recorder: validates nothing, writes the section and sets its recorded flag. */
    void record();

protected:
    void goNext() override;

private:
    const std::unique_ptr<Ui::CouplePage> m_ui;
    FamilyPlan& m_plan;
    CoupleSection m_section;
};

} // namespace harukaze

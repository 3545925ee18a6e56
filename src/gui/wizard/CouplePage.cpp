// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/CouplePage.h"
#include "ui_CouplePage.h"

#include "core/plan/FamilyPlan.h"
#include "gui/wizard/CoupleWidget.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace harukaze {

namespace {

struct PageTraits
{
    const char* objectName;
    const char* caption;
    const char* frameTitle;
    int helpTopic;
};

PageTraits traitsOf(CoupleSection section)
{
    switch (section) {
    case CoupleSection::ST2:
        return { "Form19", "ハルカゼ設定（２／６）", "", 103 };
    case CoupleSection::ST4:
        return { "Form191", "ハルカゼ設定（４／６）", "夫側両親", 91 };
    case CoupleSection::ST5:
        return { "Form192", "ハルカゼ設定（５／６）", "妻側両親", 61 };
    }
    throw std::out_of_range("couple section " + std::to_string(sectionNumber(section)));
}

// Whether the man and the woman of a couple section are members of the table.
std::pair<bool, bool> membersOf(const FamilyPlan& plan, CoupleSection section)
{
    switch (section) {
    case CoupleSection::ST2:
        return { plan.ST1_HUSBAND == 1, plan.ST1_WIFE == 1 };
    case CoupleSection::ST4:
        return { plan.ST1_HUSBAND_FATHER == 1, plan.ST1_HUSBAND_MOTHER == 1 };
    case CoupleSection::ST5:
        return { plan.ST1_WIFE_FATHER == 1, plan.ST1_WIFE_MOTHER == 1 };
    }
    return { false, false };
}

} // namespace

CouplePage::CouplePage(CoupleSection section, FamilyPlan& plan, QWidget* parent)
    : WizardPage(traitsOf(section).helpTopic, parent)
    , m_ui(new Ui::CouplePage)
    , m_plan(plan)
    , m_section(section)
{
    m_ui->setupUi(this);
    const PageTraits traits = traitsOf(section);
    setObjectName(QString::fromUtf8(traits.objectName));
    setWindowTitle(QString::fromUtf8(traits.caption));
    CoupleWidget* couple = m_ui->coupleWidget;
    couple->setCoupleTitle(QString::fromUtf8(traits.frameTitle));

    const auto [manIn, womanIn] = membersOf(plan, section);
    couple->setManVisible(manIn);
    couple->setWomanVisible(womanIn);
    couple->load(plan, section, true);

    connectNavigation(m_ui->Command1, m_ui->Command4, m_ui->Command3, m_ui->Command2);
}

CouplePage::~CouplePage() = default;

CoupleWidget* CouplePage::coupleWidget() const
{
    return m_ui->coupleWidget;
}

void CouplePage::record()
{
    m_ui->coupleWidget->store(m_plan, m_section);
}

void CouplePage::goNext()
{
    if (!m_ui->coupleWidget->validate())
        return;
    record();
    emit nextRequested();
}

} // namespace harukaze

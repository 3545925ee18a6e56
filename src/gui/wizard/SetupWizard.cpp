// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/SetupWizard.h"

#include "core/plan/FamilyPlan.h"
#include "gui/common/PlanDocument.h"
#include "gui/wizard/Form18.h"
#include "gui/wizard/Form19.h"
#include "gui/wizard/Form191.h"
#include "gui/wizard/Form192.h"
#include "gui/wizard/Form20.h"
#include "gui/wizard/Form21.h"

namespace harukaze {

SetupWizard::SetupWizard(QWidget* mainWindow, QObject* parent)
    : QObject(parent)
    , m_mainWindow(mainWindow)
    , m_document(new PlanDocument(PlanDocument::Origin::Wizard, this))
{
    REC_CLEAR(m_document->plan());
}

SetupWizard::~SetupWizard()
{
    closePage();
}

void SetupWizard::start()
{
    showPage(Page::Form18);
}

QWidget* SetupWizard::currentPage() const
{
    return m_page.data();
}

SetupWizard::Page SetupWizard::nextPage(Page from, FamilyPlan& plan)
{
    switch (from) {
    case Page::Form18:
        return plan.ST1_HUSBAND == 1 || plan.ST1_WIFE == 1 ? Page::Form19 : Page::Form20;
    case Page::Form19:
        if (plan.ST1_CHILDREN == 1)
            return Page::Form20;
        plan.ST3_RECORDED = 0;
        if (plan.ST1_HUSBAND_PARENTS == 1)
            return Page::Form191;
        plan.ST4_RECORDED = 0;
        if (plan.ST1_WIFE_PARENTS == 1)
            return Page::Form192;
        plan.ST5_RECORDED = 0;
        return Page::Form21;
    case Page::Form20:
        return Page::Form191;
    case Page::Form191:
        return Page::Form192;
    case Page::Form192:
    case Page::Form21:
        return Page::Form21;
    }
    return Page::Form21;
}

SetupWizard::Page SetupWizard::previousPage(Page from, const FamilyPlan& plan)
{
    // Walk back from the page before `from` to the first one whose section was recorded; page 1/6
    // is always there.
    struct Step
    {
        Page page;
        int16_t recorded;
    };
    const Step steps[] = {
        { Page::Form192, plan.ST5_RECORDED },
        { Page::Form191, plan.ST4_RECORDED },
        { Page::Form20, plan.ST3_RECORDED },
        { Page::Form19, plan.ST2_RECORDED },
    };
    bool before = from == Page::Form21;
    for (const Step& step : steps) {
        if (before && step.recorded == 1)
            return step.page;
        if (step.page == from)
            before = true;
    }
    return Page::Form18;
}

void SetupWizard::showPage(Page page)
{
    closePage();
    FamilyPlan& plan = m_document->plan();
    WizardPage* shown = nullptr;
    switch (page) {
    case Page::Form18:
        shown = new Form18(plan, m_mainWindow);
        break;
    case Page::Form19:
        shown = new Form19(plan, m_mainWindow);
        break;
    case Page::Form20:
        shown = new Form20(plan, m_mainWindow);
        break;
    case Page::Form191:
        shown = new Form191(plan, m_mainWindow);
        break;
    case Page::Form192:
        shown = new Form192(plan, m_mainWindow);
        break;
    case Page::Form21:
        shown = new Form21(m_mainWindow);
        break;
    }
    m_current = page;
    m_page = shown;
    connect(shown, &WizardPage::nextRequested, this, &SetupWizard::goNext);
    connect(shown, &WizardPage::backRequested, this, &SetupWizard::goBack);
    connect(shown, &WizardPage::cancelRequested, this, &SetupWizard::cancel);
    shown->show();
    shown->raise();
    shown->activateWindow();
}

void SetupWizard::closePage()
{
    if (!m_page)
        return;
    WizardPage* page = m_page.data();
    m_page.clear();
    page->disconnect(this);
    page->dismiss();
}

void SetupWizard::goNext()
{
    if (m_current == Page::Form21) {
        closePage();
        emit finished();
        return;
    }
    showPage(nextPage(m_current, m_document->plan()));
}

void SetupWizard::goBack()
{
    showPage(previousPage(m_current, m_document->plan()));
}

void SetupWizard::cancel()
{
    closePage();
    emit cancelled();
}

} // namespace harukaze

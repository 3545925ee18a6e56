// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/WizardPage.h"

#include "gui/help/Help.h"

#include <QCloseEvent>
#include <QPushButton>

namespace harukaze {

WizardPage::WizardPage(int helpTopic, QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , m_helpTopic(helpTopic)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void WizardPage::connectNavigation(QPushButton* next, QPushButton* back, QPushButton* cancel, QPushButton* help)
{
    connect(next, &QPushButton::clicked, this, &WizardPage::goNext);
    if (back)
        connect(back, &QPushButton::clicked, this, &WizardPage::backRequested);
    connect(cancel, &QPushButton::clicked, this, &WizardPage::cancelRequested);
    connect(help, &QPushButton::clicked, this, [this] { Help::showTopic(this, m_helpTopic); });
    next->setDefault(true);
}

void WizardPage::dismiss()
{
    m_dismissed = true;
    close();
}

void WizardPage::showEvent(QShowEvent* event)
{
    // Every page opens at the top left corner of the screen.
    move(0, 0);
    QWidget::showEvent(event);
}

void WizardPage::closeEvent(QCloseEvent* event)
{
    // Closing the window by its title bar would otherwise leave the wizard without a page and the
    // main window's New and Open disabled: it counts as "ｷｬﾝｾﾙ". The window closes either way.
    const bool byUser = !m_dismissed;
    m_dismissed = true;
    QWidget::closeEvent(event);
    if (byUser)
        emit cancelRequested();
}

} // namespace harukaze

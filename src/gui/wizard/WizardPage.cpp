// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/WizardPage.h"

#include "gui/help/Help.h"

#include <QCloseEvent>
#include <QKeyEvent>
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
    m_defaultButton = next;
    m_cancelButton = cancel;
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

void WizardPage::keyPressEvent(QKeyEvent* event)
{
    // A page is a window, not a QDialog, so Return and Esc are handled here as QDialog does.
    // The push buttons of a page are no auto-default buttons: Return on a focused one (an era
    // button, say) still means the default button.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool plain
        = modifiers == Qt::NoModifier || (modifiers == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (plain) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_defaultButton && m_defaultButton->isVisible() && m_defaultButton->isEnabled())
                m_defaultButton->click();
            return;
        case Qt::Key_Escape:
            if (m_cancelButton && m_cancelButton->isEnabled())
                m_cancelButton->click();
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
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

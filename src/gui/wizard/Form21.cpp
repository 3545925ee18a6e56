// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/Form21.h"
#include "ui_Form21.h"

namespace harukaze {

Form21::Form21(QWidget* parent)
    : WizardPage(HELP_TOPIC, parent)
    , m_ui(new Ui::Form21)
{
    m_ui->setupUi(this);
    m_ui->Label3->setText(
        QStringLiteral("以上で、設定完了です。\n「完了」ボタンを押すとライフサイクル表を表示します。"));
    // As wide as the other pages' buttons need, with room around the message.
    m_ui->Label3->setMargin(12);
    m_ui->Label3->setMinimumHeight(m_ui->Label3->fontMetrics().height() * 6);
    connectNavigation(m_ui->Command1, m_ui->Command4, m_ui->Command3, m_ui->Command2);
}

Form21::~Form21() = default;

void Form21::goNext()
{
    emit nextRequested();
}

} // namespace harukaze

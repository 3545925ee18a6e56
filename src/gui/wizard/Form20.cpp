// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/Form20.h"
#include "gui/common/BusyPointer.h"
#include "ui_Form20.h"

#include "core/plan/FamilyPlan.h"
#include "gui/wizard/ChildrenGrid.h"
#include "gui/wizard/Form22.h"

#include <QApplication>

namespace harukaze {

Form20::Form20(FamilyPlan& plan, QWidget* parent)
    : WizardPage(HELP_TOPIC, parent)
    , m_ui(new Ui::Form20)
    , m_plan(plan)
{
    m_ui->setupUi(this);
    m_ui->Label1->setText(QStringLiteral("設定内容を変更するには、該当子供のセルを選択しダブルクリックしてください。"));

    {
        BusyPointer busy;
        m_ui->MSFlexGrid1->load(plan, plan.ST3_RECORDED == 1);
    }

    // The grid keeps the width of its columns; the page does not stretch it into empty space.
    m_ui->frame1Layout->setAlignment(m_ui->MSFlexGrid1, Qt::AlignLeft);
    connect(m_ui->MSFlexGrid1, &ChildrenGrid::childDoubleClicked, this, &Form20::editChild);
    connectNavigation(m_ui->Command1, m_ui->Command4, m_ui->Command3, m_ui->Command2);
}

Form20::~Form20() = default;

ChildrenGrid* Form20::grid() const
{
    return m_ui->MSFlexGrid1;
}

void Form20::editChild(int column)
{
    Form22::edit(m_ui->MSFlexGrid1, column, this);
}

void Form20::ST3_REC()
{
    m_ui->MSFlexGrid1->store(m_plan);
}

void Form20::goNext()
{
    ST3_REC();
    emit nextRequested();
}

} // namespace harukaze

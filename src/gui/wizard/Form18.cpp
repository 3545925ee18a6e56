// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/Form18.h"
#include "ui_Form18.h"

#include "core/plan/FamilyPlan.h"
#include "gui/common/MessageBox.h"
#include "gui/common/NumberBoxes.h"

namespace harukaze {

namespace {

constexpr int MAX_TOTAL = 10;

int16_t flag(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

QString explanation()
{
    return QStringList {
        QStringLiteral("ハルカゼを考えるには、家族のライフイベントを記入したライフサイクル"
                       "表を作成することからはじめます。"),
        QStringLiteral("このライフサイクル表に記載する家族の範囲をここで設定します。"),
        QStringLiteral("設定の目安"),
        QStringLiteral("自分の家族（本人夫婦、子供）はもとより、両親も合わせて記入すべきです。"),
        QStringLiteral("その理由は、両親との同居、介護、相続といった問題もあるからです。"),
        QStringLiteral("作成するライフサイクル表の家族範囲を下記チェックボックスでチェックしてください。"),
    }
        .join(QLatin1Char('\n'));
}

} // namespace

Form18::Form18(FamilyPlan& plan, QWidget* parent)
    : WizardPage(HELP_TOPIC, parent)
    , m_ui(new Ui::Form18)
    , m_plan(plan)
{
    m_ui->setupUi(this);
    m_ui->Label1->setText(explanation());
    NumberBoxes::setupRecordField(m_ui->Text1, 2);
    NumberBoxes::setupRecordField(m_ui->Text2, 2);
    // Hidden member frames keep their place, so the page does not jump while boxes are clicked.
    for (QWidget* frame : std::initializer_list<QWidget*> { m_ui->Frame2, m_ui->Frame3, m_ui->Frame4 }) {
        QSizePolicy policy = frame->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        frame->setSizePolicy(policy);
    }

    connect(m_ui->Check3, &QCheckBox::toggled, m_ui->Frame2, &QWidget::setVisible);
    connect(m_ui->Check4, &QCheckBox::toggled, this, &Form18::husbandParentsToggled);
    connect(m_ui->Check5, &QCheckBox::toggled, this, &Form18::wifeParentsToggled);
    for (QCheckBox* box : { m_ui->Check1, m_ui->Check2, m_ui->Check3, m_ui->Check4, m_ui->Check5 })
        connect(box, &QCheckBox::toggled, this, &Form18::updateNextEnabled);
    connect(m_ui->Text1, &QLineEdit::textChanged, this, &Form18::updateTotal);
    connect(m_ui->Text2, &QLineEdit::textChanged, this, &Form18::updateTotal);
    connect(m_ui->Text1, &QLineEdit::textEdited, this, &Form18::countEdited);
    connect(m_ui->Text2, &QLineEdit::textEdited, this, &Form18::countEdited);
    connect(m_ui->Command4, &QPushButton::clicked, this, &Form18::setStandard);
    connectNavigation(m_ui->Command1, nullptr, m_ui->Command3, m_ui->Command2);

    if (m_plan.ST1_RECORDED == 1) {
        auto isSet = [](int16_t value) { return value == 1; };
        // Checking a parents box also sets its two parent boxes; the record's own parent flags
        // are applied afterwards.
        m_ui->Check1->setChecked(isSet(m_plan.ST1_HUSBAND));
        m_ui->Check2->setChecked(isSet(m_plan.ST1_WIFE));
        m_ui->Check3->setChecked(isSet(m_plan.ST1_CHILDREN));
        m_ui->Check4->setChecked(isSet(m_plan.ST1_HUSBAND_PARENTS));
        m_ui->Check5->setChecked(isSet(m_plan.ST1_WIFE_PARENTS));
        m_ui->Check6->setChecked(isSet(m_plan.ST1_HUSBAND_FATHER));
        m_ui->Check7->setChecked(isSet(m_plan.ST1_HUSBAND_MOTHER));
        m_ui->Check8->setChecked(isSet(m_plan.ST1_WIFE_FATHER));
        m_ui->Check9->setChecked(isSet(m_plan.ST1_WIFE_MOTHER));
        NumberBoxes::setNumber(m_ui->Text1, m_plan.ST1_CHILDREN_NOW);
        NumberBoxes::setNumber(m_ui->Text2, m_plan.ST1_CHILDREN_FUTURE);
        m_ui->Frame2->setVisible(m_ui->Check3->isChecked());
        m_ui->Frame3->setVisible(m_ui->Check4->isChecked());
        m_ui->Frame4->setVisible(m_ui->Check5->isChecked());
        updateNextEnabled();
        updateTotal();
    } else {
        setStandard();
    }
}

Form18::~Form18() = default;

void Form18::setStandard()
{
    for (QCheckBox* box : { m_ui->Check1,
             m_ui->Check2,
             m_ui->Check3,
             m_ui->Check4,
             m_ui->Check5,
             m_ui->Check6,
             m_ui->Check7,
             m_ui->Check8,
             m_ui->Check9 })
        box->setChecked(true);
    m_ui->Frame2->setVisible(true);
    m_ui->Frame3->setVisible(true);
    m_ui->Frame4->setVisible(true);
    NumberBoxes::setNumber(m_ui->Text1, 2);
    NumberBoxes::setNumber(m_ui->Text2, 0);
    updateNextEnabled();
    updateTotal();
}

void Form18::husbandParentsToggled(bool on)
{
    m_ui->Frame3->setVisible(on);
    m_ui->Check6->setChecked(on);
    m_ui->Check7->setChecked(on);
}

void Form18::wifeParentsToggled(bool on)
{
    m_ui->Frame4->setVisible(on);
    m_ui->Check8->setChecked(on);
    m_ui->Check9->setChecked(on);
}

void Form18::updateNextEnabled()
{
    const bool any = m_ui->Check1->isChecked() || m_ui->Check2->isChecked() || m_ui->Check3->isChecked()
        || m_ui->Check4->isChecked() || m_ui->Check5->isChecked();
    m_ui->Command1->setEnabled(any);
}

int Form18::childrenTotal() const
{
    return NumberBoxes::leadingNumber(m_ui->Text1) + NumberBoxes::leadingNumber(m_ui->Text2);
}

void Form18::updateTotal()
{
    m_ui->Label3->setText(QString::number(childrenTotal()));
}

void Form18::countEdited()
{
    // A line edit reports the edit before the change, so the total is brought up to date here:
    // the notice must not stand over the previous total.
    updateTotal();
    // Only typing warns: a recorded plan with the children out of the table may hold more than
    // ten, and opening the page must not greet the user with a notice.
    if (childrenTotal() > MAX_TOTAL)
        MessageBox::information(this, QStringLiteral("子供の数は、１０人まで設定できます。"));
}

void Form18::ST1_REC()
{
    m_plan.ST1_HUSBAND = flag(m_ui->Check1);
    m_plan.ST1_WIFE = flag(m_ui->Check2);
    m_plan.ST1_CHILDREN = flag(m_ui->Check3);
    m_plan.ST1_HUSBAND_PARENTS = flag(m_ui->Check4);
    m_plan.ST1_WIFE_PARENTS = flag(m_ui->Check5);
    m_plan.ST1_CHILDREN_NOW = NumberBoxes::leadingNumber(m_ui->Text1);
    m_plan.ST1_CHILDREN_FUTURE = NumberBoxes::leadingNumber(m_ui->Text2);
    m_plan.ST1_HUSBAND_FATHER = flag(m_ui->Check6);
    m_plan.ST1_HUSBAND_MOTHER = flag(m_ui->Check7);
    m_plan.ST1_WIFE_FATHER = flag(m_ui->Check8);
    m_plan.ST1_WIFE_MOTHER = flag(m_ui->Check9);
    m_plan.ST1_RECORDED = 1;
}

void Form18::goNext()
{
    if (!m_ui->Check1->isChecked() && !m_ui->Check2->isChecked())
        m_plan.ST2_RECORDED = 0;
    if (m_ui->Check3->isChecked() && childrenTotal() > MAX_TOTAL) {
        MessageBox::information(this, QStringLiteral("子供の数が、１０人以上は設定できません。"));
        return;
    }
    ST1_REC();
    emit nextRequested();
}

} // namespace harukaze

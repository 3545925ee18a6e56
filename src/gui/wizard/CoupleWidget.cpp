// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/CoupleWidget.h"
#include "ui_CoupleWidget.h"

#include "core/io/NumberText.h"
#include "core/plan/FamilyDefaults.h"
#include "core/plan/FamilyPlan.h"
#include "gui/common/NumberBoxes.h"
#include "gui/wizard/Form23.h"

#include <optional>

namespace harukaze {

namespace {

int16_t flag(bool on)
{
    return on ? 1 : 0;
}

} // namespace

CoupleWidget::CoupleWidget(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CoupleWidget)
{
    m_ui->setupUi(this);
    NumberBoxes::setupRecordField(m_ui->Text1, 4);
    NumberBoxes::setupRecordField(m_ui->Text2, 2);
    NumberBoxes::setupRecordField(m_ui->Text3, 4);
    NumberBoxes::setupRecordField(m_ui->Text4, 2);
    NumberBoxes::setupRecordField(m_ui->Text5, 4);
    NumberBoxes::setupRecordField(m_ui->Text6, 3);
    NumberBoxes::setupRecordField(m_ui->Text7, 3);
    // A hidden lifespan box must not let its frame shrink and the options jump around; a member
    // who is not in the family leaves the place of his or her frame empty, so the other frame
    // keeps its size and side rather than spreading its boxes over the whole page.
    for (QWidget* w : std::initializer_list<QWidget*> {
             m_ui->Text6, m_ui->Text7, m_ui->Label11, m_ui->Label12, m_ui->Frame2, m_ui->Frame3 }) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }

    connect(m_ui->Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setManStatistic(true);
    });
    connect(m_ui->Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setManStatistic(false);
    });
    connect(m_ui->Option4, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setWomanStatistic(true);
    });
    connect(m_ui->Option3, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setWomanStatistic(false);
    });
    connect(m_ui->Command5, &QPushButton::clicked, this, [this] { ERA_INPUT(m_ui->Text1, window()); });
    connect(m_ui->Command6, &QPushButton::clicked, this, [this] { ERA_INPUT(m_ui->Text3, window()); });
    connect(m_ui->Command7, &QPushButton::clicked, this, [this] { ERA_INPUT(m_ui->Text5, window()); });

    m_ui->Option1->setChecked(true);
    m_ui->Option4->setChecked(true);
    setManStatistic(true);
    setWomanStatistic(true);
}

CoupleWidget::~CoupleWidget() = default;

void CoupleWidget::setManStatistic(bool statistic)
{
    m_ui->Text6->setVisible(!statistic);
    m_ui->Label11->setVisible(!statistic);
    if (!statistic)
        NumberBoxes::setNumber(m_ui->Text6, STAT_LIFESPAN_MAN);
}

void CoupleWidget::setWomanStatistic(bool statistic)
{
    m_ui->Text7->setVisible(!statistic);
    m_ui->Label12->setVisible(!statistic);
    if (!statistic)
        NumberBoxes::setNumber(m_ui->Text7, STAT_LIFESPAN_WOMAN);
}

void CoupleWidget::load(const FamilyPlan& plan, CoupleSection section, bool useDefaults)
{
    if (useDefaults && plan.couple(section, COUPLE_RECORDED) != 1) {
        const CoupleDefaults d = coupleDefaults(section);
        NumberBoxes::setNumber(m_ui->Text1, d.manBirthYear);
        NumberBoxes::setNumber(m_ui->Text2, d.manRetireAge);
        NumberBoxes::setNumber(m_ui->Text3, d.womanBirthYear);
        NumberBoxes::setNumber(m_ui->Text4, d.womanRetireAge);
        NumberBoxes::setNumber(m_ui->Text5, d.marriageYear);
        m_ui->Option1->setChecked(true);
        m_ui->Option4->setChecked(true);
        for (QCheckBox* box :
            { m_ui->Check1, m_ui->Check2, m_ui->Check3, m_ui->Check4, m_ui->Check5, m_ui->Check6, m_ui->Check7 })
            box->setChecked(true);
        return;
    }

    // Every value is shown whole, however long: a box never cuts what the record holds.
    auto show = [&](QLineEdit* box, int slot) { NumberBoxes::setNumber(box, plan.couple(section, slot)); };
    show(m_ui->Text1, COUPLE_MAN_BIRTH_YEAR);
    show(m_ui->Text2, COUPLE_MAN_RETIRE_AGE);
    show(m_ui->Text3, COUPLE_WOMAN_BIRTH_YEAR);
    show(m_ui->Text4, COUPLE_WOMAN_RETIRE_AGE);
    show(m_ui->Text5, COUPLE_MARRIAGE_YEAR);

    // Selecting "任意" presets the box, so the stored lifespan is written after the option.
    if (plan.couple(section, COUPLE_MAN_LIFE_STAT) == 1) {
        m_ui->Option1->setChecked(true);
    } else {
        m_ui->Option2->setChecked(true);
        show(m_ui->Text6, COUPLE_MAN_LIFESPAN);
    }
    if (plan.couple(section, COUPLE_WOMAN_LIFE_STAT) == 1) {
        m_ui->Option4->setChecked(true);
    } else {
        m_ui->Option3->setChecked(true);
        show(m_ui->Text7, COUPLE_WOMAN_LIFESPAN);
    }

    auto isSet = [&](int slot) { return plan.couple(section, slot) == 1; };
    m_ui->Check1->setChecked(isSet(COUPLE_GOLDEN_WEDDING));
    m_ui->Check2->setChecked(isSet(COUPLE_SILVER_WEDDING));
    m_ui->Check3->setChecked(isSet(COUPLE_BRONZE_WEDDING));
    m_ui->Check4->setChecked(isSet(COUPLE_MAN_YAKUTOSHI));
    m_ui->Check6->setChecked(isSet(COUPLE_MAN_RETIRE));
    m_ui->Check5->setChecked(isSet(COUPLE_WOMAN_YAKUTOSHI));
    m_ui->Check7->setChecked(isSet(COUPLE_WOMAN_RETIRE));
}

QString CoupleWidget::fieldName(const QString& frameTitle, const QString& label) const
{
    return frameTitle.isEmpty() ? label : QStringLiteral("%1：%2").arg(frameTitle, label);
}

bool CoupleWidget::validate()
{
    struct Needed
    {
        QLineEdit* box;
        QString name;
    };
    const QString man = m_ui->Frame2->title();
    const QString woman = m_ui->Frame3->title();
    QList<Needed> needed = {
        { m_ui->Text1, fieldName(man, m_ui->Label1->text()) },
        { m_ui->Text2, fieldName(man, m_ui->Label3->text()) },
    };
    if (m_ui->Option2->isChecked())
        needed.append({ m_ui->Text6, fieldName(man, m_ui->Frame7->title()) });
    needed.append({ m_ui->Text3, fieldName(woman, m_ui->Label5->text()) });
    needed.append({ m_ui->Text4, fieldName(woman, m_ui->Label7->text()) });
    if (m_ui->Option3->isChecked())
        needed.append({ m_ui->Text7, fieldName(woman, m_ui->Frame8->title()) });
    needed.append({ m_ui->Text5, fieldName(m_ui->Frame6->title(), m_ui->Label9->text()) });

    for (const Needed& n : needed) {
        if (!NumberBoxes::require(n.box, n.name, window()))
            return false;
    }
    return true;
}

void CoupleWidget::store(FamilyPlan& plan, CoupleSection section) const
{
    // validate() has refused boxes without a number; should one slip through it counts as 0.
    auto value = [](const QLineEdit* box) { return wholeTextToInt16(box->text().toStdString()).value_or(0); };
    plan.couple(section, COUPLE_RECORDED) = 1;
    plan.couple(section, COUPLE_MAN_BIRTH_YEAR) = value(m_ui->Text1);
    plan.couple(section, COUPLE_MAN_RETIRE_AGE) = value(m_ui->Text2);
    plan.couple(section, COUPLE_WOMAN_BIRTH_YEAR) = value(m_ui->Text3);
    plan.couple(section, COUPLE_WOMAN_RETIRE_AGE) = value(m_ui->Text4);
    plan.couple(section, COUPLE_MARRIAGE_YEAR) = value(m_ui->Text5);
    plan.couple(section, COUPLE_MAN_LIFESPAN) = m_ui->Option2->isChecked() ? value(m_ui->Text6) : STAT_LIFESPAN_MAN;
    plan.couple(section, COUPLE_WOMAN_LIFESPAN) = m_ui->Option3->isChecked() ? value(m_ui->Text7) : STAT_LIFESPAN_WOMAN;
    plan.couple(section, COUPLE_GOLDEN_WEDDING) = flag(m_ui->Check1->isChecked());
    plan.couple(section, COUPLE_SILVER_WEDDING) = flag(m_ui->Check2->isChecked());
    plan.couple(section, COUPLE_BRONZE_WEDDING) = flag(m_ui->Check3->isChecked());
    plan.couple(section, COUPLE_MAN_YAKUTOSHI) = flag(m_ui->Check4->isChecked());
    plan.couple(section, COUPLE_MAN_RETIRE) = flag(m_ui->Check6->isChecked());
    plan.couple(section, COUPLE_WOMAN_YAKUTOSHI) = flag(m_ui->Check5->isChecked());
    plan.couple(section, COUPLE_WOMAN_RETIRE) = flag(m_ui->Check7->isChecked());
    plan.couple(section, COUPLE_MAN_LIFE_STAT) = flag(m_ui->Option1->isChecked());
    plan.couple(section, COUPLE_MAN_LIFE_CUSTOM) = flag(m_ui->Option2->isChecked());
    plan.couple(section, COUPLE_WOMAN_LIFE_CUSTOM) = flag(m_ui->Option3->isChecked());
    plan.couple(section, COUPLE_WOMAN_LIFE_STAT) = flag(m_ui->Option4->isChecked());
}

void CoupleWidget::setManVisible(bool visible)
{
    m_ui->Frame2->setVisible(visible);
}

void CoupleWidget::setWomanVisible(bool visible)
{
    m_ui->Frame3->setVisible(visible);
}

void CoupleWidget::setCoupleTitle(const QString& title)
{
    m_ui->Frame1->setTitle(title);
}

void CoupleWidget::setManTitle(const QString& title)
{
    m_ui->Frame2->setTitle(title);
}

void CoupleWidget::setWomanTitle(const QString& title)
{
    m_ui->Frame3->setTitle(title);
}

void CoupleWidget::setCommonTitle(const QString& title)
{
    m_ui->Frame6->setTitle(title);
}

bool CoupleWidget::renameControl(const QString& from, const QString& to)
{
    QObject* child = findChild<QObject*>(from);
    if (!child)
        return false;
    child->setObjectName(to);
    return true;
}

QGroupBox* CoupleWidget::coupleFrame() const
{
    return m_ui->Frame1;
}

} // namespace harukaze

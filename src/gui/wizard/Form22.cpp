// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/Form22.h"
#include "ui_Form22.h"

#include "core/plan/FamilyDefaults.h"
#include "core/plan/FamilyPlan.h"
#include "gui/common/BusyPointer.h"
#include "gui/common/NumberBoxes.h"
#include "gui/help/Help.h"
#include "gui/wizard/ChildrenGrid.h"
#include "gui/wizard/Form23.h"

#include <QApplication>

namespace harukaze {

namespace {

const QString EARLY = QString::fromUtf8(HAYAUMARE_EARLY);
const QString NORMAL = QString::fromUtf8(HAYAUMARE_NORMAL);
constexpr int HELP_TOPIC_CHILDREN = 70;

} // namespace

Form22::Form22(QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::Form22)
{
    m_ui->setupUi(this);
    m_ui->Label30->hide();
    NumberBoxes::setupRecordField(m_ui->Text11, 4);
    // Kindergarten and elementary school ages take one typed digit, every other age two.
    for (QLineEdit* box : ageBoxes())
        NumberBoxes::setupRecordField(box, box == m_ui->Text1 || box == m_ui->Text2 ? 1 : 2);

    m_ui->Combo1->addItems({ QStringLiteral("男性"), QStringLiteral("女性") });
    m_ui->Combo2->addItems(relationshipLabels());
    m_ui->Combo1->setCurrentIndex(-1);
    m_ui->Combo2->setCurrentIndex(-1);

    connect(m_ui->Combo1, &QComboBox::currentIndexChanged, this, &Form22::sexChanged);
    connect(m_ui->Check1, &QCheckBox::toggled, this, &Form22::earlyBirthChanged);
    connect(m_ui->Command2, &QPushButton::clicked, this, [this] { ERA_INPUT(m_ui->Text11, this); });
    connect(m_ui->Command3, &QPushButton::clicked, this, &Form22::update);
    connect(m_ui->Command1, &QPushButton::clicked, this, &Form22::reject);
    connect(m_ui->Command4, &QPushButton::clicked, this, [this] { Help::showTopic(this, HELP_TOPIC_CHILDREN); });

    // Return means 更新 whatever had the focus: in a dialog every push button is an auto-default
    // one, which takes Return for itself while it holds the focus, and the focus stays on
    // 和暦入力 after the era dialog closes.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    m_ui->Command3->setDefault(true);
}

Form22::~Form22() = default;

QStringList Form22::relationshipLabels()
{
    QStringList labels;
    for (const char* label : harukaze::relationshipLabels())
        labels.append(QString::fromUtf8(label));
    return labels;
}

QList<QLineEdit*> Form22::ageBoxes() const
{
    // In grid order, rows 4..15.
    return { m_ui->Text1,
        m_ui->Text2,
        m_ui->Text3,
        m_ui->Text6,
        m_ui->Text12,
        m_ui->Text4,
        m_ui->Text13,
        m_ui->Text7,
        m_ui->Text8,
        m_ui->Text9,
        m_ui->Text5,
        m_ui->Text10 };
}

void Form22::loadColumn(ChildrenGrid* grid, int column)
{
    loadValues(grid, column, grid->text(0, column) + QStringLiteral("の設定内容"), grid->columnValues(column));
}

void Form22::loadValues(ChildrenGrid* grid, int column, const QString& title, const QStringList& values)
{
    m_grid = grid;
    m_column = column;
    m_loading = true;
    auto value = [&](int row) { return row - 1 < values.size() ? values.at(row - 1) : QString(); };

    m_ui->Label23->setText(title);
    // The sex is chosen first, as a user would: its statistic ages are then replaced by the
    // column's own values below.
    const int label = relationshipLabels().indexOf(value(ChildrenGrid::ROW_ZOKUGARA));
    if (label >= 0) {
        m_ui->Combo1->setCurrentIndex(label < FIRST_DAUGHTER_LABEL ? 0 : 1);
        m_ui->Combo2->setCurrentIndex(label);
    } else {
        m_ui->Combo1->setCurrentIndex(-1);
        m_ui->Combo2->setCurrentIndex(-1);
    }
    NumberBoxes::setText(m_ui->Text11, value(ChildrenGrid::ROW_BIRTH_YEAR));
    m_earlyAtOpening = value(ChildrenGrid::ROW_HAYAUMARE) != NORMAL;
    m_ui->Check1->setChecked(m_earlyAtOpening);
    const QList<QLineEdit*> boxes = ageBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        NumberBoxes::setText(boxes.at(i), value(ChildrenGrid::ROW_FIRST_AGE + i));
    m_ui->Label30->setText(QString::number(column));
    m_shift = 0;
    m_shifted.clear();
    m_loading = false;
}

void Form22::sexChanged(int index)
{
    if (m_loading && index < 0)
        return;
    if (index != 0 && index != 1)
        return;
    // The statistic ages of the chosen sex, and its first label.
    const bool son = index == 0;
    const ChildAges ages = defaultChildAges(son ? ChildSex::Son : ChildSex::Daughter);
    NumberBoxes::setNumber(m_ui->Text7, childAge(ages, MTX1_MARRIAGE));
    NumberBoxes::setNumber(m_ui->Text8, childAge(ages, MTX1_FIRST_CHILD));
    NumberBoxes::setNumber(m_ui->Text9, childAge(ages, MTX1_SECOND_CHILD));
    NumberBoxes::setNumber(m_ui->Text5, childAge(ages, MTX1_YAKUTOSHI));
    m_ui->Combo2->setCurrentIndex(son ? FIRST_SON_LABEL : FIRST_DAUGHTER_LABEL);
}

void Form22::earlyBirthChanged(bool early)
{
    if (m_loading)
        return;
    // Kindergarten entry to employment (rows 4..10).
    const QList<QLineEdit*> schoolAges = ageBoxes().mid(0, 7);
    if (early != m_earlyAtOpening && m_shift == 0) {
        m_shift = early ? -1 : 1;
        for (QLineEdit* box : schoolAges) {
            bool ok = false;
            const int age = box->text().toInt(&ok);
            // 0 means "no such event" and must stay so; a moved age must still fit its box.
            const QString moved = QString::number(age + m_shift);
            if (!ok || age == 0 || age + m_shift <= 0 || moved.size() > box->maxLength())
                continue;
            NumberBoxes::setText(box, moved);
            m_shifted.append(box);
        }
    } else if (early == m_earlyAtOpening && m_shift != 0) {
        for (QLineEdit* box : std::as_const(m_shifted)) {
            bool ok = false;
            const int age = box->text().toInt(&ok);
            const QString restored = QString::number(age - m_shift);
            if (ok && restored.size() <= box->maxLength())
                NumberBoxes::setText(box, restored);
        }
        m_shift = 0;
        m_shifted.clear();
    }
}

QStringList Form22::values() const
{
    QStringList rows;
    rows.append(m_ui->Combo2->currentIndex() >= 0 ? m_ui->Combo2->currentText() : QString());
    rows.append(m_ui->Text11->text());
    rows.append(m_ui->Check1->isChecked() ? EARLY : NORMAL);
    for (const QLineEdit* box : ageBoxes())
        rows.append(box->text());
    return rows;
}

void Form22::update()
{
    // The grid is stored as 16-bit whole numbers later; refuse an empty box here, where the
    // user can still fix it.
    if (!NumberBoxes::require(m_ui->Text11, m_ui->Label19->text(), this))
        return;
    const QList<QLineEdit*> boxes = ageBoxes();
    const QList<QLabel*> labels = { m_ui->Label1,
        m_ui->Label3,
        m_ui->Label5,
        m_ui->Label7,
        m_ui->Label9,
        m_ui->Label27,
        m_ui->Label11,
        m_ui->Label13,
        m_ui->Label15,
        m_ui->Label17,
        m_ui->Label29,
        m_ui->Label25 };
    for (int i = 0; i < boxes.size(); ++i) {
        if (!NumberBoxes::require(boxes.at(i), labels.at(i)->text(), this))
            return;
    }
    {
        BusyPointer busy;
        if (m_grid && m_column > 0)
            m_grid->setColumnValues(m_column, values());
    }
    accept();
}

bool Form22::edit(ChildrenGrid* grid, int column, QWidget* parent)
{
    if (!grid || column < 1 || column >= grid->columnCount())
        return false;
    Form22 dialog(parent);
    {
        BusyPointer busy;
        dialog.loadColumn(grid, column);
    }
    return dialog.exec() == QDialog::Accepted;
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/Form23.h"
#include "ui_Form23.h"

#include "core/io/NumberText.h"
#include "core/plan/EraCalendar.h"
#include "core/table/Clock.h"
#include "gui/common/NumberBoxes.h"

#include <QLineEdit>

#include <algorithm>

namespace harukaze {

Form23::Form23(QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::Form23)
{
    m_ui->setupUi(this);
    NumberBoxes::setup(m_ui->Text1, 2);
    m_ui->Label4->setMinimumWidth(m_ui->Label4->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    for (const Era& era : ERA_TABLE)
        m_ui->Combo1->addItem(QString::fromUtf8(era.name));

    // Most years typed here are adults' birth and marriage years, so the dialog opens on 昭和.
    // The year text is the current era's year, selected so that typing replaces it; Label4 is
    // worked out from both, so what "挿入" inserts is always what the dialog shows.
    m_ui->Combo1->setCurrentIndex(ERA_SHOWA);
    m_ui->Text1->setText(QString::fromStdString(formatPadded(eraForYear(currentYear()).year, 2)));
    recalculate();

    connect(m_ui->Combo1, &QComboBox::currentIndexChanged, this, &Form23::recalculate);
    connect(m_ui->Text1, &QLineEdit::textChanged, this, &Form23::recalculate);
    connect(m_ui->Command2, &QPushButton::clicked, this, &Form23::insert);
    connect(m_ui->Command1, &QPushButton::clicked, this, &Form23::reject);
    m_ui->Command2->setDefault(true);
    m_ui->Text1->setFocus();
    m_ui->Text1->selectAll();
}

Form23::~Form23() = default;

int Form23::shownYear() const
{
    return m_ui->Label4->text().toInt();
}

void Form23::recalculate()
{
    const int year = WAREKI_TO_SEIREKI(m_ui->Combo1->currentIndex(), m_ui->Text1->text().toStdString());
    m_ui->Label4->setText(QString::number(year));
}

void Form23::insert()
{
    // The record keeps years in 16 bits; two era-year digits never leave that range.
    const int year = std::clamp(shownYear(), -32768, 32767);
    m_insertedYear = static_cast<int16_t>(year);
    accept();
}

int16_t ERA_INPUT(int16_t year, QWidget* parent)
{
    Form23 dialog(parent);
    dialog.exec();
    return dialog.insertedYear() != 0 ? dialog.insertedYear() : year;
}

void ERA_INPUT(QLineEdit* target, QWidget* parent)
{
    const int16_t year = ERA_INPUT(NumberBoxes::leadingNumber(target), parent);
    NumberBoxes::setNumber(target, year);
}

} // namespace harukaze

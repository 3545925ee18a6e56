// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/Form222.h"

#include "core/plan/FamilyDefaults.h"
#include "gui/common/BusyPointer.h"
#include "gui/wizard/ChildrenGrid.h"

#include <QApplication>

namespace harukaze {

Form222::Form222(QWidget* parent)
    : Form22(parent)
{
}

Form222::~Form222() = default;

QStringList Form222::newChildValues()
{
    // Sex and relationship are left for the user to choose; the ages offered are a son's.
    QStringList values { QString(), QString::number(CHILD_BIRTH_YEAR_NOW), QString::fromUtf8(HAYAUMARE_NORMAL) };
    for (int16_t age : defaultChildAges(ChildSex::Son))
        values.append(QString::number(age));
    return values;
}

bool Form222::edit(ChildrenGrid* grid, int column, QWidget* parent)
{
    if (!grid || column < 1 || column > grid->childCount())
        return false;
    Form222 dialog(parent);
    {
        BusyPointer busy;
        dialog.loadColumn(grid, column);
    }
    return dialog.exec() == QDialog::Accepted;
}

bool Form222::addChild(ChildrenGrid* grid, QWidget* parent)
{
    if (!grid)
        return false;
    Form222 dialog(parent);
    {
        BusyPointer busy;
        const int column = grid->addChildColumn();
        dialog.loadValues(grid, column, grid->text(0, column) + QStringLiteral("の設定内容"), newChildValues());
        dialog.m_appended = true;
    }
    return dialog.exec() == QDialog::Accepted;
}

void Form222::reject()
{
    // Only the column "追加" appended goes; the grid's column count returns to what it was.
    if (m_appended && grid() && column() >= 1 && column() < grid()->columnCount())
        grid()->setColumnCount(column());
    m_appended = false;
    Form22::reject();
}

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/wizard/Form22.h"

namespace harukaze {

class ChildrenGrid;

/**
 * The settings editor's child life-event dialog: Form22 over the editor's children grid, which can
 * also run for a column that "追加" has just appended. Cancelling such a dialog takes the column
 * back; cancelling one opened on an existing child leaves the columns as they are.
 */
class Form222 : public Form22
{
    Q_OBJECT

public:
    explicit Form222(QWidget* parent = nullptr);
    ~Form222() override;

    /** Opens the dialog over existing child column `column` of `grid`; true when "更新" wrote it. */
    static bool edit(ChildrenGrid* grid, int column, QWidget* parent);

    /**
     * "追加": appends a child column and opens the dialog on it with a new child's values (born
     * 1995, not early, the usual school and life-event ages, sex and relationship unselected).
     * True when "更新" filled the column; on cancel the column is removed again.
     */
    static bool addChild(ChildrenGrid* grid, QWidget* parent);

    /** What "追加" offers for a new child, as the texts of rows 1..15. */
    static QStringList newChildValues();

    void reject() override;

private:
    bool m_appended = false;
};

} // namespace harukaze

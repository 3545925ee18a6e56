// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include <memory>

class QLineEdit;
namespace Ui {
class Form22;
}

namespace harukaze {

class ChildrenGrid;

/**
 * The child life-event dialog "子供のライフイベント": edits one child column of a ChildrenGrid
 * (sex and relationship, birth year, early birth, the ages of the life events). It never touches
 * the plan record; "更新" writes the column back into the grid and the grid's owner records it.
 *
 * Used modally by the children page (edit()) and, as Form222, by the settings editor, which may
 * subclass it and override reject() to take back a column it appended for "追加".
 *
 * Early birth: setting "早生まれ" on a child that was "普通" when the dialog opened moves the ages
 * from kindergarten entry to employment one year down; clearing it on a "早生" child moves them one
 * year up. The move happens once and is undone when the box goes back to its state at opening.
 */
class Form22 : public QDialog
{
    Q_OBJECT

public:
    explicit Form22(QWidget* parent = nullptr);
    ~Form22() override;

    /**
     * Fills the dialog from child column `column` of `grid`: title from row 0 + "の設定内容", the
     * other controls from rows 1..15; remembers grid and column for "更新".
     */
    void loadColumn(ChildrenGrid* grid, int column);

    /**
     * Fills the dialog from `values` (rows 1..15) with the title `title` for column `column` of
     * `grid`. A relationship text that is not one of the twenty labels leaves both combos unselected.
     */
    void loadValues(ChildrenGrid* grid, int column, const QString& title, const QStringList& values);

    /** The column the dialog works on (also shown in Label30). */
    int column() const { return m_column; }
    ChildrenGrid* grid() const { return m_grid; }

    /** The texts of rows 1..15 that "更新" writes: label, birth year, "早生" / "普通", twelve ages. */
    QStringList values() const;

    /**
     * Opens the dialog over column `column` of `grid` modally, with the busy pointer while it is
     * filled. Returns true when "更新" wrote the column.
     */
    static bool edit(ChildrenGrid* grid, int column, QWidget* parent);

    /** The twenty relationship labels in list order: "長男" .. "十男", "長女" .. "十女". */
    static QStringList relationshipLabels();

private:
    void sexChanged(int index);
    void earlyBirthChanged(bool early);
    void update();
    QList<QLineEdit*> ageBoxes() const;

    const std::unique_ptr<Ui::Form22> m_ui;
    ChildrenGrid* m_grid = nullptr;
    int m_column = 0;
    bool m_loading = false;
    bool m_earlyAtOpening = false;
    int m_shift = 0; ///< years the school ages are moved by the early-birth box
    QList<QLineEdit*> m_shifted; ///< the boxes that were moved
};

} // namespace harukaze

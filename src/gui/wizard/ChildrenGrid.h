// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTableWidget>

namespace harukaze {

struct FamilyPlan;

/**
 * Relationship defaults of the children grid by relationship code 1..10 (odd codes daughters
 * "長女", "次女", ..., even codes sons "長男", "次男", ...): the label, and the ages of marriage,
 * first child, second child and unlucky year. A code outside 1..10 gives an empty text.
 */
QString ZOKUGARA(int code);
QString KEKON(int code);
QString KID1(int code);
QString KID2(int code);
QString YAKUTOSHI(int code);

/**
 * The children grid (object name MSFlexGrid1) of the children page and the settings editor.
 *
 * 16 rows; row 0 is the fixed header row ("第1子", "第2子", ...) and column 0 the fixed column of
 * row labels ("続柄", "生年", "早生まれ", "幼稚園入園", ... "定年退職"). Child n sits in column n.
 * Rows 1..15 of a child column hold the texts of the child's relationship label, birth year,
 * early-birth mark ("普通" / "早生") and twelve ages, in the order of the record's columns.
 * The cells are not editable in place: the child life-event dialog edits one column at a time.
 * Cell texts are reached with text() / setText() by (row, column), the fixed cells included.
 */
class ChildrenGrid : public QTableWidget
{
    Q_OBJECT

public:
    static constexpr int ROWS = 16;
    /** Number of value rows of a child column (rows 1..15). */
    static constexpr int VALUE_ROWS = 15;
    static constexpr int ROW_ZOKUGARA = 1;
    static constexpr int ROW_BIRTH_YEAR = 2;
    static constexpr int ROW_HAYAUMARE = 3;
    static constexpr int ROW_FIRST_AGE = 4; ///< rows 4..15 hold MTX1 columns 2..13

    explicit ChildrenGrid(QWidget* parent = nullptr);

    /** The label of row 1..15 in column 0 ("続柄" ... "定年退職"). */
    static QString rowLabel(int row);

    /**
     * Fills the grid from the plan, as the children page opens: one column per planned child
     * (ST1_CHILDREN_NOW + ST1_CHILDREN_FUTURE, at most 10). When `fromRecord` is true the children
     * the record holds (up to ST3_COUNT) come from ST3_MTX1 / ST3_MTX2, further children get the
     * defaults of their code with birth year current year - 3. When false every child gets the
     * defaults of its code, born 1995 (children now) / 2000 (children still planned), or current
     * year + 3 for all when there are no children now. The wizard passes ST3_RECORDED == 1, the
     * settings editor true.
     */
    void load(const FamilyPlan& plan, bool fromRecord);

    /**
     * The children recorder's grid part (ST3_REC): ST3_MTX2 from rows 1 and 3, ST3_MTX1 from row 2
     * and rows 4..15 for every child column, ST3_COUNT = number of child columns, ST3_RECORDED = 1.
     * A cell that is not a 16-bit whole number is stored as 0.
     */
    void store(FamilyPlan& plan) const;

    /** Number of child columns (column count - 1). */
    int childCount() const;

    /** Sets the number of child columns, writing the headers of new columns; keeps existing cells. */
    void setChildCount(int count);

    /** Writes the defaults of relationship code `code` into child column `column`. */
    void fillDefaults(int column, int code, const QString& birthYear);

    /** Rows 1..15 of a column as 15 texts; and written back, every cell centred. */
    QStringList columnValues(int column) const;
    void setColumnValues(int column, const QStringList& values);

    /**
     * Appends a child column headed "第n子" holding `values` (rows 1..15; may be empty) and gives
     * its column number.
     */
    int addChildColumn(const QStringList& values = {});

    /**
     * Removes child column `column` (1..count): later columns move one place to the left with their
     * own relationship labels, and are re-headed "第c子". Does nothing without child columns or for
     * a column that is not a child column.
     */
    void removeChildColumn(int column);

    /** The selected child column (end column of the selection), 0 when none or the label column. */
    int selectedChildColumn() const;

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);

    /** Room for every row and column, so a page can show the whole grid without scrolling. */
    QSize sizeHint() const override;

signals:
    /** A double click on a cell of child column `column` (never 0). */
    void childDoubleClicked(int column);

private:
    void writeHeader(int column);
    int childColumnWidth() const;
};

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/Attention.h"

#include <QColor>
#include <QString>

#include <map>
#include <utility>
#include <vector>

namespace harukaze {

class LifeCycleGrid;

/**
 * The attention marks of one built table as a grid shows them: each marker tints the cells of the
 * members it names in its year row, and those cells' tool tips say what the marker is. A cell named
 * by several markers takes the colour of the first (ダブルケア, 大学の重なり, 定年後の学費) and lists
 * them all. Cell texts never change; print code reads tint() for the same colours.
 */
class AttentionTints
{
public:
    AttentionTints() = default;
    explicit AttentionTints(std::vector<AttentionMarker> markers);

    /** The markers of a table built from `plan`, with the children's university lengths. */
    static AttentionTints forTable(const FamilyPlan& plan,
        const TableModel& table,
        const UniversityYears& universityYears = defaultUniversityYears());

    const std::vector<AttentionMarker>& markers() const { return m_markers; }
    bool isEmpty() const { return m_markers.empty(); }
    /** The kinds the table has, in their order. */
    std::vector<AttentionKind> kinds() const;

    /** ダブルケア RGB(255, 214, 214), 大学の重なり RGB(255, 242, 179), 定年後の学費 RGB(255, 224, 178). */
    static QColor color(AttentionKind kind);
    /** The kind's name, "ダブルケア" etc. */
    static QString name(AttentionKind kind);
    /** What a year of the kind is, in a few words ("親の介護と小学校入学前の子育てが重なる年"). */
    static QString meaning(AttentionKind kind);
    /** Rich text of a swatch of the kind's tint, two characters wide like a tinted cell's start. */
    static QString swatchHtml(AttentionKind kind);

    /** Tint of the table cell (column, row), or an invalid colour when no marker names it. */
    QColor tint(int column, int row) const;
    /** The markers naming the cell, one line each ("2031年 ダブルケア：夫側父 介護中、長男 4歳"); "" when none. */
    QString note(int column, int row) const;

    /**
     * Shows the marks on a grid holding the table (tints, and tool tips of the cell's text followed
     * by its note), or with `shown` false gives every named cell its ordinary background and tool tip.
     */
    void apply(LifeCycleGrid* grid, bool shown) const;

    /** One line for under the grid: a swatch and the name of each kind the table has; "" when none. */
    QString legendHtml() const;
    /** The legend's tool tip: each kind the table has with its meaning, one per line. */
    QString legendToolTip() const;

private:
    std::vector<AttentionMarker> m_markers;
    /** Indexes into m_markers of the markers naming (column, row), in marker order. */
    std::map<std::pair<int, int>, std::vector<size_t>> m_cells;
};

} // namespace harukaze

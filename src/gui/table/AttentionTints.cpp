// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/AttentionTints.h"

#include "gui/table/LifeCycleGrid.h"

#include <QStringList>

namespace harukaze {

AttentionTints::AttentionTints(std::vector<AttentionMarker> markers)
    : m_markers(std::move(markers))
{
    for (size_t i = 0; i < m_markers.size(); ++i) {
        for (const AttentionMember& member : m_markers[i].members) {
            std::vector<size_t>& named = m_cells[{ member.column, m_markers[i].row }];
            // A member is named once per marker; the check keeps the list clean whatever comes in.
            if (named.empty() || named.back() != i)
                named.push_back(i);
        }
    }
}

AttentionTints AttentionTints::forTable(
    const FamilyPlan& plan, const TableModel& table, const UniversityYears& universityYears)
{
    return AttentionTints(findAttentionMarkers(plan, table, universityYears));
}

std::vector<AttentionKind> AttentionTints::kinds() const
{
    std::vector<AttentionKind> found;
    for (AttentionKind kind :
        { AttentionKind::DoubleCare, AttentionKind::UniversityOverlap, AttentionKind::TuitionAfterRetirement }) {
        for (const AttentionMarker& marker : m_markers) {
            if (marker.kind == kind) {
                found.push_back(kind);
                break;
            }
        }
    }
    return found;
}

QColor AttentionTints::color(AttentionKind kind)
{
    switch (kind) {
    case AttentionKind::DoubleCare:
        return QColor(255, 214, 214);
    case AttentionKind::UniversityOverlap:
        return QColor(255, 242, 179);
    case AttentionKind::TuitionAfterRetirement:
        return QColor(255, 224, 178);
    }
    return QColor();
}

QString AttentionTints::name(AttentionKind kind)
{
    return QString::fromUtf8(attentionKindName(kind));
}

QString AttentionTints::meaning(AttentionKind kind)
{
    switch (kind) {
    case AttentionKind::DoubleCare:
        return QStringLiteral("親の介護と小学校入学前の子育てが重なる年");
    case AttentionKind::UniversityOverlap:
        return QStringLiteral("２人以上の子供が同時に大学に通う年");
    case AttentionKind::TuitionAfterRetirement:
        return QStringLiteral("定年の後も大学の学費が続く年");
    }
    return QString();
}

QString AttentionTints::swatchHtml(AttentionKind kind)
{
    // Rich text folds runs of blanks into one; "pre" keeps the two ideographic spaces.
    return QStringLiteral("<span style=\"background-color:%1; white-space:pre;\">\u3000\u3000</span>")
        .arg(color(kind).name());
}

QColor AttentionTints::tint(int column, int row) const
{
    const auto found = m_cells.find({ column, row });
    if (found == m_cells.end() || found->second.empty())
        return QColor();
    return color(m_markers[found->second.front()].kind);
}

QString AttentionTints::note(int column, int row) const
{
    const auto found = m_cells.find({ column, row });
    if (found == m_cells.end())
        return QString();
    QStringList lines;
    for (size_t index : found->second)
        lines << QString::fromStdString(attentionDescription(m_markers[index]));
    return lines.join(QLatin1Char('\n'));
}

void AttentionTints::apply(LifeCycleGrid* grid, bool shown) const
{
    if (!grid)
        return;
    for (const auto& [cell, indexes] : m_cells) {
        const auto [column, row] = cell;
        if (row >= grid->rows() || column >= grid->cols())
            continue;
        if (!shown || indexes.empty()) {
            grid->setCellBackground(row, column, QColor());
            grid->setCellToolTip(row, column, QString());
            continue;
        }
        grid->setCellBackground(row, column, tint(column, row));
        const QString text = grid->text(row, column);
        grid->setCellToolTip(
            row, column, text.isEmpty() ? note(column, row) : text + QLatin1Char('\n') + note(column, row));
    }
}

QString AttentionTints::legendHtml() const
{
    const std::vector<AttentionKind> present = kinds();
    if (present.empty())
        return QString();
    QStringList parts;
    for (AttentionKind kind : present) {
        parts << swatchHtml(kind) + QStringLiteral("&nbsp;") + name(kind).toHtmlEscaped();
    }
    return QStringLiteral("注意マーク：") + parts.join(QStringLiteral("\u3000"));
}

QString AttentionTints::legendToolTip() const
{
    QStringList lines;
    for (AttentionKind kind : kinds())
        lines << name(kind) + QStringLiteral("：") + meaning(kind);
    return lines.join(QLatin1Char('\n'));
}

} // namespace harukaze

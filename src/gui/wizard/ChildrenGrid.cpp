// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/ChildrenGrid.h"

#include "core/io/NumberText.h"
#include "core/plan/FamilyDefaults.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/Clock.h"
#include "core/table/TableShape.h"

#include <QHeaderView>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace harukaze {

namespace {

// The default age of MTX1 column `mtx1Column` for relationship code `code`, "" outside 1..10.
QString defaultAge(int code, int mtx1Column)
{
    const std::optional<ChildSex> sex = sexOfCode(code);
    return sex ? QString::number(childAge(defaultChildAges(*sex), mtx1Column)) : QString();
}

const std::array<const char*, ChildrenGrid::VALUE_ROWS> ROW_LABELS = { "続柄",
    "生年",
    "早生まれ",
    "幼稚園入園",
    "小学校入学",
    "中学校入学",
    "高　校入学",
    "大　学入学",
    "成人式",
    "就　職",
    "結　婚",
    "第１子誕生",
    "第２子誕生",
    "厄　年",
    "定年退職" };

} // namespace

QString ZOKUGARA(int code)
{
    return QString::fromStdString(relationshipLabel(code));
}

QString KEKON(int code)
{
    return defaultAge(code, MTX1_MARRIAGE);
}

QString KID1(int code)
{
    return defaultAge(code, MTX1_FIRST_CHILD);
}

QString KID2(int code)
{
    return defaultAge(code, MTX1_SECOND_CHILD);
}

QString YAKUTOSHI(int code)
{
    return defaultAge(code, MTX1_YAKUTOSHI);
}

ChildrenGrid::ChildrenGrid(QWidget* parent)
    : QTableWidget(ROWS, 1, parent)
{
    setObjectName(QStringLiteral("MSFlexGrid1"));
    // The fixed header row and label column are ordinary cells drawn like headers, so that
    // "row 0 of column n" is a cell as everywhere else in the program.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

    QFont gridFont = font();
    gridFont.setFamilies(
        { QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP") });
    gridFont.setPointSize(9);
    setFont(gridFont);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setDefaultSectionSize(childColumnWidth());

    for (int row = 0; row < ROWS; ++row) {
        auto* item = new QTableWidgetItem(row == 0 ? QString() : rowLabel(row));
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(palette().button());
        setItem(row, 0, item);
    }
    // Six font-size squares, as the table's member columns; never narrower than the longest row
    // label with the cell's margins, should the font's characters be wider than a square.
    const int squares = static_cast<int>(
        std::lround(columnWidthTwips(gridFont.pointSizeF(), MEMBER_COLUMN_SQUARES) * logicalDpiX() / 1440.0));
    int longestLabel = 0;
    for (int row = 1; row <= VALUE_ROWS; ++row)
        longestLabel = std::max(longestLabel, fontMetrics().horizontalAdvance(rowLabel(row)));
    setColumnWidth(0, std::max(squares, longestLabel + 10));

    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int, int column) {
        if (column > 0)
            emit childDoubleClicked(column);
    });
}

QString ChildrenGrid::rowLabel(int row)
{
    if (row < 1 || row > VALUE_ROWS)
        return {};
    return QString::fromUtf8(ROW_LABELS[static_cast<size_t>(row - 1)]);
}

int ChildrenGrid::childColumnWidth() const
{
    return std::max(56, fontMetrics().horizontalAdvance(QStringLiteral("第10子")) + 16);
}

QString ChildrenGrid::text(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void ChildrenGrid::setText(int row, int column, const QString& text)
{
    QTableWidgetItem* cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (row == 0)
            cell->setBackground(palette().button());
        setItem(row, column, cell);
    }
    cell->setText(text);
    cell->setTextAlignment(row == 0 ? Qt::AlignCenter : Qt::AlignHCenter | Qt::AlignTop);
}

void ChildrenGrid::writeHeader(int column)
{
    setText(0, column, QStringLiteral("第%1子").arg(column));
}

int ChildrenGrid::childCount() const
{
    return columnCount() - 1;
}

void ChildrenGrid::setChildCount(int count)
{
    const int old = childCount();
    setColumnCount(std::max(0, count) + 1);
    for (int column = old + 1; column <= count; ++column)
        writeHeader(column);
    updateGeometry();
}

void ChildrenGrid::fillDefaults(int column, int code, const QString& birthYear)
{
    // The school, coming-of-age, employment and retirement ages are the same for sons and
    // daughters; the four ages that differ by sex come from the code, and nothing for no code.
    const ChildAges ages = defaultChildAges(ChildSex::Son);
    auto age = [&ages](int mtx1Column) { return QString::number(childAge(ages, mtx1Column)); };
    QStringList values { ZOKUGARA(code), birthYear, QString::fromUtf8(HAYAUMARE_NORMAL) };
    for (int mtx1Column = MTX1_KINDERGARTEN; mtx1Column <= MTX1_EMPLOYMENT; ++mtx1Column)
        values.append(age(mtx1Column));
    values.append({ KEKON(code), KID1(code), KID2(code), YAKUTOSHI(code), age(MTX1_RETIRE) });
    setColumnValues(column, values);
}

QStringList ChildrenGrid::columnValues(int column) const
{
    QStringList values;
    for (int row = 1; row <= VALUE_ROWS; ++row)
        values.append(text(row, column));
    return values;
}

void ChildrenGrid::setColumnValues(int column, const QStringList& values)
{
    for (int row = 1; row <= VALUE_ROWS; ++row)
        setText(row, column, row - 1 < values.size() ? values.at(row - 1) : QString());
}

void ChildrenGrid::load(const FamilyPlan& plan, bool fromRecord)
{
    // Counts come from the family range page, which refuses more than ten children only when
    // the children are in the table; the record holds ten at most, so the grid shows the first ten.
    const int now = std::max<int>(0, plan.ST1_CHILDREN_NOW);
    const int future = std::max<int>(0, plan.ST1_CHILDREN_FUTURE);
    const int total = plan.plannedChildren();

    setColumnCount(1);
    setChildCount(total);

    if (fromRecord) {
        const int recorded = std::min(total, plan.childCount());
        for (int n = 1; n <= recorded; ++n) {
            QStringList values;
            values.append(QString::fromStdString(plan.mtx2(n, MTX2_ZOKUGARA)));
            values.append(QString::number(plan.mtx1(n, MTX1_BIRTH_YEAR)));
            values.append(QString::fromStdString(plan.mtx2(n, MTX2_HAYAUMARE)));
            for (int col = MTX1_KINDERGARTEN; col <= MTX1_RETIRE; ++col)
                values.append(QString::number(plan.mtx1(n, col)));
            setColumnValues(n, values);
        }
        const QString laterBirth = QString::fromStdString(formatPadded(currentYear() - 3, 4));
        for (int n = recorded + 1; n <= total; ++n)
            fillDefaults(n, n, laterBirth);
    } else {
        for (int n = 1; n <= total; ++n) {
            QString birth;
            if (now == 0)
                birth = QString::fromStdString(formatPadded(currentYear() + 3, 4));
            else if (future == 0 || n <= now)
                birth = QString::number(CHILD_BIRTH_YEAR_NOW);
            else
                birth = QString::number(CHILD_BIRTH_YEAR_PLANNED);
            fillDefaults(n, n, birth);
        }
    }
    // Start on the first child's first cell, not on the fixed corner.
    if (total > 0)
        setCurrentCell(ROW_ZOKUGARA, 1);
    else
        setCurrentIndex({});
}

void ChildrenGrid::store(FamilyPlan& plan) const
{
    auto whole = [this](int row, int column) { return wholeTextToInt16(text(row, column).toStdString()).value_or(0); };
    const int count = std::min(childCount(), MAX_CHILDREN);
    for (int n = 1; n <= count; ++n) {
        plan.mtx2(n, MTX2_ZOKUGARA) = text(ROW_ZOKUGARA, n).toStdString();
        plan.mtx1(n, MTX1_BIRTH_YEAR) = whole(ROW_BIRTH_YEAR, n);
        plan.mtx2(n, MTX2_HAYAUMARE) = text(ROW_HAYAUMARE, n).toStdString();
        for (int col = MTX1_KINDERGARTEN; col <= MTX1_RETIRE; ++col)
            plan.mtx1(n, col) = whole(ROW_FIRST_AGE + col - MTX1_KINDERGARTEN, n);
    }
    plan.ST3_COUNT = static_cast<int16_t>(count);
    plan.ST3_RECORDED = 1;
}

int ChildrenGrid::addChildColumn(const QStringList& values)
{
    const int column = columnCount();
    setColumnCount(column + 1);
    writeHeader(column);
    setColumnValues(column, values);
    updateGeometry();
    return column;
}

void ChildrenGrid::removeChildColumn(int column)
{
    const int count = columnCount();
    if (count <= 1 || column < 1 || column >= count)
        return;
    for (int c = column; c <= count - 2; ++c) {
        setColumnValues(c, columnValues(c + 1));
        writeHeader(c);
    }
    setColumnCount(count - 1);
    updateGeometry();
}

int ChildrenGrid::selectedChildColumn() const
{
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    const int column = ranges.isEmpty() ? currentColumn() : ranges.constLast().rightColumn();
    return column > 0 ? column : 0;
}

QSize ChildrenGrid::sizeHint() const
{
    int width = 2 * frameWidth();
    for (int column = 0; column < columnCount(); ++column)
        width += columnWidth(column);
    int height = 2 * frameWidth();
    for (int row = 0; row < rowCount(); ++row)
        height += rowHeight(row);
    return { width, height };
}

} // namespace harukaze

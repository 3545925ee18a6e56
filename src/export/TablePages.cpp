// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TablePages.h"

#include "export/JapaneseDate.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace harukaze {

namespace {

// Japanese fonts that stand in for a table font the system does not have (the plan's default
// "ＭＳ Ｐゴシック" is a Windows font). TrueType ones first: they embed into a PDF as text.
const QStringList& standInFamilies()
{
    static const QStringList families { QStringLiteral("IPAPGothic"),
        QStringLiteral("IPA Pゴシック"),
        QStringLiteral("Noto Sans CJK JP"),
        QStringLiteral("Noto Sans JP"),
        QStringLiteral("VL PGothic"),
        QStringLiteral("Droid Sans Fallback") };
    return families;
}

// The table text never grows beyond this on paper unless the screen font is larger already.
constexpr double COMFORTABLE_POINTS = 12.0;
constexpr double TITLE_POINTS = 14.0;
constexpr double LINE_POINTS = 9.0;
// Horizontal room either side of a cell's text, and the air above and below it, in font sizes.
constexpr double PADDING_EM = 0.3;
constexpr double ROW_AIR_EM = 0.45;
constexpr double GRID_POINTS = 0.5;
// Text widths are measured at one size and drawn at another; this keeps the rounding from
// pushing a text onto its cell's rule.
constexpr double MEASURE_SLACK = 1.03;
// The text may shrink to this share of its size to save the last page.
constexpr double SMALLEST_PAGE_SAVING_SCALE = 0.85;

const QColor s_gridColor(192, 192, 192);

} // namespace

TablePages::TablePages(PrintableTable table)
    : m_table(std::move(table))
{
}

QPageLayout TablePages::defaultPageLayout()
{
    return QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

QFont TablePages::tableFont(double points) const
{
    QStringList families;
    if (!m_table.fontFamily.isEmpty())
        families << m_table.fontFamily;
    families << standInFamilies();
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(m_table.fontBold);
    font.setItalic(m_table.fontItalic);
    return font;
}

QFont TablePages::titleFont() const
{
    QFont font = tableFont(TITLE_POINTS);
    font.setBold(true);
    font.setItalic(false);
    return font;
}

QFont TablePages::lineFont() const
{
    QFont font = tableFont(LINE_POINTS);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

std::vector<double> TablePages::naturalWidths(const QPaintDevice& device) const
{
    // Each column at the screen's font size: its screen width, or its widest text if wider.
    const QFont font = tableFont(m_table.fontPoints);
    const QFontMetricsF metrics(font, &device);
    const double padding = 2 * PADDING_EM * m_table.fontPoints * m_dotsPerPoint;
    std::vector<double> widths;
    for (int c = 0; c < m_table.columnCount(); ++c) {
        double width = m_table.columns[static_cast<size_t>(c)].widthTwips / 20.0 * m_dotsPerPoint;
        for (int r = 0; r < m_table.rowCount(); ++r) {
            const QString text = m_table.text(r, c);
            if (!text.isEmpty())
                width = std::max(width, metrics.horizontalAdvance(text) * MEASURE_SLACK + padding);
        }
        widths.push_back(std::max(width, padding));
    }
    return widths;
}

void TablePages::fitColumns(const std::vector<double>& natural, double pageWidth)
{
    const double total = std::accumulate(natural.begin(), natural.end(), 0.0);
    const double fit = total > 0 ? pageWidth / total : 1.0;
    const double base = m_table.fontPoints;
    const double largest = std::max(base, COMFORTABLE_POINTS);
    const double smallest = m_table.minimumFontPoints;
    double scale = fit;
    if (base * fit > largest)
        scale = largest / base;
    else if (smallest > 0 && base * fit < smallest)
        scale = smallest / base;
    m_fontPoints = base * scale;
    m_widths.clear();
    for (double width : natural)
        m_widths.push_back(width * scale);

    // A table that stops growing at the comfortable size still fills the page width: the body
    // columns share the rest (the label columns when there are no others).
    const double used = std::accumulate(m_widths.begin(), m_widths.end(), 0.0);
    if (scale < fit && used < pageWidth) {
        const int first = m_table.columnCount() > m_table.fixedColumns ? m_table.fixedColumns : 0;
        double share = 0;
        for (size_t c = static_cast<size_t>(first); c < m_widths.size(); ++c)
            share += m_widths[c];
        for (size_t c = static_cast<size_t>(first); c < m_widths.size() && share > 0; ++c)
            m_widths[c] += (pageWidth - used) * m_widths[c] / share;
    }
}

void TablePages::splitColumns(double pageWidth)
{
    m_columnBands.clear();
    const int fixed = std::min(m_table.fixedColumns, m_table.columnCount());
    double labels = 0;
    for (int c = 0; c < fixed; ++c)
        labels += m_widths[static_cast<size_t>(c)];
    const double room = pageWidth - labels;
    Band band { fixed, 0 };
    double used = 0;
    for (int c = fixed; c < m_table.columnCount(); ++c) {
        const double width = m_widths[static_cast<size_t>(c)];
        // A band takes at least one column, however wide it is.
        if (band.count > 0 && used + width > room * 1.0001) {
            m_columnBands.push_back(band);
            band = { c, 0 };
            used = 0;
        }
        ++band.count;
        used += width;
    }
    if (band.count > 0 || m_columnBands.empty())
        m_columnBands.push_back(band);
}

void TablePages::splitRows(double tableHeight)
{
    m_rowBands.clear();
    const int fixed = std::min(m_table.fixedRows, m_table.rowCount());
    const int fitting = static_cast<int>(std::floor(tableHeight / m_rowHeight + 1e-6));
    const int perPage = std::max(1, fitting - fixed);
    for (int first = fixed; first < m_table.rowCount(); first += perPage)
        m_rowBands.push_back({ first, std::min(perPage, m_table.rowCount() - first) });
    if (m_rowBands.empty())
        m_rowBands.push_back({ fixed, 0 });
}

void TablePages::layOut(const QPaintDevice& device)
{
    m_dotsPerPoint = device.logicalDpiY() / 72.0;
    m_pageWidth = device.width();
    m_pageHeight = device.height();

    const QFontMetricsF title(titleFont(), &device);
    const QFontMetricsF line(lineFont(), &device);
    const double gap = 4 * m_dotsPerPoint;
    m_titleHeight = title.height();
    m_headerHeight = m_titleHeight + 2 * gap;
    m_legendHeight = m_table.legend.empty() ? 0 : line.height() + gap;
    m_footerHeight = line.height() + gap;

    fitColumns(naturalWidths(device), m_pageWidth);
    splitColumns(m_pageWidth);

    const double tableHeight = m_pageHeight - m_headerHeight - m_legendHeight - m_footerHeight;
    setRowHeight(device);
    splitRows(tableHeight);
    saveAPage(device, tableHeight);
}

void TablePages::setRowHeight(const QPaintDevice& device)
{
    const QFontMetricsF cell(tableFont(m_fontPoints), &device);
    const double em = m_fontPoints * m_dotsPerPoint;
    m_padding = PADDING_EM * em;
    m_rowHeight = cell.height() + ROW_AIR_EM * em;
}

void TablePages::saveAPage(const QPaintDevice& device, double tableHeight)
{
    // A last page with a few rows only is not worth its paper: when a slightly smaller font puts
    // the rows on one page fewer, the text takes that size (the columns keep their widths).
    const size_t pages = m_rowBands.size();
    if (pages < 2)
        return;
    const int fixed = std::min(m_table.fixedRows, m_table.rowCount());
    const int bodyRows = m_table.rowCount() - fixed;
    const int perPage = (bodyRows + static_cast<int>(pages) - 2) / (static_cast<int>(pages) - 1);
    const double ratio = tableHeight / (perPage + fixed) / m_rowHeight;
    const double smallest = std::max(m_table.minimumFontPoints, m_fontPoints * SMALLEST_PAGE_SAVING_SCALE);
    const double before = m_fontPoints;
    const double beforeRow = m_rowHeight;
    const std::vector<Band> beforeBands = m_rowBands;
    double points = m_fontPoints * ratio;
    // Font heights do not scale exactly with the size; a step or two smaller settles it.
    for (int attempt = 0; attempt < 4 && points >= smallest; ++attempt) {
        m_fontPoints = points;
        setRowHeight(device);
        splitRows(tableHeight);
        if (m_rowBands.size() < pages)
            return;
        points *= 0.99;
    }
    m_fontPoints = before;
    setRowHeight(device);
    m_rowHeight = beforeRow;
    m_rowBands = beforeBands;
}

int TablePages::pageCount() const
{
    return static_cast<int>(m_rowBands.size() * m_columnBands.size());
}

bool TablePages::paint(QPagedPaintDevice* device)
{
    if (!device)
        return false;
    layOut(*device);
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const QPageRanges ranges = device->pageRanges();
    bool first = true;
    for (int page = 0; page < pageCount(); ++page) {
        if (!ranges.isEmpty() && !ranges.contains(page + 1))
            continue;
        if (!first && !device->newPage()) {
            painter.end();
            return false;
        }
        first = false;
        paintPage(painter, page);
    }
    return painter.end();
}

void TablePages::paintPage(QPainter& painter, int page) const
{
    if (page < 0 || page >= pageCount())
        return;
    // Down the rows first, then over to the next columns, as spreadsheets print.
    const size_t rowBands = m_rowBands.size();
    const Band& rows = m_rowBands[static_cast<size_t>(page) % rowBands];
    const Band& columns = m_columnBands[static_cast<size_t>(page) / rowBands];
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintHeader(painter);
    paintLegend(painter);
    paintTable(painter, rows, columns);
    paintFooter(painter, page);
    painter.restore();
}

void TablePages::paintHeader(QPainter& painter) const
{
    painter.setPen(Qt::black);
    const QFont title = titleFont();
    painter.setFont(title);
    const QRectF line(0, 0, m_pageWidth, m_titleHeight);
    QRectF used;
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_table.title, &used);

    painter.setFont(lineFont());
    const double gap = TITLE_POINTS * m_dotsPerPoint;
    const QRectF rest(used.right() + gap, 0, std::max(0.0, m_pageWidth - used.right() - gap), m_titleHeight);
    painter.drawText(rest, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_table.documentName);
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, japaneseDateText(m_table.printDate));

    const double ruleY = m_titleHeight + 2 * m_dotsPerPoint;
    painter.setPen(QPen(Qt::black, GRID_POINTS * m_dotsPerPoint));
    painter.drawLine(QPointF(0, ruleY), QPointF(m_pageWidth, ruleY));
}

void TablePages::paintLegend(QPainter& painter) const
{
    if (m_table.legend.empty())
        return;
    painter.setFont(lineFont());
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double top = m_headerHeight;
    const double swatch = metrics.ascent();
    const double gap = 6 * m_dotsPerPoint;
    double x = 0;
    for (const LegendEntry& entry : m_table.legend) {
        const QRectF box(x, top + (metrics.height() - swatch) / 2, swatch, swatch);
        painter.setPen(QPen(s_gridColor, GRID_POINTS * m_dotsPerPoint));
        painter.setBrush(entry.color);
        painter.drawRect(box);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(Qt::black);
        x = box.right() + swatch / 2;
        const double width = metrics.horizontalAdvance(entry.text);
        painter.drawText(QRectF(x, top, width + 1, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter, entry.text);
        x += width + gap;
    }
}

std::vector<int> TablePages::visibleColumns(const Band& band) const
{
    std::vector<int> columns;
    for (int c = 0; c < std::min(m_table.fixedColumns, m_table.columnCount()); ++c)
        columns.push_back(c);
    for (int c = band.first; c < band.first + band.count; ++c)
        columns.push_back(c);
    return columns;
}

void TablePages::paintTable(QPainter& painter, const Band& rowBand, const Band& columnBand) const
{
    std::vector<int> rows;
    for (int r = 0; r < std::min(m_table.fixedRows, m_table.rowCount()); ++r)
        rows.push_back(r);
    for (int r = rowBand.first; r < rowBand.first + rowBand.count; ++r)
        rows.push_back(r);
    const std::vector<int> columns = visibleColumns(columnBand);

    std::vector<double> lefts;
    double x = 0;
    for (int c : columns) {
        lefts.push_back(x);
        x += m_widths[static_cast<size_t>(c)];
    }
    const double top = m_headerHeight + m_legendHeight;
    const auto cellRect = [&](size_t rowIndex, size_t columnIndex) {
        return QRectF(lefts[columnIndex],
            top + static_cast<double>(rowIndex) * m_rowHeight,
            m_widths[static_cast<size_t>(columns[columnIndex])],
            m_rowHeight);
    };

    // Body cells first, then the header cells, so that the black rules of the header win where
    // the two meet.
    const QPen grid(s_gridColor, GRID_POINTS * m_dotsPerPoint);
    const QPen fixedGrid(Qt::black, GRID_POINTS * m_dotsPerPoint);
    for (int pass = 0; pass < 2; ++pass) {
        const bool fixedPass = pass == 1;
        painter.setPen(fixedPass ? fixedGrid : grid);
        for (size_t ri = 0; ri < rows.size(); ++ri) {
            for (size_t ci = 0; ci < columns.size(); ++ci) {
                const int r = rows[ri];
                const int c = columns[ci];
                if (m_table.isFixed(r, c) != fixedPass)
                    continue;
                const QColor fill = fixedPass ? fixedCellColor() : m_table.tint(c, r);
                painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
                painter.drawRect(cellRect(ri, ci));
            }
        }
    }
    painter.setBrush(Qt::NoBrush);

    painter.setPen(Qt::black);
    painter.setFont(tableFont(m_fontPoints));
    const double air = ROW_AIR_EM * m_fontPoints * m_dotsPerPoint / 2;
    for (size_t ri = 0; ri < rows.size(); ++ri) {
        for (size_t ci = 0; ci < columns.size(); ++ci) {
            const int r = rows[ri];
            const int c = columns[ci];
            const QString text = m_table.text(r, c);
            if (text.isEmpty())
                continue;
            const PrintableColumn& column = m_table.columns[static_cast<size_t>(c)];
            const Qt::Alignment alignment = r < m_table.fixedRows ? column.headerAlignment : column.bodyAlignment;
            const QRectF inner = cellRect(ri, ci).adjusted(m_padding, air, -m_padding, -air);
            painter.drawText(inner, static_cast<int>(alignment) | Qt::TextSingleLine, text);
        }
    }
}

void TablePages::paintFooter(QPainter& painter, int page) const
{
    painter.setPen(Qt::black);
    painter.setFont(lineFont());
    const QRectF line(0, m_pageHeight - m_footerHeight, m_pageWidth, m_footerHeight);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    if (!m_table.sourceNote.isEmpty())
        painter.drawText(line, flags | Qt::AlignLeft, QStringLiteral("出典：") + m_table.sourceNote);
    painter.drawText(line, flags | Qt::AlignRight, QStringLiteral("ページ %1 / %2").arg(page + 1).arg(pageCount()));
}

} // namespace harukaze

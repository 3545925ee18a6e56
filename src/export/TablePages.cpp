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
    // Each column at the screen's font size: its screen width, or its widest line if wider.
    const QFont font = tableFont(m_table.fontPoints);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font, &device);
    const QFontMetricsF boldMetrics(bold, &device);
    const double padding = 2 * PADDING_EM * m_table.fontPoints * m_dotsPerPoint;
    std::vector<double> widths;
    for (int c = 0; c < m_table.columnCount(); ++c) {
        double width = m_table.columns[static_cast<size_t>(c)].widthTwips / 20.0 * m_dotsPerPoint;
        for (int r = 0; r < m_table.rowCount(); ++r) {
            const QString text = m_table.text(r, c);
            if (text.isEmpty())
                continue;
            const QFontMetricsF& measure = m_table.isBold(r) ? boldMetrics : metrics;
            for (const QString& line : text.split(QLatin1Char('\n')))
                width = std::max(width, measure.horizontalAdvance(line) * MEASURE_SLACK + padding);
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
    // As many columns as fit on each page width, no page wider than `most`.
    const auto split = [&](double most) {
        std::vector<Band> bands;
        Band band { fixed, 0 };
        double used = 0;
        for (int c = fixed; c < m_table.columnCount(); ++c) {
            const double width = m_widths[static_cast<size_t>(c)];
            // A band takes at least one column, however wide it is.
            if (band.count > 0 && used + width > most * 1.0001) {
                bands.push_back(band);
                band = { c, 0 };
                used = 0;
            }
            ++band.count;
            used += width;
        }
        if (band.count > 0 || bands.empty())
            bands.push_back(band);
        return bands;
    };
    m_columnBands = split(room);
    // On as many page widths, the columns shared out as evenly as they go, lest the last page hold
    // a few only: the narrowest page width that still needs no more pages.
    const size_t bands = m_columnBands.size();
    if (bands < 2)
        return;
    double low = 0;
    double high = room;
    for (int step = 0; step < 40; ++step) {
        const double middle = (low + high) / 2;
        if (split(middle).size() > bands)
            low = middle;
        else
            high = middle;
    }
    m_columnBands = split(high);
}

double TablePages::rowHeight(int row) const
{
    const int lines = row >= 0 && row < static_cast<int>(m_lines.size()) ? m_lines[static_cast<size_t>(row)] : 1;
    return m_rowHeight + (lines - 1) * m_lineSpacing;
}

double TablePages::fixedRowsHeight(double scale) const
{
    double height = 0;
    for (int r = 0; r < std::min(m_table.fixedRows, m_table.rowCount()); ++r)
        height += rowHeight(r) * scale;
    return height;
}

std::vector<TablePages::Band> TablePages::rowBandsIn(double scale, double room) const
{
    // Rows `scale` times their height, as many on a page as fit `room` under the header rows; at
    // least one.
    std::vector<Band> bands;
    const int fixed = std::min(m_table.fixedRows, m_table.rowCount());
    const double slack = 1e-6 * m_rowHeight;
    Band band { fixed, 0 };
    double used = 0;
    for (int r = fixed; r < m_table.rowCount(); ++r) {
        const double height = rowHeight(r) * scale;
        if (band.count > 0 && used + height > room + slack) {
            bands.push_back(band);
            band = { r, 0 };
            used = 0;
        }
        ++band.count;
        used += height;
    }
    if (band.count > 0 || bands.empty())
        bands.push_back(band);
    return bands;
}

void TablePages::splitRows(double tableHeight)
{
    m_rowBands = rowBandsIn(1.0, tableHeight - fixedRowsHeight(1.0));
}

void TablePages::layOut(const QPaintDevice& device)
{
    m_dotsPerPoint = device.logicalDpiY() / 72.0;
    m_pageWidth = device.width();
    m_pageHeight = device.height();
    m_lines.clear();
    for (int r = 0; r < m_table.rowCount(); ++r)
        m_lines.push_back(m_table.lineCount(r));

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
    m_lineSpacing = cell.lineSpacing();
}

void TablePages::saveAPage(const QPaintDevice& device, double tableHeight)
{
    // A last page with a few rows only is not worth its paper: when a slightly smaller font puts
    // the rows on one page fewer, the text takes that size (the columns keep their widths);
    // otherwise the rows are shared out evenly over the pages.
    const size_t pages = m_rowBands.size();
    if (pages < 2)
        return;
    // The largest share of the row heights that fits the rows on one page fewer.
    double low = 0.0;
    double high = 1.0;
    for (int step = 0; step < 40; ++step) {
        const double middle = (low + high) / 2;
        if (rowBandsIn(middle, tableHeight - fixedRowsHeight(middle)).size() < pages)
            low = middle;
        else
            high = middle;
    }
    const double ratio = low;
    const double smallest = std::max(m_table.minimumFontPoints, m_fontPoints * SMALLEST_PAGE_SAVING_SCALE);
    const double before = m_fontPoints;
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
    m_rowBands = beforeBands;

    // The least room a page needs for the rows to take no more pages.
    low = 0.0;
    high = tableHeight - fixedRowsHeight(1.0);
    for (int step = 0; step < 40; ++step) {
        const double middle = (low + high) / 2;
        if (rowBandsIn(1.0, middle).size() > pages)
            low = middle;
        else
            high = middle;
    }
    m_rowBands = rowBandsIn(1.0, high);
}

int TablePages::tablePageCount() const
{
    return static_cast<int>(m_rowBands.size() * m_columnBands.size());
}

int TablePages::pageCount() const
{
    // The chart, when the table has one, takes a page of its own after the table.
    return tablePageCount() + (m_table.chart.paint ? 1 : 0);
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
    if (page >= tablePageCount()) {
        painter.save();
        paintHeader(painter);
        const double top = m_headerHeight;
        const QRectF area(0, top, m_pageWidth, std::max(0.0, m_pageHeight - top - m_footerHeight));
        painter.setRenderHint(QPainter::Antialiasing, true);
        m_table.chart.paint(painter, area);
        painter.restore();
        painter.save();
        paintFooter(painter, page);
        painter.restore();
        return;
    }
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
    std::vector<double> tops;
    double y = m_headerHeight + m_legendHeight;
    for (int r : rows) {
        tops.push_back(y);
        y += rowHeight(r);
    }
    const auto cellRect = [&](size_t rowIndex, size_t columnIndex) {
        return QRectF(lefts[columnIndex],
            tops[rowIndex],
            m_widths[static_cast<size_t>(columns[columnIndex])],
            rowHeight(rows[rowIndex]));
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

    const QFont font = tableFont(m_fontPoints);
    QFont bold = font;
    bold.setBold(true);
    const double air = ROW_AIR_EM * m_fontPoints * m_dotsPerPoint / 2;
    for (size_t ri = 0; ri < rows.size(); ++ri) {
        const int r = rows[ri];
        painter.setFont(m_table.isBold(r) ? bold : font);
        for (size_t ci = 0; ci < columns.size(); ++ci) {
            const int c = columns[ci];
            const QString text = m_table.text(r, c);
            if (text.isEmpty())
                continue;
            const QColor color = m_table.textColor(c, r);
            painter.setPen(color.isValid() ? color : QColor(Qt::black));
            const int lines = text.contains(QLatin1Char('\n')) ? 0 : static_cast<int>(Qt::TextSingleLine);
            const QRectF inner = cellRect(ri, ci).adjusted(m_padding, air, -m_padding, -air);
            painter.drawText(inner, static_cast<int>(m_table.alignment(r, c)) | lines, text);
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

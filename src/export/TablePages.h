// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/PrintableTable.h"

#include <QFont>
#include <QPageLayout>

#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace harukaze {

/**
 * The printed pages of a table, one routine for the printer, the print preview and the PDF.
 *
 * Every page has a header line (title, document name, print date), the table and a footer line
 * (source of the figures, "ページ n / N"). The table is drawn from its cells, not from a widget: each
 * column as wide as its screen width or its widest text, whichever is more, and the whole scaled,
 * font included, to the page width (at most to a comfortable reading size, the extra width then going
 * to the body columns). The rows run over as many pages as needed, each page repeating the header
 * rows; when the table asks for a smallest font size and does not fit at it, the columns run over
 * further pages too, each repeating the label columns. Rows and columns are shared out evenly over
 * their pages. Header cells are light cyan and ruled in black, body cells ruled in light grey, as
 * on screen; a row of several-line cells is as tall as its most lines, and cells keep the table's
 * text colours and bold rows. A table with a chart painter gets one more page, the chart under the
 * same header line and above the same footer.
 */
class TablePages
{
public:
    explicit TablePages(PrintableTable table);

    /** A4 landscape with 10 mm margins: the pages' default. */
    static QPageLayout defaultPageLayout();

    /** Lays the table out on the paintable area of `device` (its size and resolution). */
    void layOut(const QPaintDevice& device);

    /** Pages of the last layout: the table's, then the chart's page when the table has a chart. */
    int pageCount() const;
    /** Pages of the last layout that show the table. */
    int tablePageCount() const;
    /** Size in points of the table's text in the last layout. */
    double tableFontPoints() const { return m_fontPoints; }
    /** Number of page widths the columns take in the last layout (1 unless they do not fit). */
    int columnBandCount() const { return static_cast<int>(m_columnBands.size()); }

    /**
     * Lays out and paints every page on `device`, starting a new page between two; only the pages in
     * the device's page ranges when it has any (a printer's "pages from ... to"). False when the device
     * cannot be painted on.
     */
    bool paint(QPagedPaintDevice* device);

    /** Paints page `page` (0-based) of the last layout with a painter open on the laid out device. */
    void paintPage(QPainter& painter, int page) const;

    const PrintableTable& table() const { return m_table; }

private:
    struct Band
    {
        int first = 0;
        int count = 0;
    };

    QFont tableFont(double points) const;
    QFont titleFont() const;
    QFont lineFont() const;
    std::vector<double> naturalWidths(const QPaintDevice& device) const;
    void fitColumns(const std::vector<double>& natural, double pageWidth);
    void splitColumns(double pageWidth);
    double rowHeight(int row) const;
    double fixedRowsHeight(double scale) const;
    std::vector<Band> rowBandsIn(double scale, double room) const;
    void splitRows(double tableHeight);
    void setRowHeight(const QPaintDevice& device);
    void saveAPage(const QPaintDevice& device, double tableHeight);
    void paintHeader(QPainter& painter) const;
    void paintLegend(QPainter& painter) const;
    void paintTable(QPainter& painter, const Band& rows, const Band& columns) const;
    void paintFooter(QPainter& painter, int page) const;
    std::vector<int> visibleColumns(const Band& band) const;

    PrintableTable m_table;

    // The last layout, in device pixels.
    double m_dotsPerPoint = 1.0;
    double m_pageWidth = 0;
    double m_pageHeight = 0;
    double m_fontPoints = 0;
    double m_rowHeight = 0; ///< of a row of one line
    double m_lineSpacing = 0; ///< added for every further line of a row
    double m_padding = 0;
    double m_headerHeight = 0;
    double m_titleHeight = 0;
    double m_legendHeight = 0;
    double m_footerHeight = 0;
    std::vector<double> m_widths;
    std::vector<int> m_lines; ///< lines of each row
    std::vector<Band> m_rowBands;
    std::vector<Band> m_columnBands;
};

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/TableShape.h"

#include <QColor>
#include <QDate>
#include <QRectF>
#include <QString>

#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

class QPainter;

namespace harukaze {

struct TableModel;

/** How one column of a printable table is laid out. */
struct PrintableColumn
{
    int widthTwips = 0; ///< width on screen, in twentieths of a point
    Qt::Alignment headerAlignment = Qt::AlignCenter; ///< alignment in the fixed header rows
    Qt::Alignment bodyAlignment = Qt::AlignLeft | Qt::AlignVCenter; ///< alignment in the other rows
    /**
     * Spreadsheet number format of the column's body cells ("0000", "#,##0", "0.0%"). When set, a
     * body cell whose text is a whole number goes into a workbook as that number (a format ending in
     * "%" takes texts such as "1.5%" as 0.015); when empty, every cell is text.
     */
    QString numberFormat;
};

/** One series of a table's chart: the body cells of one row, as bars or as a line. */
struct PrintableChartSeries
{
    QString name;
    int row = 0;
    bool line = false; ///< a line over the bars, else bars
    QColor color;
};

/**
 * The chart that goes with a table: on paper a page of its own after the table's pages, drawn by
 * `paint` (none: no chart page); in a workbook a chart of the spreadsheet program over the sheet's
 * cells, the body cells of `categoryRow` naming the categories.
 */
struct PrintableChart
{
    QString title;
    QString valueAxisTitle;
    int categoryRow = -1;
    std::vector<PrintableChartSeries> series;
    /** Draws the chart into a rectangle of a page (in the painter's device pixels). */
    std::function<void(QPainter&, const QRectF&)> paint;

    bool isEmpty() const { return series.empty(); }
};

/** One entry of the legend line under the page header: a swatch of `color` and its meaning. */
struct LegendEntry
{
    QColor color;
    QString text;
};

/**
 * A table as the printed pages, the PDF and the workbook show it: rows of cell texts of which the
 * first `fixedRows` are header rows repeated on every page and the first `fixedColumns` label
 * columns repeated on every page width, with the header line (title, document name, date) and the
 * footer line (source of the figures) around it. A cell's text may hold several lines separated by
 * "\n"; its row is then as tall as its most lines.
 */
struct PrintableTable
{
    QString title; ///< e.g. "ライフサイクル表"; also the page header's first words
    QString documentName; ///< shown beside the title: the plan file's name, or "(無題)"
    QString sourceNote; ///< footer text naming the source of the figures (empty: none)
    QDate printDate; ///< the date in the page header

    int fixedRows = 0;
    int fixedColumns = 0;
    std::vector<PrintableColumn> columns;
    std::vector<std::vector<QString>> cells; ///< cells[row][column]

    QString fontFamily; ///< the table font; Japanese fonts of the system stand in where it is missing
    double fontPoints = TABLE_FONT_POINTS; ///< its size on screen
    bool fontBold = false; ///< as the font command may set it on screen (a build never does)
    bool fontItalic = false;

    /**
     * The smallest font size the pages may shrink the table to. 0 keeps every column on one page
     * width whatever the size; above 0 the columns beyond what fits go on further pages, each
     * repeating the label columns.
     */
    double minimumFontPoints = 0.0;

    /** Background tints of single body cells, by (column, row); header cells keep their cyan. */
    std::map<std::pair<int, int>, QColor> tints;
    /** What the tints mean, drawn on one line under the page header when not empty. */
    std::vector<LegendEntry> legend;

    /** Text colours of single cells, by (column, row); the others are black. */
    std::map<std::pair<int, int>, QColor> textColors;
    /** Rows drawn in bold, label columns included (the totals of a money table). */
    std::set<int> boldRows;
    /** Alignments of the body cells of single rows, over their columns' body alignments. */
    std::map<int, Qt::Alignment> rowAlignments;
    /**
     * Number formats of single header rows ("0"): their whole numbers over the body columns go into
     * a workbook as numbers, as the columns' number formats do for the body rows.
     */
    std::map<int, QString> headerRowNumberFormats;

    /** The chart of the table, if it has one. */
    PrintableChart chart;

    int rowCount() const { return static_cast<int>(cells.size()); }
    int columnCount() const { return static_cast<int>(columns.size()); }
    /** The text of a cell; empty outside the table. */
    QString text(int row, int column) const;
    bool isFixed(int row, int column) const { return row < fixedRows || column < fixedColumns; }
    /** The tint of a body cell, or an invalid colour when it has none. */
    QColor tint(int column, int row) const;
    void setTint(int column, int row, const QColor& color) { tints[{ column, row }] = color; }
    /** The text colour of a cell, or an invalid colour for the usual black. */
    QColor textColor(int column, int row) const;
    void setTextColor(int column, int row, const QColor& color) { textColors[{ column, row }] = color; }
    bool isBold(int row) const { return boldRows.count(row) > 0; }
    /** The alignment of a cell: its column's header or body alignment unless its row has its own. */
    Qt::Alignment alignment(int row, int column) const;
    /** Lines of the row's tallest cell; at least 1. */
    int lineCount(int row) const;
};

/** The light cyan of the fixed cells on screen and on paper, RGB(192, 255, 255). */
QColor fixedCellColor();

/** Qt alignment of one of the table model's alignment codes. */
Qt::Alignment alignmentOfCode(int code);

/** The title of the life cycle table's pages and sheet, "ライフサイクル表". */
QString lifeCycleTitle();

/** The source of the life expectancy figures, named in the footer and the workbook. */
QString lifeExpectancySource();

/** The name shown for a plan: the file name of `planFilePath` without its folder, or "(無題)". */
QString documentNameOf(const QString& planFilePath);

/**
 * Makes `table` (its cells and columns already filled) a life cycle table: title, document name,
 * source of the life expectancies, print date, the two header rows and two year columns, and the
 * Western and era years and the members' ages (cells holding the age alone) as numbers in a workbook.
 */
void setUpLifeCycleTable(PrintableTable& table, const QString& planFilePath, const QDate& printDate);

/**
 * The printable life cycle table of a built table model: its 53 rows, two header rows and two year
 * columns, its widths, alignments and font; the Western and era years go into a workbook as numbers.
 */
PrintableTable printableLifeCycleTable(const TableModel& table, const QString& planFilePath, const QDate& printDate);

} // namespace harukaze

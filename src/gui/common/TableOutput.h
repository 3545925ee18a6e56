// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/PrintableTable.h"

#include <QString>

#include <utility>
#include <vector>

class QPrinter;
class QWidget;

namespace harukaze {

struct TableModel;

/**
 * The print, print preview, PDF and Excel commands over the table of the open window. All four
 * draw on the same pages (TablePages): A4 landscape unless the user picks another paper or the
 * portrait orientation in the dialogs. The PDF and the workbook are saved through saveAs() as every
 * export is: ".pdf" or ".xlsx" added to a name without an extension, an existing file replaced
 * only once the new one is whole (a plan file only after a question), a failure reported with
 * "ファイルを保存できませんでした。" and the path.
 */
class TableOutput
{
public:
    /**
     * A built life cycle table: cell texts, column widths, alignments and its font (the font
     * command's bold and italic included). `planFilePath` is empty for a plan not yet saved and the
     * demo (the pages then say "(無題)").
     */
    TableOutput(const TableModel& table, const QString& planFilePath);
    /** Any printable table (its cells, fixed rows and columns, tints and legend). */
    explicit TableOutput(PrintableTable table);

    /** The table as it will be printed; tints and legend may be set on it before a command. */
    PrintableTable& table() { return m_table; }
    const PrintableTable& table() const { return m_table; }

    /**
     * A further sheet of the workbook saveXlsx() writes, after the table's own sheet and the
     * sheets added before (the print, preview and PDF commands keep to the table).
     */
    void addSheet(PrintableTable table) { m_moreSheets.push_back(std::move(table)); }

    /** The print dialog ("印刷"), then the pages on the chosen printer. False when cancelled or failed. */
    bool print(QWidget* parent);
    /** The print preview ("印刷プレビュー") of the pages; printing from it prints the same pages. */
    void preview(QWidget* parent);
    /** Save dialog ("PDF形式で保存", offering `suggested`), then the PDF. False when cancelled or not written. */
    bool savePdf(QWidget* parent, const QString& suggested = QString());
    /** Save dialog ("Excel形式で保存"), then the Excel workbook. False when cancelled or not written. */
    bool saveXlsx(QWidget* parent, const QString& suggested = QString());
    /** Writes the PDF to `path`; false with `reason` when it cannot. */
    bool writePdf(const QString& path, QString* reason) const;
    /** Writes the workbook (the table's sheet, then the sheets added) to `path`. */
    bool writeXlsx(const QString& path, QString* reason) const;
    static QString pdfTitle();
    static QString xlsxTitle();

    /** The message after a failed save: "ファイルを保存できませんでした。" and the path on a line of its own. */
    static QString saveFailedText(const QString& path, const QString& reason = QString());
    /** The message after a failed print. */
    static QString printFailedText();

private:
    void setUpPrinter(QPrinter& printer) const;

    PrintableTable m_table;
    std::vector<PrintableTable> m_moreSheets;
};

} // namespace harukaze

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/PrintableTable.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace harukaze {

/**
 * An Excel workbook (.xlsx) of tables, one sheet each, written with libxlsxwriter.
 *
 * A sheet holds its table's title and document name in row 1, the source of its figures in row 2
 * and the legend of its tints in row 3, then the table from row 4: header cells light cyan, every
 * cell ruled, in the table's font with its text colours and bold rows; texts as text (several-line
 * texts wrapped in a row as tall as their lines) and, in columns with a number format, whole numbers
 * as numbers. The header rows and label columns are frozen, and each column is as wide as on screen.
 */
class XlsxWorkbook
{
public:
    /** Row (0-based) of a sheet where its table's first row goes. */
    static constexpr int TABLE_TOP_ROW = 3;

    /**
     * Adds a sheet holding `table` after the sheets added before. Characters a sheet name may not
     * hold ([]:*?/\) become "_", the name is cut to 31 characters and made unique among the sheets.
     */
    void addSheet(const QString& sheetName, const PrintableTable& table);
    int sheetCount() const { return static_cast<int>(m_sheets.size()); }
    /** The name the sheet `index` gets in the file. */
    QString sheetName(int index) const;

    /** Title, subject and comments in the workbook's document properties. */
    void setProperties(const QString& title, const QString& subject, const QString& comments);

    /**
     * The whole .xlsx file. Empty (and `error` set) when it could not be made. It is made in a
     * scratch folder of its own in the user's private folder (core/io/PrivateFolder.h), removed
     * when it is done; one that a killed export left is removed by the next export.
     */
    QByteArray bytes(QString* error = nullptr) const;

    /**
     * Writes the workbook to `path`, replacing the file only once it is whole: a failure leaves an
     * existing file as it was and no partial file. False (and `error` set) on failure.
     */
    bool save(const QString& path, QString* error = nullptr) const;

private:
    struct Sheet
    {
        QString name;
        PrintableTable table;
    };

    std::vector<Sheet> m_sheets;
    QString m_title;
    QString m_subject;
    QString m_comments;
};

/** Test seam of XlsxWorkbook::bytes(); the program never sets it. */
struct XlsxWorkbookTestHooks
{
    /** Called once the workbook file is written in its scratch folder (to kill the process there). */
    void (*written)() = nullptr;
};

XlsxWorkbookTestHooks& xlsxWorkbookTestHooks();

/**
 * A workbook of one table: one sheet named after the table's title (the life cycle table's is
 * "ライフサイクル表"), the title, document name and source in its document properties too.
 */
XlsxWorkbook workbookOf(const PrintableTable& table);

/**
 * A workbook of several tables, one sheet each in their order, named after their titles (the life
 * cycle table and the cash-flow table: "ライフサイクル表" and "キャッシュフロー表"); the document
 * properties take the first table's title and document name and every table's source.
 */
XlsxWorkbook workbookOf(const std::vector<PrintableTable>& tables);

} // namespace harukaze

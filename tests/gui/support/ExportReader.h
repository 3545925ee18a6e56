// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QXmlStreamAttributes>

#include <map>

/**
 * Reading back what the export library writes, as a user's tools see it: the text of PDF pages
 * through poppler's pdftotext/pdfinfo and the parts of an .xlsx through unzip.
 */
namespace ExportReader {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

/** Runs a program to its end (a minute at most). */
Run run(const QString& program, const QStringList& arguments);

/** The text of each page of a PDF, as pdftotext -layout lays it out. */
QStringList pdfPages(const QString& path);

/** A field of pdfinfo ("Pages", "Title", ...). */
QString pdfInfo(const QString& path, const QString& field);

/** Words of a text; the ideographic space inside event texts such as "介　護" separates as well. */
QStringList words(QString text);

/** A cell reference of a 0-based row and column: (0, 0) is "A1", (3, 27) "AB4". */
QString cellRef(int row, int column);

/** A small reader of the parts of an .xlsx the tests look at. */
class XlsxReader
{
public:
    explicit XlsxReader(const QString& path);

    QByteArray part(const QString& name) const;

    struct Cell
    {
        QString type; ///< "s" shared string, "" number
        QString value; ///< the string itself, or the number's text
        int style = 0;
    };

    /** Names of the sheets, in the workbook's order. */
    QStringList sheetNames() const;
    /** The part of sheet `sheet` (1-based). */
    static QString sheetPart(int sheet);
    /** The cells of a sheet (1-based) by reference ("A1"). */
    std::map<QString, Cell> cells(int sheet = 1) const;
    /** Attributes of the first element `name` of a part. */
    QXmlStreamAttributes firstElement(const QString& partName, const QString& name) const;
    /** Widths of a sheet's columns by 1-based column number. */
    std::map<int, double> columnWidths(int sheet = 1) const;

    /** Solid fill colour (ARGB hex) of a cell style, "" when it has none. */
    QString fillOf(int style) const { return m_fillOfStyle.value(style); }
    /** Number format code of a cell style, "" for General. */
    QString numberFormatOf(int style) const { return m_formatOfStyle.value(style); }
    /** Font name of a cell style. */
    QString fontOf(int style) const { return m_fontOfStyle.value(style); }
    /** Font colour (ARGB hex) of a cell style, "" for the usual one. */
    QString fontColorOf(int style) const { return m_fontColorOfStyle.value(style); }
    /** Whether a cell style's font is bold. */
    bool isBold(int style) const { return m_boldOfStyle.value(style); }
    /** Whether a cell style wraps its text. */
    bool wraps(int style) const { return m_wrapOfStyle.value(style); }

private:
    void readSharedStrings();
    void readStyles();

    QString m_path;
    QStringList m_strings;
    QMap<int, QString> m_fillOfStyle;
    QMap<int, QString> m_fontOfStyle;
    QMap<int, QString> m_fontColorOfStyle;
    QMap<int, bool> m_boldOfStyle;
    QMap<int, bool> m_wrapOfStyle;
    QMap<int, QString> m_formatOfStyle;
};

} // namespace ExportReader

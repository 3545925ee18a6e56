// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ExportReader.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace ExportReader {

Run run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(60000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QStringList pdfPages(const QString& path)
{
    const Run text = run(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), path, QStringLiteral("-") });
    QStringList pages = QString::fromUtf8(text.out).split(QLatin1Char('\f'));
    // pdftotext ends every page with a form feed, the last one included.
    if (!pages.isEmpty() && pages.constLast().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QString pdfInfo(const QString& path, const QString& field)
{
    const Run info = run(QStringLiteral("pdfinfo"), { path });
    for (const QString& line : QString::fromUtf8(info.out).split(QLatin1Char('\n'))) {
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    }
    return {};
}

QStringList words(QString text)
{
    text.replace(QChar(0x3000), QLatin1Char(' '));
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

QString cellRef(int row, int column)
{
    QString letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row + 1);
}

XlsxReader::XlsxReader(const QString& path)
    : m_path(path)
{
    readSharedStrings();
    readStyles();
}

QByteArray XlsxReader::part(const QString& name) const
{
    return run(QStringLiteral("unzip"), { QStringLiteral("-p"), m_path, name }).out;
}

QStringList XlsxReader::sheetNames() const
{
    QStringList names;
    QXmlStreamReader xml(part(QStringLiteral("xl/workbook.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("sheet"))
            names << xml.attributes().value(QLatin1String("name")).toString();
    }
    return names;
}

QString XlsxReader::sheetPart(int sheet)
{
    return QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheet);
}

std::map<QString, XlsxReader::Cell> XlsxReader::cells(int sheet) const
{
    std::map<QString, Cell> cells;
    QXmlStreamReader xml(part(sheetPart(sheet)));
    QString ref;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
            ref = xml.attributes().value(QLatin1String("r")).toString();
            Cell& cell = cells[ref];
            cell.type = xml.attributes().value(QLatin1String("t")).toString();
            cell.style = xml.attributes().value(QLatin1String("s")).toInt();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("v")) {
            Cell& cell = cells[ref];
            const QString v = xml.readElementText();
            cell.value = cell.type == QLatin1String("s") ? m_strings.value(v.toInt()) : v;
        }
    }
    return cells;
}

QXmlStreamAttributes XlsxReader::firstElement(const QString& partName, const QString& name) const
{
    QXmlStreamReader xml(part(partName));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == name)
            return xml.attributes();
    }
    return {};
}

std::map<int, double> XlsxReader::columnWidths(int sheet) const
{
    std::map<int, double> widths;
    QXmlStreamReader xml(part(sheetPart(sheet)));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("col"))
            widths[xml.attributes().value(QLatin1String("min")).toInt()]
                = xml.attributes().value(QLatin1String("width")).toDouble();
    }
    return widths;
}

void XlsxReader::readSharedStrings()
{
    QXmlStreamReader xml(part(QStringLiteral("xl/sharedStrings.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("t"))
            m_strings << xml.readElementText();
    }
}

void XlsxReader::readStyles()
{
    struct Font
    {
        QString name;
        QString color;
        bool bold = false;
    };
    QXmlStreamReader xml(part(QStringLiteral("xl/styles.xml")));
    QStringList fills;
    QList<Font> fonts;
    QMap<int, QString> formats;
    QString section;
    int xf = -1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        const QXmlStreamAttributes a = xml.attributes();
        if (name == QLatin1String("fills") || name == QLatin1String("fonts") || name == QLatin1String("borders")
            || name == QLatin1String("cellXfs") || name == QLatin1String("cellStyleXfs"))
            section = name.toString();
        else if (name == QLatin1String("numFmt"))
            formats[a.value(QLatin1String("numFmtId")).toInt()] = a.value(QLatin1String("formatCode")).toString();
        else if (name == QLatin1String("fill"))
            fills << QString();
        else if (name == QLatin1String("fgColor") && section == QLatin1String("fills"))
            fills.last() = a.value(QLatin1String("rgb")).toString();
        else if (name == QLatin1String("font"))
            fonts << Font();
        else if (name == QLatin1String("name") && section == QLatin1String("fonts"))
            fonts.last().name = a.value(QLatin1String("val")).toString();
        else if (name == QLatin1String("color") && section == QLatin1String("fonts"))
            fonts.last().color = a.value(QLatin1String("rgb")).toString();
        else if (name == QLatin1String("b") && section == QLatin1String("fonts"))
            fonts.last().bold = true;
        else if (name == QLatin1String("xf") && section == QLatin1String("cellXfs")) {
            xf = static_cast<int>(m_fillOfStyle.size());
            const Font font = fonts.value(a.value(QLatin1String("fontId")).toInt());
            m_fillOfStyle[xf] = fills.value(a.value(QLatin1String("fillId")).toInt());
            m_fontOfStyle[xf] = font.name;
            m_fontColorOfStyle[xf] = font.color;
            m_boldOfStyle[xf] = font.bold;
            m_wrapOfStyle[xf] = false;
            m_formatOfStyle[xf] = formats.value(a.value(QLatin1String("numFmtId")).toInt());
        } else if (name == QLatin1String("alignment") && section == QLatin1String("cellXfs") && xf >= 0)
            m_wrapOfStyle[xf] = a.value(QLatin1String("wrapText")) == QLatin1String("1");
    }
}

} // namespace ExportReader

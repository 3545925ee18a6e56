// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/XlsxWorkbook.h"

#include "core/io/PrivateFolder.h"
#include "core/io/SaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <cerrno>
#include <climits>
#include <csignal>
#include <unistd.h>

#include <xlsxwriter.h>

#include <cmath>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <tuple>

namespace harukaze {

namespace {

constexpr int MAX_SHEET_NAME = 31;
// Screen widths are in twips; a sheet's column widths in pixels at 96 dots per inch.
constexpr double TWIPS_PER_PIXEL = 15.0;
constexpr double TITLE_POINTS = 12.0;
constexpr uint8_t PAPER_A4 = 9;
// Height of a line of a several-line cell in its font sizes, and the air of its row, in points.
constexpr double LINE_HEIGHT_EM = 1.35;
constexpr double ROW_AIR_POINTS = 3.0;

const QString SCRATCH_PREFIX = QStringLiteral("harukaze-xlsx-");

// The scratch folders ("harukaze-xlsx-PID-XXXXXX") that exports of processes no longer running
// left in `folder` (a killed export cannot clear its own).
void clearLeftScratch(const QString& folder)
{
    const QStringList names
        = QDir(folder).entryList({ SCRATCH_PREFIX + QLatin1Char('*') }, QDir::Dirs | QDir::NoSymLinks | QDir::Hidden);
    for (const QString& name : names) {
        const QString pidText = name.mid(SCRATCH_PREFIX.size()).section(QLatin1Char('-'), 0, 0);
        bool number = false;
        const qint64 pid = pidText.toLongLong(&number);
        if (!number || pid <= 0 || pid > INT_MAX || pid == ::getpid())
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            QDir(folder + QLatin1Char('/') + name).removeRecursively();
    }
}

lxw_color_t rgbOf(const QColor& color)
{
    return static_cast<lxw_color_t>(color.rgb() & 0xFFFFFF);
}

uint8_t horizontalOf(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return LXW_ALIGN_CENTER;
    if (alignment & Qt::AlignRight)
        return LXW_ALIGN_RIGHT;
    return LXW_ALIGN_LEFT;
}

uint8_t verticalOf(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignTop)
        return LXW_ALIGN_VERTICAL_TOP;
    if (alignment & Qt::AlignBottom)
        return LXW_ALIGN_VERTICAL_BOTTOM;
    return LXW_ALIGN_VERTICAL_CENTER;
}

bool isWholeNumber(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^-?[0-9]{1,15}$"));
    return pattern.match(text).hasMatch();
}

// "1.5%" as 0.015; nothing for a text that is no percentage.
std::optional<double> percentValue(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(-?[0-9]{1,6}(\\.[0-9]{1,6})?)%$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toDouble() / 100.0;
}

// Pixels of the width of a sheet's chart.
constexpr double CHART_WIDTH_PIXELS = 1200.0;
constexpr double CHART_HEIGHT_PIXELS = 320.0;
// libxlsxwriter's default chart size, which the options scale.
constexpr double DEFAULT_CHART_WIDTH = 480.0;
constexpr double DEFAULT_CHART_HEIGHT = 288.0;
constexpr int ROWS_PER_CHART = 18;

// One cell format of a sheet; equal cells share one format of the workbook.
struct CellStyle
{
    bool fixed = false;
    Qt::Alignment alignment;
    QString numberFormat;
    QColor fill;
    QColor text;
    bool bold = false;
    bool wrap = false;

    bool operator<(const CellStyle& other) const
    {
        const auto rgba = [](const QColor& color) { return color.isValid() ? static_cast<qint64>(color.rgba()) : -1; };
        const auto key = [&rgba](const CellStyle& s) {
            return std::make_tuple(
                s.fixed, static_cast<int>(s.alignment), s.numberFormat, rgba(s.fill), rgba(s.text), s.bold, s.wrap);
        };
        return key(*this) < key(other);
    }
};

// Writes one sheet; formats are made as the cells need them.
class SheetWriter
{
public:
    SheetWriter(lxw_workbook* workbook, lxw_worksheet* sheet, const std::string& sheetName, const PrintableTable& table)
        : m_workbook(workbook)
        , m_sheet(sheet)
        , m_sheetName(sheetName)
        , m_table(table)
        , m_fontName((table.fontFamily.isEmpty() ? QStringLiteral("ＭＳ Ｐゴシック") : table.fontFamily).toStdString())
    {
    }

    lxw_error write()
    {
        lxw_error status = writeHeading();
        for (int c = 0; c < m_table.columnCount() && status == LXW_NO_ERROR; ++c) {
            const int twips = m_table.columns[static_cast<size_t>(c)].widthTwips;
            const auto pixels = static_cast<uint32_t>(std::lround(std::max(twips, 0) / TWIPS_PER_PIXEL));
            status = worksheet_set_column_pixels(
                m_sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), pixels, nullptr);
        }
        for (int r = 0; r < m_table.rowCount() && status == LXW_NO_ERROR; ++r) {
            // A row of several-line cells is made as tall as its lines: a spreadsheet program
            // does not grow it by itself.
            const int lines = m_table.lineCount(r);
            if (lines > 1)
                status = worksheet_set_row(m_sheet,
                    static_cast<lxw_row_t>(XlsxWorkbook::TABLE_TOP_ROW + r),
                    lines * m_table.fontPoints * LINE_HEIGHT_EM + ROW_AIR_POINTS,
                    nullptr);
            for (int c = 0; c < m_table.columnCount() && status == LXW_NO_ERROR; ++c)
                status = writeCell(r, c);
        }
        worksheet_freeze_panes(m_sheet,
            static_cast<lxw_row_t>(XlsxWorkbook::TABLE_TOP_ROW + m_table.fixedRows),
            static_cast<lxw_col_t>(m_table.fixedColumns));
        if (status == LXW_NO_ERROR)
            status = setUpPrinting();
        if (status == LXW_NO_ERROR)
            status = insertCharts();
        return status;
    }

private:
    // The table's chart as charts of the spreadsheet program below the table, over the sheet's own
    // cells: the bars in one chart, the lines in another (the library makes no chart of both).
    lxw_error insertCharts()
    {
        const PrintableChart& source = m_table.chart;
        if (source.isEmpty() || source.categoryRow < 0 || m_table.columnCount() <= m_table.fixedColumns)
            return LXW_NO_ERROR;
        const auto firstColumn = static_cast<lxw_col_t>(m_table.fixedColumns);
        const auto lastColumn = static_cast<lxw_col_t>(m_table.columnCount() - 1);
        const auto sheetRow = [](int row) { return static_cast<lxw_row_t>(XlsxWorkbook::TABLE_TOP_ROW + row); };
        int place = XlsxWorkbook::TABLE_TOP_ROW + m_table.rowCount() + 1;
        lxw_error status = LXW_NO_ERROR;
        for (const bool lines : { false, true }) {
            std::vector<const PrintableChartSeries*> chosen;
            for (const PrintableChartSeries& series : source.series) {
                if (series.line == lines)
                    chosen.push_back(&series);
            }
            if (chosen.empty() || status != LXW_NO_ERROR)
                continue;
            lxw_chart* chart = workbook_add_chart(m_workbook, lines ? LXW_CHART_LINE : LXW_CHART_COLUMN);
            if (!chart)
                return LXW_ERROR_MEMORY_MALLOC_FAILED;
            QStringList names;
            for (const PrintableChartSeries* series : chosen) {
                lxw_chart_series* added = chart_add_series(chart, nullptr, nullptr);
                chart_series_set_categories(added,
                    m_sheetName.c_str(),
                    sheetRow(source.categoryRow),
                    firstColumn,
                    sheetRow(source.categoryRow),
                    lastColumn);
                chart_series_set_values(
                    added, m_sheetName.c_str(), sheetRow(series->row), firstColumn, sheetRow(series->row), lastColumn);
                m_texts.push_back(series->name.toStdString());
                chart_series_set_name(added, m_texts.back().c_str());
                if (lines) {
                    lxw_chart_line line {};
                    line.color = rgbOf(series->color);
                    line.width = 2.25F;
                    chart_series_set_line(added, &line);
                    chart_series_set_marker_type(added, LXW_CHART_MARKER_NONE);
                } else {
                    lxw_chart_fill fill {};
                    fill.color = rgbOf(series->color);
                    chart_series_set_fill(added, &fill);
                }
                names << series->name;
            }
            m_texts.push_back((names.join(QStringLiteral("・")) + QStringLiteral("の推移")).toStdString());
            chart_title_set_name(chart, m_texts.back().c_str());
            m_texts.push_back(source.valueAxisTitle.toStdString());
            chart_axis_set_name(chart->y_axis, m_texts.back().c_str());
            chart_legend_set_position(chart, LXW_CHART_LEGEND_TOP);
            lxw_chart_options options {};
            options.x_scale = CHART_WIDTH_PIXELS / DEFAULT_CHART_WIDTH;
            options.y_scale = CHART_HEIGHT_PIXELS / DEFAULT_CHART_HEIGHT;
            status = worksheet_insert_chart_opt(m_sheet, static_cast<lxw_row_t>(place), 0, chart, &options);
            place += ROWS_PER_CHART;
        }
        return status;
    }

    // Printed from the spreadsheet program as HARUKAZE prints it: A4 landscape, every column on one
    // page width; or, when the table keeps a smallest font size as a table of years across does,
    // every row on one page height and the columns on further pages. The header rows and label
    // columns are on every page.
    lxw_error setUpPrinting()
    {
        worksheet_set_landscape(m_sheet);
        worksheet_set_paper(m_sheet, PAPER_A4);
        if (m_table.minimumFontPoints > 0)
            worksheet_fit_to_pages(m_sheet, 0, 1);
        else
            worksheet_fit_to_pages(m_sheet, 1, 0);
        lxw_error status = LXW_NO_ERROR;
        if (m_table.fixedRows > 0)
            status = worksheet_repeat_rows(m_sheet,
                static_cast<lxw_row_t>(XlsxWorkbook::TABLE_TOP_ROW),
                static_cast<lxw_row_t>(XlsxWorkbook::TABLE_TOP_ROW + m_table.fixedRows - 1));
        if (status == LXW_NO_ERROR && m_table.fixedColumns > 0)
            status = worksheet_repeat_columns(m_sheet, 0, static_cast<lxw_col_t>(m_table.fixedColumns - 1));
        return status;
    }

    lxw_format* fontFormat()
    {
        lxw_format* format = workbook_add_format(m_workbook);
        format_set_font_name(format, m_fontName.c_str());
        format_set_font_size(format, m_table.fontPoints);
        return format;
    }

    lxw_format* formatOf(const CellStyle& style)
    {
        const auto found = m_formats.find(style);
        if (found != m_formats.end())
            return found->second;
        lxw_format* format = fontFormat();
        if (m_table.fontBold || style.bold)
            format_set_bold(format);
        if (m_table.fontItalic)
            format_set_italic(format);
        format_set_align(format, horizontalOf(style.alignment));
        format_set_align(format, verticalOf(style.alignment));
        format_set_border(format, LXW_BORDER_THIN);
        format_set_border_color(format, style.fixed ? 0x000000 : 0xC0C0C0);
        if (style.fill.isValid()) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, rgbOf(style.fill));
        }
        if (style.text.isValid())
            format_set_font_color(format, rgbOf(style.text));
        if (style.wrap)
            format_set_text_wrap(format);
        if (!style.numberFormat.isEmpty())
            format_set_num_format(format, style.numberFormat.toStdString().c_str());
        m_formats.emplace(style, format);
        return format;
    }

    lxw_error writeText(int row, int column, const QString& text, lxw_format* format)
    {
        const std::string utf8 = text.toStdString();
        return worksheet_write_string(
            m_sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column), utf8.c_str(), format);
    }

    lxw_error writeHeading()
    {
        lxw_format* title = fontFormat();
        format_set_bold(title);
        format_set_font_size(title, TITLE_POINTS);
        QString heading = m_table.title;
        if (!m_table.documentName.isEmpty())
            heading += QStringLiteral("　") + m_table.documentName;
        lxw_error status = writeText(0, 0, heading, title);
        lxw_format* plain = fontFormat();
        if (status == LXW_NO_ERROR && !m_table.sourceNote.isEmpty())
            status = writeText(1, 0, QStringLiteral("出典：") + m_table.sourceNote, plain);
        // The legend as sample cells over the body columns: each entry in its own tint.
        int column = std::min(m_table.fixedColumns, std::max(m_table.columnCount() - 1, 0));
        for (const LegendEntry& entry : m_table.legend) {
            if (status != LXW_NO_ERROR)
                break;
            CellStyle style;
            style.alignment = Qt::AlignLeft | Qt::AlignVCenter;
            style.fill = entry.color;
            status = writeText(XlsxWorkbook::TABLE_TOP_ROW - 1, column++, entry.text, formatOf(style));
        }
        return status;
    }

    lxw_error writeCell(int r, int c)
    {
        const PrintableColumn& column = m_table.columns[static_cast<size_t>(c)];
        const bool header = r < m_table.fixedRows;
        CellStyle style;
        style.fixed = m_table.isFixed(r, c);
        style.alignment = m_table.alignment(r, c);
        style.fill = style.fixed ? fixedCellColor() : m_table.tint(c, r);
        style.text = m_table.textColor(c, r);
        style.bold = m_table.isBold(r);
        const QString text = m_table.text(r, c);
        style.wrap = text.contains(QLatin1Char('\n'));
        const auto row = static_cast<lxw_row_t>(XlsxWorkbook::TABLE_TOP_ROW + r);
        const auto col = static_cast<lxw_col_t>(c);
        // Numbers: the body cells of a column with a number format, and the header cells of a row
        // with one over the body columns.
        QString numberFormat = header ? QString() : column.numberFormat;
        if (header && c >= m_table.fixedColumns) {
            const auto found = m_table.headerRowNumberFormats.find(r);
            if (found != m_table.headerRowNumberFormats.end())
                numberFormat = found->second;
        }
        if (numberFormat.endsWith(QLatin1Char('%'))) {
            if (const std::optional<double> value = percentValue(text)) {
                style.numberFormat = numberFormat;
                return worksheet_write_number(m_sheet, row, col, *value, formatOf(style));
            }
        } else if (!numberFormat.isEmpty() && isWholeNumber(text)) {
            style.numberFormat = numberFormat;
            return worksheet_write_number(m_sheet, row, col, text.toDouble(), formatOf(style));
        }
        if (text.isEmpty())
            return worksheet_write_blank(m_sheet, row, col, formatOf(style));
        return writeText(static_cast<int>(row), c, text, formatOf(style));
    }

    lxw_workbook* m_workbook;
    lxw_worksheet* m_sheet;
    const std::string& m_sheetName;
    const PrintableTable& m_table;
    // Texts the library keeps pointers to until the workbook is closed.
    std::list<std::string> m_texts;
    std::string m_fontName;
    std::map<CellStyle, lxw_format*> m_formats;
};

QString validSheetName(QString name)
{
    static const QRegularExpression forbidden(QStringLiteral("[\\[\\]:*?/\\\\]"));
    name.replace(forbidden, QStringLiteral("_"));
    // An apostrophe may not begin or end a sheet name.
    while (name.startsWith(QLatin1Char('\'')))
        name.remove(0, 1);
    while (name.endsWith(QLatin1Char('\'')))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("Sheet");
    return name.left(MAX_SHEET_NAME);
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

void XlsxWorkbook::addSheet(const QString& sheetName, const PrintableTable& table)
{
    const QString base = validSheetName(sheetName);
    QString name = base;
    // Sheet names are compared without regard to case.
    const auto taken = [this](const QString& candidate) {
        for (const Sheet& sheet : m_sheets) {
            if (sheet.name.compare(candidate, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    };
    for (int n = 2; taken(name); ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        name = base.left(MAX_SHEET_NAME - static_cast<int>(suffix.size())) + suffix;
    }
    m_sheets.push_back({ name, table });
}

QString XlsxWorkbook::sheetName(int index) const
{
    if (index < 0 || index >= sheetCount())
        return {};
    return m_sheets[static_cast<size_t>(index)].name;
}

void XlsxWorkbook::setProperties(const QString& title, const QString& subject, const QString& comments)
{
    m_title = title;
    m_subject = subject;
    m_comments = comments;
}

QByteArray XlsxWorkbook::bytes(QString* error) const
{
    // libxlsxwriter writes a named file only (and its own scratch files beside it): they go to a
    // scratch folder of this export in the user's private folder, never readable by others; what
    // a killed export left there is cleared by the next one.
    // The session's runtime folder is asked of the environment itself: Qt's own fallback for it
    // would only add a note on standard error to a command-line export.
    std::string problem;
    const QString privateFolder = QFile::decodeName(QByteArray::fromStdString(harukaze::privateFolder(
        qgetenv("XDG_RUNTIME_DIR").toStdString(), QFile::encodeName(QDir::tempPath()).toStdString(), &problem)));
    if (privateFolder.isEmpty()) {
        setError(error, QString::fromLocal8Bit(problem.c_str()));
        return {};
    }
    clearLeftScratch(privateFolder);
    QTemporaryDir folder(
        privateFolder + QLatin1Char('/') + SCRATCH_PREFIX + QString::number(::getpid()) + QStringLiteral("-XXXXXX"));
    if (!folder.isValid()) {
        setError(error, folder.errorString());
        return {};
    }
    const QString path = folder.filePath(QStringLiteral("book.xlsx"));
    const std::string localPath = QFile::encodeName(path).toStdString();
    std::string tmpdir = QFile::encodeName(folder.path()).toStdString();
    lxw_workbook_options options {};
    options.tmpdir = tmpdir.data();
    lxw_workbook* workbook = workbook_new_opt(localPath.c_str(), &options);
    if (!workbook) {
        setError(error, path + QStringLiteral(": the workbook could not be made"));
        return {};
    }

    std::string title = m_title.toStdString();
    std::string subject = m_subject.toStdString();
    std::string comments = m_comments.toStdString();
    lxw_doc_properties properties {};
    properties.title = title.data();
    properties.subject = subject.data();
    properties.comments = comments.data();
    lxw_error status = workbook_set_properties(workbook, &properties);

    for (const Sheet& sheet : m_sheets) {
        if (status != LXW_NO_ERROR)
            break;
        const std::string name = sheet.name.toStdString();
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook, name.c_str());
        if (!worksheet) {
            status = LXW_ERROR_SHEETNAME_ALREADY_USED;
            break;
        }
        status = SheetWriter(workbook, worksheet, name, sheet.table).write();
    }
    // The workbook is closed (and freed) whatever happened before.
    const lxw_error closed = workbook_close(workbook);
    if (status == LXW_NO_ERROR)
        status = closed;
    if (status != LXW_NO_ERROR) {
        setError(error, path + QStringLiteral(": ") + QString::fromUtf8(lxw_strerror(status)));
        return {};
    }
    if (void (*hook)() = xlsxWorkbookTestHooks().written)
        hook();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return {};
    }
    return file.readAll();
}

bool XlsxWorkbook::save(const QString& path, QString* error) const
{
    const QByteArray book = bytes(error);
    if (book.isEmpty())
        return false;
    std::string reason;
    const std::string local = QFile::encodeName(path).toStdString();
    if (!saveFileAtomically(local, std::string_view(book.constData(), static_cast<size_t>(book.size())), &reason)) {
        setError(error, QString::fromLocal8Bit(reason.c_str()));
        return false;
    }
    return true;
}

XlsxWorkbookTestHooks& xlsxWorkbookTestHooks()
{
    static XlsxWorkbookTestHooks hooks;
    return hooks;
}

XlsxWorkbook workbookOf(const PrintableTable& table)
{
    return workbookOf(std::vector<PrintableTable> { table });
}

XlsxWorkbook workbookOf(const std::vector<PrintableTable>& tables)
{
    XlsxWorkbook workbook;
    QStringList sources;
    for (const PrintableTable& table : tables) {
        workbook.addSheet(table.title, table);
        if (!table.sourceNote.isEmpty())
            sources << QStringLiteral("出典：") + table.sourceNote;
    }
    if (!tables.empty())
        workbook.setProperties(tables.front().title, tables.front().documentName, sources.join(QLatin1Char('\n')));
    return workbook;
}

} // namespace harukaze

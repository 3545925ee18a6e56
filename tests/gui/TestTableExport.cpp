// SPDX-License-Identifier: GPL-3.0-or-later
// The printed pages, PDF and Excel workbook of the life cycle table, made by harukaze-csv as a user
// makes them and by the export library, and read back with poppler's pdftotext/pdfinfo/pdffonts and
// unzip: what the pages and the sheet say, not how they were drawn.
#include "core/plan/FamilyPlan.h"
#include "core/plan/PlanFile.h"
#include "core/table/SampleFamily.h"
#include "core/table/TableBuilder.h"
#include "export/JapaneseDate.h"
#include "export/PrintableTable.h"
#include "export/TablePages.h"
#include "export/TablePdf.h"
#include "export/XlsxWorkbook.h"
#include "support/ExportReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <map>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

using namespace harukaze;
using namespace ExportReader;

namespace {

const QString BIN_DIR = QStringLiteral(HARUKAZE_BIN_DIR) + QLatin1Char('/');
const QString PLANS_DIR = QStringLiteral(HARUKAZE_TEST_DATA_DIR) + QStringLiteral("/plans/");
constexpr int Y0 = 2026;

Run runExporter(const QStringList& arguments)
{
    return run(BIN_DIR + QStringLiteral("harukaze-csv"), arguments);
}

QStringList rowWords(const TableModel& model, int row)
{
    QStringList all;
    for (int c = 0; c < model.columnCount(); ++c)
        all += words(QString::fromStdString(model.text(row, c)));
    return all;
}

TableModel demoTable()
{
    FamilyPlan plan;
    REC_CLEAR(plan);
    writeSampleFamily(plan);
    TableContext context;
    context.y0 = Y0;
    context.appDir = BIN_DIR.toStdString();
    return buildLifeCycleTable(plan, context);
}

TableModel planTable(const QString& planFile)
{
    FamilyPlan plan;
    REC_CLEAR(plan);
    FileLines lines;
    if (FILE_IN((PLANS_DIR + planFile).toStdString(), lines))
        parsePlanFileLines(lines, plan);
    TableContext context;
    context.y0 = Y0;
    context.appDir = BIN_DIR.toStdString();
    return buildLifeCycleTable(plan, context);
}

/** Where the rows of the table show on the pages: per page, the table rows in the order found. */
struct PagedRows
{
    QList<QList<int>> rowsOfPage;
    QString problem;
};

/**
 * Finds every table row on the pages: the two header rows must open every page, and each other
 * line that starts with a year of the table must be that year's row, word for word.
 */
PagedRows findRows(const QStringList& pages, const TableModel& model)
{
    PagedRows found;
    const QStringList header0 = rowWords(model, 0);
    const QStringList header1 = rowWords(model, 1);
    for (int p = 0; p < pages.size(); ++p) {
        QList<int> rows;
        for (const QString& line : pages[p].split(QLatin1Char('\n'))) {
            const QStringList lineWords = words(line);
            if (lineWords.isEmpty())
                continue;
            if (lineWords == header0) {
                rows << 0;
                continue;
            }
            if (lineWords == header1) {
                rows << 1;
                continue;
            }
            bool isYear = false;
            const int year = lineWords.constFirst().toInt(&isYear);
            if (!isYear || lineWords.constFirst().size() != 4 || year < Y0 || year > Y0 + TABLE_YEARS - 1)
                continue;
            const int row = TABLE_FIXED_ROWS + year - Y0;
            if (lineWords != rowWords(model, row)) {
                found.problem
                    = QStringLiteral("page %1: \"%2\" is not row %3 \"%4\"")
                          .arg(p + 1)
                          .arg(line.trimmed(), QString::number(row), rowWords(model, row).join(QLatin1Char(' ')));
                return found;
            }
            rows << row;
        }
        found.rowsOfPage << rows;
    }
    return found;
}

/** Checks the pages of a life cycle table PDF; returns what is wrong, or "" when all is right. */
QString checkLifeCyclePdf(const QString& path, const TableModel& model, const QString& documentName)
{
    const QStringList pages = pdfPages(path);
    if (pages.isEmpty())
        return QStringLiteral("no pages");
    if (pdfInfo(path, QStringLiteral("Pages")).toInt() != pages.size())
        return QStringLiteral("pdfinfo and pdftotext disagree on the page count");
    const PagedRows found = findRows(pages, model);
    if (!found.problem.isEmpty())
        return found.problem;

    QList<int> bodyRows;
    int mostRows = 0;
    for (int p = 0; p < pages.size(); ++p) {
        const QList<int>& rows = found.rowsOfPage[p];
        // Header rows first on every page, then the page's years.
        if (rows.size() < 3 || rows[0] != 0 || rows[1] != 1)
            return QStringLiteral("page %1 does not open with the two header rows").arg(p + 1);
        bodyRows += rows.mid(2);
        mostRows = std::max(mostRows, static_cast<int>(rows.size()) - 2);

        const QString& text = pages[p];
        const QString expectedFooter = QStringLiteral("ページ %1 / %2").arg(p + 1).arg(pages.size());
        if (!text.contains(expectedFooter))
            return QStringLiteral("page %1 has no \"%2\"").arg(p + 1).arg(expectedFooter);
        if (!text.contains(QStringLiteral("厚生労働省「第23回生命表（完全生命表）」")))
            return QStringLiteral("page %1 does not name the source of the life expectancies").arg(p + 1);
        const QStringList firstLine = words(text.section(QLatin1Char('\n'), 0, 0));
        const QStringList expectedHeader {
            QStringLiteral("ライフサイクル表"), documentName, japaneseDateText(QDate::currentDate())
        };
        if (firstLine != expectedHeader)
            return QStringLiteral("page %1 header reads \"%2\"").arg(p + 1).arg(firstLine.join(QLatin1Char(' ')));
    }
    QList<int> everyRow;
    for (int r = TABLE_FIXED_ROWS; r < TABLE_ROWS; ++r)
        everyRow << r;
    if (bodyRows != everyRow)
        return QStringLiteral("the year rows are not all there once, in order");
    // Pages are filled before the next one starts: no fewer pages would hold the rows.
    const int needed = (TABLE_YEARS + mostRows - 1) / mostRows;
    if (pages.size() != needed)
        return QStringLiteral("%1 pages where %2 would hold the rows").arg(pages.size()).arg(needed);
    return {};
}

/** A number cell as its column's format shows it: "0000" and "00" pad with zeros. */
QString shownNumber(const QString& value, const QString& format)
{
    return value.rightJustified(format.size(), QLatin1Char('0'));
}

/** Temporary files left in a folder by an atomic save ("name.XXXXXX"). */
QStringList leftovers(const QString& folder, const QString& name)
{
    return QDir(folder).entryList({ name + QStringLiteral(".*") }, QDir::Files | QDir::Hidden);
}

} // namespace

class TestTableExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void testDatesCarryTheEraOfTheDay_data();
    void testDatesCarryTheEraOfTheDay();

    void testPdfOfTheDemoHoldsEveryCellInOrder();
    void testPdfPagesFitTheChildren_data();
    void testPdfPagesFitTheChildren();
    void testPdfEmbedsItsFontsAndNamesItself();
    void testPageRangesPrintOnlyThosePages();
    void testColumnsBeyondASmallestFontGoOnFurtherPages();

    void testWorkbookHoldsEveryCellFrozenAndFilled();
    void testWorkbookAddsSheetsUnderUniqueNames();
    void testTintsAndLegendReachPagesAndSheet();

    void testOutputFormFollowsOptionThenExtension_data();
    void testOutputFormFollowsOptionThenExtension();
    void testFailedWritesLeaveNoFile_data();
    void testFailedWritesLeaveNoFile();
    void testKilledWorkbookLeavesNothingBehind_data();
    void testKilledWorkbookLeavesNothingBehind();

private:
    QTemporaryDir m_dir;
};

void TestTableExport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char* tool : { "pdftotext", "pdfinfo", "pdffonts", "unzip" }) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(
                QStringLiteral("%1 is missing: run scripts/install-deps.sh").arg(QString::fromLatin1(tool))));
    }
}

void TestTableExport::testDatesCarryTheEraOfTheDay_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    // 令和 began on 2019-05-01 (2019 - 2018 = 1, its first year: 元年); 2026 - 2018 = 8.
    QTest::newRow("reiwa") << QDate(2026, 12, 7) << QStringLiteral("2026年12月7日（令和8年）");
    QTest::newRow("last day of heisei") << QDate(2019, 4, 30) << QStringLiteral("2019年4月30日（平成31年）");
    QTest::newRow("first day of reiwa") << QDate(2019, 5, 1) << QStringLiteral("2019年5月1日（令和元年）");
    // 平成 began on 1989-01-08; the week before was 昭和64 (1989 - 1925).
    QTest::newRow("last days of showa") << QDate(1989, 1, 7) << QStringLiteral("1989年1月7日（昭和64年）");
}

void TestTableExport::testDatesCarryTheEraOfTheDay()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(japaneseDateText(date), text);
}

void TestTableExport::testPdfOfTheDemoHoldsEveryCellInOrder()
{
    const QString path = m_dir.filePath(QStringLiteral("demo.pdf"));
    const Run made = runExporter(
        { QStringLiteral("--pdf"), QStringLiteral("--year"), QString::number(Y0), QStringLiteral("--demo"), path });
    QCOMPARE(made.status, 0);
    QCOMPARE(made.err, QByteArray());
    QCOMPARE(checkLifeCyclePdf(path, demoTable(), QStringLiteral("(無題)")), QString());
    // A4 in landscape unless the user picks another page.
    QCOMPARE(pdfInfo(path, QStringLiteral("Page size")), QStringLiteral("842 x 595 pts (A4)"));
}

void TestTableExport::testPdfPagesFitTheChildren_data()
{
    QTest::addColumn<QString>("plan");
    QTest::addColumn<int>("members");
    QTest::newRow("three children and both parents' sets") << QStringLiteral("three-children.HRZ") << 9;
    QTest::newRow("ten children") << QStringLiteral("ten-children.HRZ") << 12;
}

void TestTableExport::testPdfPagesFitTheChildren()
{
    QFETCH(QString, plan);
    QFETCH(int, members);
    const QString path = m_dir.filePath(plan + QStringLiteral(".pdf"));
    const Run made = runExporter({ QStringLiteral("--year"), QString::number(Y0), PLANS_DIR + plan, path });
    QCOMPARE(made.status, 0);
    const TableModel model = planTable(plan);
    QCOMPARE(model.columnCount(), 2 + members);
    // Every member column on the one page width, the header rows on every page, all years in
    // order, the pages filled.
    QCOMPARE(checkLifeCyclePdf(path, model, plan), QString());
    QVERIFY(pdfPages(path).size() > 1);
}

void TestTableExport::testPdfEmbedsItsFontsAndNamesItself()
{
    const QString path = m_dir.filePath(QStringLiteral("fonts.pdf"));
    QCOMPARE(
        runExporter(
            { QStringLiteral("--year"), QString::number(Y0), PLANS_DIR + QStringLiteral("ten-children.HRZ"), path })
            .status,
        0);
    const QStringList fonts
        = QString::fromUtf8(run(QStringLiteral("pdffonts"), { path }).out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // Two heading lines, then one line per font with "emb" in the fourth column from the end.
    QVERIFY2(fonts.size() > 2, qPrintable(fonts.join(QLatin1Char('\n'))));
    for (const QString& font : fonts.mid(2)) {
        const QStringList columns = font.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QVERIFY2(columns.size() >= 5 && columns[columns.size() - 5] == QLatin1String("yes"), qPrintable(font));
    }
    QCOMPARE(pdfInfo(path, QStringLiteral("Title")), QStringLiteral("ライフサイクル表 - ten-children.HRZ"));
}

void TestTableExport::testPageRangesPrintOnlyThosePages()
{
    // A printer's "pages from 2 to 2": the device's page ranges pick the pages.
    const PrintableTable table = printableLifeCycleTable(demoTable(), QString(), QDate(2026, 12, 7));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(TablePages::defaultPageLayout());
        QPageRanges second;
        second.addPage(2);
        writer.setPageRanges(second);
        TablePages printed(table);
        QVERIFY(printed.paint(&writer));
        pages = printed.pageCount();
    }
    buffer.close();
    QVERIFY(pages >= 2);
    const QString path = m_dir.filePath(QStringLiteral("second.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const QStringList text = pdfPages(path);
    QCOMPARE(text.size(), 1);
    QVERIFY(text[0].contains(QStringLiteral("ページ 2 / %1").arg(pages)));
}

void TestTableExport::testColumnsBeyondASmallestFontGoOnFurtherPages()
{
    // The same sixteen columns of cells, the text no smaller than 14 points: the columns need more
    // than one page width, and every page keeps the year columns.
    PrintableTable table
        = printableLifeCycleTable(planTable(QStringLiteral("ten-children.HRZ")), QString(), QDate(2026, 1, 2));
    table.minimumFontPoints = 14;
    const QString path = m_dir.filePath(QStringLiteral("wide.pdf"));
    QVERIFY(saveTablePdf(path, table));
    TablePages pages(table);
    QPdfWriter probe(m_dir.filePath(QStringLiteral("probe.pdf")));
    probe.setPageLayout(TablePages::defaultPageLayout());
    pages.layOut(probe);
    QVERIFY(pages.columnBandCount() > 1);
    QCOMPARE(pages.tableFontPoints(), 14.0);

    const QStringList text = pdfPages(path);
    QCOMPARE(text.size(), pages.pageCount());
    QStringList labelsSeen;
    for (const QString& page : text) {
        QVERIFY(page.contains(QStringLiteral("西暦")));
        QVERIFY(page.contains(QString::number(Y0)) || page.contains(QString::number(Y0 + TABLE_YEARS - 1)));
        for (int c = 2; c < table.columnCount(); ++c) {
            if (words(page).contains(table.text(0, c)))
                labelsSeen << table.text(0, c);
        }
    }
    // Every member's column is on some page, none on two.
    QStringList expected;
    for (int c = 2; c < table.columnCount(); ++c)
        expected << table.text(0, c);
    labelsSeen.removeDuplicates();
    QCOMPARE(labelsSeen.size(), expected.size());
}

void TestTableExport::testWorkbookHoldsEveryCellFrozenAndFilled()
{
    const QString path = m_dir.filePath(QStringLiteral("ten.xlsx"));
    const Run made = runExporter(
        { QStringLiteral("--year"), QString::number(Y0), PLANS_DIR + QStringLiteral("ten-children.HRZ"), path });
    QCOMPARE(made.status, 0);
    const TableModel model = planTable(QStringLiteral("ten-children.HRZ"));
    const XlsxReader book(path);

    QCOMPARE(book.firstElement(QStringLiteral("xl/workbook.xml"), QStringLiteral("sheet"))
                 .value(QLatin1String("name"))
                 .toString(),
        QStringLiteral("ライフサイクル表"));
    const std::map<QString, XlsxReader::Cell> cells = book.cells();
    const int top = XlsxWorkbook::TABLE_TOP_ROW;
    QCOMPARE(cells.at(QStringLiteral("A1")).value, QStringLiteral("ライフサイクル表　ten-children.HRZ"));
    QCOMPARE(cells.at(QStringLiteral("A2")).value, QStringLiteral("出典：厚生労働省「第23回生命表（完全生命表）」"));

    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c) {
            const QString ref = cellRef(top + r, c);
            const QString text = QString::fromStdString(model.text(r, c));
            const auto found = cells.find(ref);
            QVERIFY2(found != cells.end(), qPrintable(ref));
            const XlsxReader::Cell& cell = found->second;
            const bool fixed = r < TABLE_FIXED_ROWS || c < TABLE_FIXED_COLS;
            if (r >= TABLE_FIXED_ROWS && c < TABLE_FIXED_COLS) {
                // The years are numbers, shown as the table shows them.
                QVERIFY2(cell.type.isEmpty(), qPrintable(ref));
                QCOMPARE(shownNumber(cell.value, book.numberFormatOf(cell.style)), text);
            } else if (!fixed && !text.isEmpty() && text.toInt() > 0 && QString::number(text.toInt()) == text) {
                // A member's age alone is a number; with an event or a mark it stays text.
                QVERIFY2(cell.type.isEmpty(), qPrintable(ref));
                QCOMPARE(cell.value, text);
                QCOMPARE(book.numberFormatOf(cell.style), QStringLiteral("0"));
            } else {
                QCOMPARE(cell.value, text);
                QVERIFY2(cell.type == QLatin1String("s") || text.isEmpty(), qPrintable(ref));
            }
            QCOMPARE(book.fillOf(cell.style), fixed ? QStringLiteral("FFC0FFFF") : QString());
            QCOMPARE(book.fontOf(cell.style), QStringLiteral("ＭＳ Ｐゴシック"));
        }
    }
    QVERIFY(cells.find(cellRef(top + TABLE_ROWS, 0)) == cells.end());
    QVERIFY(cells.find(cellRef(top, model.columnCount())) == cells.end());

    const QXmlStreamAttributes pane
        = book.firstElement(QStringLiteral("xl/worksheets/sheet1.xml"), QStringLiteral("pane"));
    QCOMPARE(pane.value(QLatin1String("state")).toString(), QStringLiteral("frozen"));
    QCOMPARE(pane.value(QLatin1String("xSplit")).toInt(), TABLE_FIXED_COLS);
    QCOMPARE(pane.value(QLatin1String("ySplit")).toInt(), top + TABLE_FIXED_ROWS);
}

void TestTableExport::testWorkbookAddsSheetsUnderUniqueNames()
{
    const PrintableTable table = printableLifeCycleTable(demoTable(), QString(), QDate(2026, 12, 7));
    XlsxWorkbook workbook;
    workbook.addSheet(table.title, table);
    workbook.addSheet(table.title, table);
    workbook.addSheet(QStringLiteral("収支/計画:2026年[案]"), table);
    QCOMPARE(workbook.sheetName(0), QStringLiteral("ライフサイクル表"));
    QCOMPARE(workbook.sheetName(1), QStringLiteral("ライフサイクル表 (2)"));
    QCOMPARE(workbook.sheetName(2), QStringLiteral("収支_計画_2026年_案_"));
    const QString path = m_dir.filePath(QStringLiteral("three.xlsx"));
    QVERIFY(workbook.save(path));
    const QByteArray book = XlsxReader(path).part(QStringLiteral("xl/workbook.xml"));
    QCOMPARE(book.count("<sheet "), 3);
    QVERIFY(book.contains(QStringLiteral("収支_計画_2026年_案_").toUtf8()));
}

void TestTableExport::testTintsAndLegendReachPagesAndSheet()
{
    PrintableTable table = printableLifeCycleTable(demoTable(), QString(), QDate(2026, 12, 7));
    const QColor attention(255, 200, 200);
    table.setTint(3, 5, attention);
    table.legend.push_back({ attention, QStringLiteral("注意が必要な年") });

    const QString pdf = m_dir.filePath(QStringLiteral("tinted.pdf"));
    QVERIFY(saveTablePdf(pdf, table));
    const QStringList pages = pdfPages(pdf);
    for (const QString& page : pages)
        QVERIFY(page.contains(QStringLiteral("注意が必要な年")));

    const QString xlsx = m_dir.filePath(QStringLiteral("tinted.xlsx"));
    QVERIFY(workbookOf(table).save(xlsx));
    const XlsxReader book(xlsx);
    const std::map<QString, XlsxReader::Cell> cells = book.cells();
    const int top = XlsxWorkbook::TABLE_TOP_ROW;
    QCOMPARE(book.fillOf(cells.at(cellRef(top + 5, 3)).style), QStringLiteral("FFFFC8C8"));
    QCOMPARE(book.fillOf(cells.at(cellRef(top + 5, 4)).style), QString());
    const XlsxReader::Cell& legend = cells.at(cellRef(top - 1, TABLE_FIXED_COLS));
    QCOMPARE(legend.value, QStringLiteral("注意が必要な年"));
    QCOMPARE(book.fillOf(legend.style), QStringLiteral("FFFFC8C8"));
}

void TestTableExport::testOutputFormFollowsOptionThenExtension_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("pdf by extension") << QStringList() << QStringLiteral("a.PDF") << QByteArray("%PDF-");
    QTest::newRow("option over extension")
        << QStringList { QStringLiteral("--xlsx") } << QStringLiteral("c.pdf") << QByteArray("PK");
    // The CSV starts with the two empty year cells of row 0.
    QTest::newRow("csv otherwise") << QStringList() << QStringLiteral("e.txt") << QByteArray(",,");
}

void TestTableExport::testOutputFormFollowsOptionThenExtension()
{
    QFETCH(QStringList, options);
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    const QString path = m_dir.filePath(name);
    QCOMPARE(runExporter(options + QStringList { QStringLiteral("--demo"), path }).status, 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith(start));
    // To standard output the same way.
    const Run piped = runExporter(options + QStringList { QStringLiteral("--demo"), QStringLiteral("-") });
    QCOMPARE(piped.status, 0);
    if (options.isEmpty())
        QVERIFY(piped.out.startsWith(",,"));
    else
        QVERIFY(piped.out.startsWith(start));
}

void TestTableExport::testFailedWritesLeaveNoFile_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("pdf") << QStringLiteral("pdf");
    QTest::newRow("xlsx") << QStringLiteral("xlsx");
}

void TestTableExport::testFailedWritesLeaveNoFile()
{
    QFETCH(QString, form);
    const PrintableTable table = printableLifeCycleTable(demoTable(), QString(), QDate(2026, 12, 7));
    const auto save = [&](const QString& path) {
        QString error;
        const bool saved
            = form == QLatin1String("pdf") ? saveTablePdf(path, table, &error) : workbookOf(table).save(path, &error);
        return saved ? QString() : (error.isEmpty() ? QStringLiteral("?") : error);
    };

    // A folder that does not exist: nothing is made.
    const QString missing = m_dir.filePath(QStringLiteral("no-such-folder/table.") + form);
    QVERIFY(!save(missing).isEmpty());
    QVERIFY(!QFileInfo::exists(QFileInfo(missing).path()));

    // A folder where the file should go: the folder stays, no temporary is left beside it.
    const QString folderName = QStringLiteral("taken.") + form;
    QVERIFY(QDir(m_dir.path()).mkdir(folderName));
    QVERIFY(!save(m_dir.filePath(folderName)).isEmpty());
    QVERIFY(QFileInfo(m_dir.filePath(folderName)).isDir());
    QCOMPARE(leftovers(m_dir.path(), folderName), QStringList());

    // The command-line exporter says so and leaves nothing either.
    const Run failed = runExporter({ QStringLiteral("--") + form, QStringLiteral("--demo"), missing });
    QCOMPARE(failed.status, 1);
    QVERIFY(failed.err.startsWith("harukaze-csv: cannot write"));
    QVERIFY(!QFileInfo::exists(missing));
}

void TestTableExport::testKilledWorkbookLeavesNothingBehind_data()
{
    QTest::addColumn<bool>("runtime");
    QTest::newRow("in the runtime folder") << true;
    QTest::newRow("in the user's folder of the temporary folder") << false;
}

void TestTableExport::testKilledWorkbookLeavesNothingBehind()
{
    QFETCH(bool, runtime);
    // Fresh folders for the session's runtime folder and the temporary folder.
    QTemporaryDir folders;
    const QString temporary = folders.filePath(QStringLiteral("tmp"));
    const QString runtimeFolder = folders.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkpath(temporary));
    QVERIFY(QDir().mkpath(runtimeFolder));
    QVERIFY(QFile::setPermissions(runtimeFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray oldTemporary = qgetenv("TMPDIR");
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(temporary));
    // A runtime folder that is no folder leaves the user's own folder in the temporary folder.
    const QString unusable = folders.filePath(QStringLiteral("not-a-folder"));
    QVERIFY(QFile(unusable).open(QIODevice::WriteOnly));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime ? runtimeFolder : unusable));
    const QString scratchFolder
        = runtime ? runtimeFolder : temporary + QStringLiteral("/harukaze-") + QString::number(::geteuid());

    const PrintableTable table = printableLifeCycleTable(demoTable(), QString(), QDate(2026, 12, 7));
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Killed once the workbook is written and before it is read back and cleared.
        xlsxWorkbookTestHooks().written = [] { ::raise(SIGKILL); };
        workbookOf(table).bytes();
        ::_exit(0);
    }
    int status = 0;
    QCOMPARE(::waitpid(pid, &status, 0), pid);
    QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    const QStringList scratch { QStringLiteral("harukaze-xlsx-*") };
    // Nothing in the shared temporary folder; the killed export's scratch in the private one ...
    QCOMPARE(QDir(temporary).entryList({ QStringLiteral("qt_temp*") }, QDir::AllEntries | QDir::Hidden), QStringList());
    QCOMPARE(QDir(scratchFolder).entryList(scratch, QDir::Dirs).size(), 1);
    // ... which the next export clears.
    QString error;
    QVERIFY2(!workbookOf(table).bytes(&error).isEmpty(), qPrintable(error));
    QCOMPARE(QDir(scratchFolder).entryList(scratch, QDir::Dirs), QStringList());
    QCOMPARE(QDir(temporary).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        runtime ? QStringList() : QStringList { QStringLiteral("harukaze-") + QString::number(::geteuid()) });
    qputenv("TMPDIR", oldTemporary);
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
}

QTEST_MAIN(TestTableExport)
#include "TestTableExport.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The printed pages, PDF and workbook sheet of the cash-flow table, read back as a user's tools see
// them (pdftotext, pdftoppm, unzip) and compared with the core's table of the same plan.
#include "core/money/CashFlow.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/SampleFamily.h"
#include "core/table/TableBuilder.h"
#include "export/JapaneseDate.h"
#include "export/PrintableCashFlow.h"
#include "export/TablePages.h"
#include "export/TablePdf.h"
#include "export/XlsxWorkbook.h"
#include "support/ExportReader.h"

#include <QDir>
#include <QImage>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <set>

using namespace harukaze;
using namespace ExportReader;

namespace {

const QString BIN_DIR = QStringLiteral(HARUKAZE_BIN_DIR) + QLatin1Char('/');
constexpr int Y0 = 2026;
constexpr int LABEL_COLUMNS = 2;

TableContext context()
{
    TableContext context;
    context.y0 = Y0;
    context.appDir = BIN_DIR.toStdString();
    return context;
}

FamilyPlan demoPlan()
{
    FamilyPlan plan;
    REC_CLEAR(plan);
    writeSampleFamily(plan);
    return plan;
}

// The demo household with a pension that covers its costs and no car, which then spends more than
// its savings in 2066: 年間収支 and 貯蓄残高 stay positive for forty years, then turn negative.
FamilyPlan lateDeficitPlan()
{
    FamilyPlan plan = demoPlan();
    plan.money->husbandPension += 4000;
    plan.money->wifeReemployIncome += 1000;
    plan.money->wifeIncome += 1000;
    setEntries(plan.money->expenses, { MoneyEntry { 2066, 999999, "住宅" } });
    return plan;
}

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

/** A row's words on a page that shows the years `years`: its label, its rate, its cells there. */
QStringList rowWordsOn(const CashFlowRow& row, const QList<int>& years)
{
    QStringList all = words(text(row.label) + QLatin1Char(' ') + text(row.rate));
    for (int n : years)
        all += words(text(row.cells[static_cast<size_t>(n)]));
    return all;
}

/** What one page of the cash-flow table shows: its years, and its row lines by their labels. */
struct Page
{
    QList<int> years; ///< elapsed years 0..50 from the 西暦 line
    std::map<QString, QStringList> lines; ///< words of each line that starts in the label column
};

Page readPage(const QString& pageText)
{
    Page page;
    for (const QString& line : pageText.split(QLatin1Char('\n'))) {
        // Lines of a row start in the label column; the further lines of the events do not.
        if (line.isEmpty() || line.at(0).isSpace())
            continue;
        const QStringList lineWords = words(line);
        page.lines[lineWords.constFirst()] = lineWords;
    }
    const auto western = page.lines.find(QStringLiteral("西暦"));
    if (western != page.lines.end()) {
        for (const QString& year : western->second.mid(1))
            page.years << year.toInt() - Y0;
    }
    return page;
}

bool isNegativeYear(const CashFlowTable& table, int n)
{
    return table.figures.at(MoneyRow::Balance, n) < 0 || table.figures.at(MoneyRow::Savings, n) < 0;
}

/** Pixels whose red stands well above their green and blue: red text, nothing else on the pages. */
int redPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() - std::max(pixel.green(), pixel.blue()) > 80)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestCashFlowExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void testPagesRepeatTheLabelsOverTheYears();
    void testNegativeMoneyIsRedWhereItIs();
    void testWorkbookHoldsBothTablesFrozen();

private:
    QTemporaryDir m_dir;
};

void TestCashFlowExport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char* tool : { "pdftotext", "pdfinfo", "pdftoppm", "unzip" }) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(
                QStringLiteral("%1 is missing: run scripts/install-deps.sh").arg(QString::fromLatin1(tool))));
    }
}

void TestCashFlowExport::testPagesRepeatTheLabelsOverTheYears()
{
    const CashFlowTable table = buildCashFlowTable(demoPlan(), context());
    const PrintableTable printable
        = printableCashFlowTable(table, QStringLiteral("/home/家族/山田家.HRZ"), QDate::currentDate());
    const QString path = m_dir.filePath(QStringLiteral("cashflow.pdf"));
    QVERIFY(saveTablePdf(path, printable));

    // The text keeps the window's size: the years need several page widths.
    TablePages layout(printable);
    QPdfWriter probe(m_dir.filePath(QStringLiteral("probe.pdf")));
    probe.setPageLayout(TablePages::defaultPageLayout());
    layout.layOut(probe);
    QCOMPARE(layout.tableFontPoints(), printable.fontPoints);
    QVERIFY(layout.columnBandCount() > 1);

    const QStringList pages = pdfPages(path);
    QCOMPARE(pages.size(), layout.pageCount());
    QCOMPARE(pdfInfo(path, QStringLiteral("Pages")).toInt(), pages.size());
    QCOMPARE(pdfInfo(path, QStringLiteral("Title")), QStringLiteral("キャッシュフロー表 - 山田家.HRZ"));

    // Every row but the events, in every year, on exactly one page, word for word; each page with
    // the labels and rates of the rows it holds.
    std::map<std::pair<int, int>, int> shown;
    QList<int> yearsInPageOrder;
    for (int p = 0; p < pages.size(); ++p) {
        const QString& pageText = pages[p];
        const QStringList header = words(pageText.section(QLatin1Char('\n'), 0, 0));
        QCOMPARE(header,
            QStringList({ QStringLiteral("キャッシュフロー表"),
                QStringLiteral("山田家.HRZ"),
                japaneseDateText(QDate::currentDate()) }));
        QVERIFY2(
            pageText.contains(QStringLiteral("ページ %1 / %2").arg(p + 1).arg(pages.size())), qPrintable(pageText));
        QVERIFY(pageText.contains(QStringLiteral("出典：文部科学省「令和5年度 子供の学習費調査」")));

        const Page page = readPage(pageText);
        QVERIFY2(!page.years.isEmpty(), qPrintable(pageText));
        if (yearsInPageOrder.isEmpty() || yearsInPageOrder.constLast() < page.years.constFirst())
            yearsInPageOrder += page.years;
        int rowsHere = 0;
        for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
            const CashFlowRow& row = table.rows[static_cast<size_t>(r)];
            const auto line = page.lines.find(text(row.label));
            if (row.kind == CashFlowRowKind::Events) {
                QVERIFY(line != page.lines.end());
                continue;
            }
            if (line == page.lines.end())
                continue;
            QCOMPARE(line->second, rowWordsOn(row, page.years));
            ++rowsHere;
            for (int n : page.years)
                ++shown[{ r, n }];
        }
        QVERIFY(rowsHere > 3);
    }
    QList<int> everyYear;
    for (int n = 0; n < TABLE_YEARS; ++n)
        everyYear << n;
    QCOMPARE(yearsInPageOrder, everyYear);
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
        if (table.rows[static_cast<size_t>(r)].kind == CashFlowRowKind::Events)
            continue;
        for (int n = 0; n < TABLE_YEARS; ++n)
            QVERIFY2((shown[{ r, n }] == 1), qPrintable(QStringLiteral("row %1, year %2").arg(r).arg(n)));
    }
}

void TestCashFlowExport::testNegativeMoneyIsRedWhereItIs()
{
    const CashFlowTable table = buildCashFlowTable(lateDeficitPlan(), context());
    QVERIFY(!isNegativeYear(table, 0));
    QVERIFY(isNegativeYear(table, TABLE_YEARS - 1));
    const QString path = m_dir.filePath(QStringLiteral("red.pdf"));
    QVERIFY(saveTablePdf(path, printableCashFlowTable(table, QString(), QDate(2026, 12, 7))));
    const QStringList pages = pdfPages(path);

    const QString prefix = m_dir.filePath(QStringLiteral("red-page"));
    QCOMPARE(run(QStringLiteral("pdftoppm"),
                 { QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"), path, prefix })
                 .status,
        0);
    const QStringList images
        = QDir(m_dir.path()).entryList({ QStringLiteral("red-page-*.png") }, QDir::Files, QDir::Name);
    QCOMPARE(images.size(), pages.size());
    int redPages = 0;
    int blackPages = 0;
    for (int p = 0; p < pages.size(); ++p) {
        const Page page = readPage(pages[p]);
        bool negative = false;
        if (page.lines.count(QStringLiteral("貯蓄残高")) > 0) {
            for (int n : page.years)
                negative = negative || isNegativeYear(table, n);
        }
        const QImage image(m_dir.filePath(images[p]));
        QVERIFY(!image.isNull());
        QVERIFY2((redPixels(image) > 0) == negative, qPrintable(QStringLiteral("page %1").arg(p + 1)));
        ++(negative ? redPages : blackPages);
    }
    QVERIFY(redPages > 0);
    QVERIFY(blackPages > 0);
}

void TestCashFlowExport::testWorkbookHoldsBothTablesFrozen()
{
    const FamilyPlan plan = demoPlan();
    const CashFlowTable table = buildCashFlowTable(plan, context());
    const std::vector<PrintableTable> tables {
        printableLifeCycleTable(buildLifeCycleTable(plan, context()), QString(), QDate(2026, 12, 7)),
        printableCashFlowTable(table, QString(), QDate(2026, 12, 7)),
    };
    const QString path = m_dir.filePath(QStringLiteral("both.xlsx"));
    QVERIFY(workbookOf(tables).save(path));
    const XlsxReader book(path);
    QCOMPARE(
        book.sheetNames(), QStringList({ QStringLiteral("ライフサイクル表"), QStringLiteral("キャッシュフロー表") }));

    // Both sheets keep their header rows and label columns in view.
    const int top = XlsxWorkbook::TABLE_TOP_ROW;
    const QList<int> headerRows { TABLE_FIXED_ROWS, 3 };
    for (int sheet = 1; sheet <= 2; ++sheet) {
        const QXmlStreamAttributes pane = book.firstElement(XlsxReader::sheetPart(sheet), QStringLiteral("pane"));
        QCOMPARE(pane.value(QLatin1String("state")).toString(), QStringLiteral("frozen"));
        QCOMPARE(pane.value(QLatin1String("xSplit")).toInt(), LABEL_COLUMNS);
        QCOMPARE(pane.value(QLatin1String("ySplit")).toInt(), top + headerRows[sheet - 1]);
    }

    const std::map<QString, XlsxReader::Cell> cells = book.cells(2);
    QCOMPARE(cells.at(QStringLiteral("A1")).value, QStringLiteral("キャッシュフロー表　(無題)"));
    QVERIFY(cells.at(QStringLiteral("A2")).value.startsWith(QStringLiteral("出典：文部科学省")));
    // The sheet's rows by their labels: the years, then the money, as the window shows them.
    std::map<QString, int> sheetRowOf;
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r)
        sheetRowOf[cells.at(cellRef(top + r, 0)).value] = top + r;
    QCOMPARE(sheetRowOf.size(), table.rows.size());
    QCOMPARE(sheetRowOf.at(text(moneyRowLabel(MoneyRow::HusbandIncome))), top + 3);
    QCOMPARE(sheetRowOf.at(text(moneyRowLabel(MoneyRow::Savings))), top + 3 + MONEY_ROWS - 1);
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
        const CashFlowRow& row = table.rows[static_cast<size_t>(r)];
        const int sheetRow = sheetRowOf.at(text(row.label));
        const XlsxReader::Cell& label = cells.at(cellRef(sheetRow, 0));
        QCOMPARE(label.value, text(row.label));
        QCOMPARE(book.fillOf(label.style), QStringLiteral("FFC0FFFF"));
        if (!row.rate.empty()) {
            // A rate is a number shown as a percentage: "1.0%" is 0.01.
            const XlsxReader::Cell& rate = cells.at(cellRef(sheetRow, 1));
            QVERIFY(rate.type.isEmpty());
            QCOMPARE(rate.value.toDouble() * 100, QString(text(row.rate)).chopped(1).toDouble());
            QCOMPARE(book.numberFormatOf(rate.style), QStringLiteral("0.0%"));
        }
        const bool total = row.kind == CashFlowRowKind::Money
            && (row.label == moneyRowLabel(MoneyRow::IncomeTotal) || row.label == moneyRowLabel(MoneyRow::Savings));
        if (total)
            QVERIFY(book.isBold(label.style));
        for (int n = 0; n < TABLE_YEARS; ++n) {
            const QString ref = cellRef(sheetRow, LABEL_COLUMNS + n);
            const QString expected = text(row.cells[static_cast<size_t>(n)]);
            const auto found = cells.find(ref);
            if (expected.isEmpty()) {
                QVERIFY(found == cells.end() || found->second.value.isEmpty());
                continue;
            }
            QVERIFY2(found != cells.end(), qPrintable(ref));
            const XlsxReader::Cell& cell = found->second;
            switch (row.kind) {
            case CashFlowRowKind::Year:
                // 経過年数 and 西暦 are numbers, 和暦 ("R8") text.
                QCOMPARE(cell.value, expected);
                QCOMPARE(cell.type.isEmpty(), sheetRow < top + 2);
                QCOMPARE(book.fillOf(cell.style), QStringLiteral("FFC0FFFF"));
                break;
            case CashFlowRowKind::Events:
                // One event a line, wrapped in its cell.
                QCOMPARE(cell.value, expected.split(QStringLiteral("／")).join(QLatin1Char('\n')));
                QCOMPARE(book.wraps(cell.style), cell.value.contains(QLatin1Char('\n')));
                break;
            case CashFlowRowKind::Member:
            case CashFlowRowKind::Money:
                // Ages and amounts as numbers a spreadsheet can add up.
                QVERIFY2(cell.type.isEmpty(), qPrintable(ref));
                QCOMPARE(cell.value, expected);
                QCOMPARE(book.numberFormatOf(cell.style), QStringLiteral("#,##0"));
                QCOMPARE(book.fillOf(cell.style), QString());
                break;
            }
            const bool red
                = (row.label == moneyRowLabel(MoneyRow::Balance) || row.label == moneyRowLabel(MoneyRow::Savings))
                && expected.startsWith(QLatin1Char('-'));
            QCOMPARE(book.fontColorOf(cell.style) == QStringLiteral("FFCC0000"), red);
        }
    }
    QVERIFY(cells.find(cellRef(top + static_cast<int>(table.rows.size()), 0)) == cells.end());

    // The chart as the spreadsheet program's own: the totals as bars, the savings as a line, over
    // the sheet's own cells of the 西暦 row.
    const QString bars = QString::fromUtf8(book.part(QStringLiteral("xl/charts/chart1.xml")));
    const QString line = QString::fromUtf8(book.part(QStringLiteral("xl/charts/chart2.xml")));
    const auto range
        = [](int sheetRow) { return QStringLiteral("キャッシュフロー表'!$C$%1:$BA$%1").arg(sheetRow + 1); };
    QVERIFY(bars.contains(QStringLiteral("<c:barChart>")));
    QCOMPARE(bars.count(QStringLiteral("<c:ser>")), 2);
    QVERIFY(bars.contains(range(sheetRowOf.at(text(moneyRowLabel(MoneyRow::IncomeTotal))))));
    QVERIFY(bars.contains(range(sheetRowOf.at(text(moneyRowLabel(MoneyRow::ExpenseTotal))))));
    QVERIFY(bars.contains(range(top + 1)));
    QVERIFY(bars.contains(QStringLiteral("キャッシュフロー表")));
    QVERIFY(line.contains(QStringLiteral("<c:lineChart>")));
    QVERIFY(line.contains(range(sheetRowOf.at(text(moneyRowLabel(MoneyRow::Savings))))));
    QVERIFY(!book.part(QStringLiteral("xl/worksheets/_rels/sheet2.xml.rels")).isEmpty());

    // The life cycle sheet: an age alone is a number, an age with its event text.
    const std::map<QString, XlsxReader::Cell> lifeCycle = book.cells(1);
    int ages = 0;
    int events = 0;
    for (const auto& [ref, cell] : lifeCycle) {
        if (cell.value.contains(QStringLiteral("第２子")))
            events += cell.type == QStringLiteral("s") ? 1 : 0;
    }
    const XlsxReader::Cell& husband = lifeCycle.at(cellRef(top + TABLE_FIXED_ROWS, LABEL_COLUMNS));
    ages += husband.type.isEmpty() ? 1 : 0;
    QCOMPARE(ages, 1);
    QVERIFY(events > 0);
}

QTEST_MAIN(TestCashFlowExport)
#include "TestCashFlowExport.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The print, print preview, PDF and Excel commands of a table window and of the cash-flow window,
// answered through the file dialog and message box seams and the print dialogs themselves, checked
// by the files they leave.
#include "core/money/CashFlow.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/SampleFamily.h"
#include "core/table/TableBuilder.h"
#include "gui/common/FileDialog.h"
#include "gui/common/MessageBox.h"
#include "gui/common/PlanSession.h"
#include "gui/common/ProcessState.h"
#include "gui/common/TableOutput.h"
#include "gui/money/CashFlowGrid.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/shell/CashFlowOutput.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/table/TableWindow.h"
#include "support/ExportReader.h"
#include "support/GuiTestSupport.h"
#include "support/PlanBuilder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace harukaze;

namespace {

FamilyPlan demoPlan()
{
    FamilyPlan plan;
    REC_CLEAR(plan);
    writeSampleFamily(plan);
    return plan;
}

TableContext demoContext()
{
    TableContext context;
    context.y0 = 2026;
    context.appDir = globalState().APP_DIR;
    return context;
}

TableModel demoTable()
{
    return buildLifeCycleTable(demoPlan(), demoContext());
}

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), path, QStringLiteral("-") });
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Husband, wife, the four parents and ten children: sixteen member rows.
FamilyPlan largeFamily()
{
    testplan::PlanBuilder builder;
    builder.husband(1975, 65).wife(1977, 60).marriage(2000);
    builder.husbandFather(1948).husbandMother(1950).wifeFather(1949).wifeMother(1952);
    const char* labels[] = { "長女", "長男", "次女", "次男", "三女", "三男", "四女", "四男", "五女", "五男" };
    for (int kid = 0; kid < 10; ++kid)
        builder.child(2001 + 2 * kid, labels[kid]).schools(4, 6, 12, 15, 18);
    FamilyPlan plan = builder.build();
    plan.money = MoneySettings {};
    plan.money->husbandIncome = 6000; // 600万円
    plan.money->savingsStart = 3000;
    return plan;
}

/** The Western years a page of the cash-flow table shows, and the labels its lines start with. */
struct CashFlowPage
{
    QList<int> years;
    QStringList labels;
};

CashFlowPage readCashFlowPage(const QString& pageText)
{
    CashFlowPage page;
    for (const QString& line : pageText.split(QLatin1Char('\n'))) {
        // Lines of a row start in the label column; the further lines of the events do not.
        if (line.isEmpty() || line.at(0).isSpace())
            continue;
        const QStringList words = ExportReader::words(line);
        page.labels << words.constFirst();
        if (words.constFirst() == QStringLiteral("西暦")) {
            for (const QString& year : words.mid(1))
                page.years << year.toInt();
        }
    }
    return page;
}

} // namespace

class TestPrintCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void testPrintsTheGridAsItShowsNow();
    void testSavesWhereTheUserSays_data();
    void testSavesWhereTheUserSays();
    void testCancelledOrFailedSaveLeavesNoFile_data();
    void testCancelledOrFailedSaveLeavesNoFile();
    void testPreviewShowsThePagesOnA4Landscape();
    void testPrintWritesThePagesToThePrinter();
    void testCancelledPrintPrintsNothing();

    void testCashFlowWindowPrintsInItsTableFont();
    void testWorkbookHoldsBothTables();
    void testLargeFamilyPagesAndTheChartPage();

private:
    QTemporaryDir m_dir;
};

void TestPrintCommands::initTestCase()
{
    GuiTest::setUpProgramEnvironment(2026);
    QVERIFY(m_dir.isValid());
}

void TestPrintCommands::init()
{
    MessageBox::clearLast();
}

void TestPrintCommands::testPrintsTheGridAsItShowsNow()
{
    // A window's document after the font command: 12 points, bold.
    PlanSession& session = PlanSession::instance();
    const ProcessState saved = session.state();
    PlanDocument document;
    document.plan() = demoPlan();
    TableWindow window(&document, PlanWindow::Form200);
    session.setTableFont("ＭＳ Ｐゴシック", "12", true, false);
    document.applyTableFont();
    session.setTableFont(saved.FONT_NAME, saved.FONT_SIZE, false, false);
    const LifeCycleGrid& grid = *window.grid();
    QVERIFY(grid.font().bold());

    TableOutput output(document.table(), QStringLiteral("/plans/a.HRZ"));
    const PrintableTable& table = output.table();
    QCOMPARE(table.fontPoints, 12.0);
    QVERIFY(table.fontBold);
    QCOMPARE(table.columnCount(), grid.cols());

    const QString path = m_dir.filePath(QStringLiteral("grid.pdf"));
    FileDialog::setNextFileName(path);
    QVERIFY(output.savePdf(nullptr));
    // The first year row as the grid shows it, cell by cell.
    QStringList cells;
    for (int c = 0; c < grid.cols(); ++c)
        cells += grid.text(2, c).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString text = pdfText(path).replace(QChar(0x3000), QLatin1Char(' '));
    QVERIFY2(
        text.simplified().contains(cells.join(QLatin1Char(' ')).replace(QChar(0x3000), QLatin1Char(' ')).simplified()),
        qPrintable(cells.join(QLatin1Char(' '))));
    QVERIFY(text.contains(QStringLiteral("a.HRZ")));
}

void TestPrintCommands::testSavesWhereTheUserSays_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("pdf") << true << QStringLiteral("PDF (*.pdf)") << QStringLiteral(".pdf") << QByteArray("%PDF-");
    QTest::newRow("xlsx") << false << QStringLiteral("Excel ブック (*.xlsx)") << QStringLiteral(".xlsx")
                          << QByteArray("PK");
}

void TestPrintCommands::testSavesWhereTheUserSays()
{
    QFETCH(bool, pdf);
    QFETCH(QString, filter);
    QFETCH(QString, suffix);
    QFETCH(QByteArray, start);
    TableOutput output(demoTable(), QStringLiteral("/home/家族/山田家.HRZ"));
    // The name typed without an extension gets one; a file of that name is replaced without asking.
    const QString path = m_dir.filePath(QStringLiteral("山田家の表") + suffix);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an old file");
    old.close();
    FileDialog::setNextFileName(m_dir.filePath(QStringLiteral("山田家の表")));
    QVERIFY(pdf ? output.savePdf(nullptr) : output.saveXlsx(nullptr));
    QCOMPARE(FileDialog::lastTitle(), pdf ? QStringLiteral("PDF形式で保存") : QStringLiteral("Excel形式で保存"));
    QCOMPARE(FileDialog::lastFilter(), filter);
    QVERIFY(GuiTest::readFile(path).startsWith(start));
    QCOMPARE(MessageBox::count(), 0);
    if (pdf) {
        // The page header names the plan file, not its folder.
        const QString text = pdfText(path);
        QVERIFY(text.contains(QStringLiteral("山田家.HRZ")));
        QVERIFY(!text.contains(QStringLiteral("/home/家族")));
    }
}

void TestPrintCommands::testCancelledOrFailedSaveLeavesNoFile_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::newRow("pdf") << true;
    QTest::newRow("xlsx") << false;
}

void TestPrintCommands::testCancelledOrFailedSaveLeavesNoFile()
{
    QFETCH(bool, pdf);
    TableOutput output(demoTable(), QString());
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    FileDialog::setNextFileName(QString());
    QVERIFY(!(pdf ? output.savePdf(nullptr) : output.saveXlsx(nullptr)));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
    QCOMPARE(MessageBox::count(), 0);

    const QString path = m_dir.filePath(pdf ? QStringLiteral("gone/table.pdf") : QStringLiteral("gone/table.xlsx"));
    FileDialog::setNextFileName(path);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QVERIFY(!(pdf ? output.savePdf(nullptr) : output.saveXlsx(nullptr)));
    // The mended text and the path, then the system's reason on a line of its own.
    QVERIFY2(MessageBox::lastText().startsWith(
                 QStringLiteral("ファイルを保存できませんでした。\n") + path + QLatin1Char('\n')),
        qPrintable(MessageBox::lastText()));
    QCOMPARE(MessageBox::lastIcon(), QMessageBox::Warning);
    QVERIFY(!QFileInfo::exists(path));
}

void TestPrintCommands::testPreviewShowsThePagesOnA4Landscape()
{
    TableOutput output(demoTable(), QString());
    QString title;
    int landscapePages = 0;
    int portraitPages = 0;
    QPageLayout landscape;
    QPageLayout portrait;
    bool ran = false;
    whenModal<QPrintPreviewDialog>(
        [&](QPrintPreviewDialog* dialog) {
            title = dialog->windowTitle();
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            landscapePages = preview ? preview->pageCount() : 0;
            landscape = dialog->printer()->pageLayout();
            // The orientation can be changed in the preview: the pages are laid out anew.
            if (preview) {
                preview->setPortraitOrientation();
                preview->updatePreview();
                portraitPages = preview->pageCount();
            }
            portrait = dialog->printer()->pageLayout();
            dialog->reject();
        },
        &ran);
    output.preview(nullptr);
    QVERIFY(ran);
    QCOMPARE(title, QStringLiteral("印刷プレビュー"));
    QVERIFY(landscapePages > 1);
    QCOMPARE(landscape.pageSize().id(), QPageSize::A4);
    QCOMPARE(landscape.orientation(), QPageLayout::Landscape);
    QCOMPARE(portrait.orientation(), QPageLayout::Portrait);
    QVERIFY(portraitPages >= 1);
}

void TestPrintCommands::testPrintWritesThePagesToThePrinter()
{
    // With no printer on the test machine, the dialog's "print to file" takes the pages.
    const QString path = m_dir.filePath(QStringLiteral("printed.pdf"));
    TableOutput output(demoTable(), QStringLiteral("a.HRZ"));
    QString title;
    bool ran = false;
    whenModal<QPrintDialog>(
        [&](QPrintDialog* dialog) {
            title = dialog->windowTitle();
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(path);
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                name->setText(path);
            dialog->accept();
        },
        &ran);
    QVERIFY(output.print(nullptr));
    QVERIFY(ran);
    QCOMPARE(title, QStringLiteral("印刷"));
    const QString text = pdfText(path);
    QVERIFY(text.contains(QStringLiteral("ライフサイクル表")));
    QVERIFY(text.contains(QStringLiteral("a.HRZ")));
    QVERIFY(text.contains(QStringLiteral("ページ 1 / ")));
}

void TestPrintCommands::testCancelledPrintPrintsNothing()
{
    TableOutput output(demoTable(), QString());
    bool ran = false;
    whenModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); }, &ran);
    QVERIFY(!output.print(nullptr));
    QVERIFY(ran);
    QCOMPARE(MessageBox::count(), 0);
}

void TestPrintCommands::testCashFlowWindowPrintsInItsTableFont()
{
    // The window after the font command has set the table font to 12 points.
    TableContext context = demoContext();
    context.fontSize = "12";
    CashFlowWindow window;
    window.rebuild(demoPlan(), context);
    TableOutput output = cashFlowOutput(window, QStringLiteral("/plans/山田家.HRZ"));
    QCOMPARE(output.table().fontPoints, 12.0);
    QCOMPARE(output.table().minimumFontPoints, 12.0);

    const QString path = m_dir.filePath(QStringLiteral("収支"));
    FileDialog::setNextFileName(path);
    QVERIFY(output.savePdf(nullptr));
    QCOMPARE(MessageBox::count(), 0);
    // The pages' contents are checked against the core's table in TestCashFlowExport; here the
    // window's own table reaches them, first year to last.
    const QStringList pages = ExportReader::pdfPages(path + QStringLiteral(".pdf"));
    QVERIFY(pages.size() > 1);
    const CashFlowGrid* grid = window.grid();
    for (const QString& page : pages)
        QVERIFY(page.startsWith(QStringLiteral("キャッシュフロー表")));
    QVERIFY(pages.constFirst().contains(grid->text(1, 2)));
    QVERIFY(pages.constLast().contains(grid->text(1, grid->cols() - 1)));
}

void TestPrintCommands::testWorkbookHoldsBothTables()
{
    const TableOutput lifeCycle(demoTable(), QStringLiteral("山田家.HRZ"));
    const TableOutput cashFlow = cashFlowOutput(buildCashFlowTable(demoPlan(), demoContext()),
        QStringLiteral("山田家.HRZ"),
        QFont(QStringLiteral("IPAPGothic")));
    FileDialog::setNextFileName(m_dir.filePath(QStringLiteral("両方")));
    QVERIFY(saveWorkbook(nullptr, lifeCycle.table(), cashFlow.table()));
    QCOMPARE(FileDialog::lastFilter(), QStringLiteral("Excel ブック (*.xlsx)"));
    QCOMPARE(MessageBox::count(), 0);
    const ExportReader::XlsxReader book(m_dir.filePath(QStringLiteral("両方.xlsx")));
    QCOMPARE(book.sheetNames().size(), 2);
    QCOMPARE(book.cells(2).at(QStringLiteral("A1")).value, QStringLiteral("キャッシュフロー表　山田家.HRZ"));

    // A failed save says so and leaves nothing.
    const QString gone = m_dir.filePath(QStringLiteral("gone/両方.xlsx"));
    FileDialog::setNextFileName(gone);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QVERIFY(!saveWorkbook(nullptr, lifeCycle.table(), cashFlow.table()));
    QVERIFY(MessageBox::lastText().startsWith(QStringLiteral("ファイルを保存できませんでした。\n") + gone));
    QVERIFY(!QFileInfo::exists(gone));
}

void TestPrintCommands::testLargeFamilyPagesAndTheChartPage()
{
    // Sixteen members: the rows run over more than one page height.
    const CashFlowTable table = buildCashFlowTable(largeFamily(), demoContext());
    TableOutput output = cashFlowOutput(table, QStringLiteral("/tmp/大家族.HRZ"), QFont());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.pdf"));
    FileDialog::setNextFileName(path);
    QVERIFY(output.savePdf(nullptr));
    const QStringList pages = ExportReader::pdfPages(path);
    QVERIFY(pages.size() > 2);

    // The table's pages: the years of a page width on each of its pages, the money of those years
    // on the first of them.
    QList<int> seenYears;
    QList<int> currentYears;
    for (int p = 0; p + 1 < pages.size(); ++p) {
        const CashFlowPage page = readCashFlowPage(pages[p]);
        QVERIFY2(!page.years.isEmpty(), qPrintable(pages[p]));
        const bool firstOfItsYears = page.years != currentYears;
        if (firstOfItsYears) {
            for (int n : page.years)
                QVERIFY(!seenYears.contains(n));
            seenYears += page.years;
            currentYears = page.years;
        }
        for (MoneyRow row : { MoneyRow::IncomeTotal, MoneyRow::ExpenseTotal, MoneyRow::Balance, MoneyRow::Savings }) {
            const bool shown = page.labels.contains(QString::fromUtf8(moneyRowLabel(row)));
            QVERIFY2(
                shown == firstOfItsYears, qPrintable(QStringLiteral("page %1 %2").arg(p + 1).arg(moneyRowLabel(row))));
        }
    }
    QCOMPARE(seenYears.size(), TABLE_YEARS);

    // The last page is the chart's, under the same header and footer.
    const QString chartPage = pages.constLast();
    QVERIFY(chartPage.contains(QStringLiteral("収入・支出と貯蓄残高の推移")));
    QVERIFY(chartPage.contains(QStringLiteral("ページ %1 / %1").arg(pages.size())));
    QVERIFY(!chartPage.contains(QStringLiteral("経過年数")));
    const QString prefix = dir.filePath(QStringLiteral("chart-page"));
    QCOMPARE(ExportReader::run(QStringLiteral("pdftoppm"),
                 { QStringLiteral("-png"),
                     QStringLiteral("-r"),
                     QStringLiteral("40"),
                     QStringLiteral("-f"),
                     QString::number(pages.size()),
                     path,
                     prefix })
                 .status,
        0);
    const QStringList images
        = QDir(dir.path()).entryList({ QStringLiteral("chart-page-*.png") }, QDir::Files, QDir::Name);
    QCOMPARE(images.size(), 1);
    const QImage image(dir.filePath(images.constFirst()));
    int barPixels = 0;
    const QColor income(70, 130, 200); // the bars of 収入合計
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - income.red()) < 20 && std::abs(pixel.green() - income.green()) < 20
                && std::abs(pixel.blue() - income.blue()) < 20)
                ++barPixels;
        }
    }
    QVERIFY2(barPixels > 200, qPrintable(QString::number(barPixels)));
}

QTEST_MAIN(TestPrintCommands)
#include "TestPrintCommands.moc"

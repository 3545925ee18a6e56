// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/Clock.h"
#include "core/table/SampleFamily.h"
#include "core/table/TableBuilder.h"
#include "gui/common/MessageBox.h"
#include "gui/common/ProcessState.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmMain.h"
#include "gui/table/Form1.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/table/TableWindow.h"
#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QMdiArea>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <memory>

using namespace harukaze;

using Command = frmMain::Command;
using TableKind = frmMain::TableKind;

namespace {

/** A small family: husband, wife and one son, no parents. */
void writeSmallFamily(FamilyPlan& plan)
{
    REC_CLEAR(plan);
    plan.ST1_RECORDED = 1;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST1_CHILDREN = 1;
    plan.ST1_CHILDREN_NOW = 1;
    plan.ST2_RECORDED = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1990;
    plan.ST2_WIFE_BIRTH_YEAR = 1992;
    plan.ST2_MARRIAGE_YEAR = 2018;
    plan.ST2_HUSBAND_RETIRE_AGE = 65;
    plan.ST2_WIFE_RETIRE_AGE = 65;
    plan.ST2_HUSBAND_LIFESPAN = 81;
    plan.ST2_WIFE_LIFESPAN = 87;
    plan.ST2_HUSBAND_LIFE_CUSTOM = 1;
    plan.ST2_WIFE_LIFE_CUSTOM = 1;
    plan.ST2_SILVER_WEDDING = 1;
    plan.ST3_RECORDED = 1;
    plan.ST3_COUNT = 1;
    plan.mtx2(1, MTX2_ZOKUGARA) = "長男";
    plan.mtx2(1, MTX2_HAYAUMARE) = "普通";
    plan.mtx1(1, MTX1_BIRTH_YEAR) = 2020;
    plan.mtx1(1, MTX1_ELEMENTARY) = 6;
    plan.mtx1(1, MTX1_MARRIAGE) = 28;
}

int pixels(const LifeCycleGrid* grid, int twips)
{
    return static_cast<int>(std::lround(twips * grid->logicalDpiX() / 1440.0));
}

} // namespace

class TestTableWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testDemoTable();
    void testDemoLeavesTblAndFlags();
    void testGridMatchesBuilder();
    void testFixedCells();
    void testFrozenPanesFollowScrolling();
    void testScrolledCellNotHiddenUnderFrozenPanes();
    void testWidths_data();
    void testWidths();
    void testFrozenCellsInTableFont_data();
    void testFrozenCellsInTableFont();
    void testForm100Load();
    void testForm200Load();
    void testYearAxisFollowsClock();
    void testResizeKeepsGridFilling();
    void testCloseThroughFrameRunsCloseCommand();

private:
    std::unique_ptr<frmMain> startMain(bool demo);

    GuiTest::TemporarySettings m_settings;
};

void TestTableWindows::initTestCase()
{
    GuiTest::setUpProgramEnvironment(2026);
}

void TestTableWindows::init()
{
    m_settings.clear();
    GuiTest::resetProcessState();
    setCurrentYearOverride(2026);
}

void TestTableWindows::cleanup()
{
    GuiTest::resetProcessState();
}

std::unique_ptr<frmMain> TestTableWindows::startMain(bool demo)
{
    return GuiTest::startMainWindow(m_settings, demo);
}

void TestTableWindows::testDemoTable()
{
    auto main = startMain(true);
    Form1* demo = main->demoWindow();
    QVERIFY(demo);
    LifeCycleGrid* grid = child<LifeCycleGrid*>(demo, "MSFlexGrid1");
    QVERIFY(grid);
    QCOMPARE(grid->rows(), 53);
    QCOMPARE(grid->cols(), 10);

    const QStringList labels { "", "", "夫", "妻", "長女", "長男", "夫側父", "夫側母", "妻側父", "妻側母" };
    const QStringList ages { "西暦", "和暦", "62歳", "59歳", "31歳", "26歳", "88歳", "86歳", "101歳", "88歳" };
    for (int c = 0; c < 10; ++c) {
        QCOMPARE(grid->text(0, c), labels[c]);
        QCOMPARE(grid->text(1, c), ages[c]);
    }
    QCOMPARE(grid->text(2, 0), QStringLiteral("2026"));
    // The era column counts the era in force (令和 from 2019).
    QCOMPARE(grid->text(2, 1), QStringLiteral("08"));
    QCOMPARE(grid->text(52, 0), QStringLiteral("2076"));
    QCOMPARE(grid->text(52, 1), QStringLiteral("58"));
    QVERIFY(grid->text(2, 2).startsWith(QStringLiteral("62")));
    // The marriage of 1993 reaches 50 years in 2043, in both partners' columns.
    const int row2043 = 2 + (2043 - 2026);
    QCOMPARE(grid->text(row2043, 0), QStringLiteral("2043"));
    QVERIFY(grid->text(row2043, 2).contains(QStringLiteral(" 金婚式")));
    QVERIFY(grid->text(row2043, 3).contains(QStringLiteral(" 金婚式")));
    QVERIFY(!grid->text(row2043 - 1, 2).contains(QStringLiteral("金婚式")));
}

void TestTableWindows::testDemoLeavesTblAndFlags()
{
    // The demo shows a family of its own: the user's plan, its file and its saved state stay.
    writeSmallFamily(globalPlan());
    const FamilyPlan before = globalPlan();
    GuiTest::currentDocument().setFileName(QStringLiteral("/plans/mine.HRZ"));
    GuiTest::currentDocument().setSaved(true);
    auto main = startMain(true);
    QVERIFY(main->demoWindow());
    QCOMPARE(GuiTest::isWindowOpen("Form100"), false);
    QCOMPARE(GuiTest::isWindowOpen("Form200"), false);
    QCOMPARE(GuiTest::currentDocument().isSaved(), true);
    QCOMPARE(GuiTest::currentDocument().fileName(), QStringLiteral("/plans/mine.HRZ"));
    // The start-up clears the children's matrices only; the couple is the user's still.
    QCOMPARE(globalPlan().ST2_MARRIAGE_YEAR, before.ST2_MARRIAGE_YEAR);
    // The demo's table is the sample family's.
    FamilyPlan sample;
    writeSampleFamily(sample);
    QCOMPARE(main->demoWindow()->document()->plan(), sample);
    QCOMPARE(main->demoWindow()->grid()->text(0, 4), QStringLiteral("長女"));
}

void TestTableWindows::testGridMatchesBuilder()
{
    auto main = startMain(false);
    writeSmallFamily(globalPlan());
    TableWindow* window = main->openTableWindow(TableKind::Form100);
    LifeCycleGrid* grid = window->grid();

    FamilyPlan copy = globalPlan();
    TableContext context;
    context.y0 = 2026;
    context.appDir = globalState().APP_DIR;
    const TableModel expected = buildLifeCycleTable(copy, context);
    QCOMPARE(grid->rows(), expected.rowCount());
    QCOMPARE(grid->cols(), expected.columnCount());
    QCOMPARE(grid->cols(), 5);
    for (int c = 0; c < expected.columnCount(); ++c) {
        for (int r = 0; r < expected.rowCount(); ++r) {
            QCOMPARE(grid->text(r, c), QString::fromStdString(expected.text(r, c)));
            // The CSV and the other outputs read the same cells from the window's document.
            QCOMPARE(QString::fromStdString(window->document()->table().text(r, c)), grid->text(r, c));
        }
    }
    // Alignment codes: header cells centred, year columns centred at the top, members left.
    const QAbstractItemModel* model = grid->model();
    QCOMPARE(model->index(0, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(model->index(5, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignHCenter | Qt::AlignTop));
    QCOMPARE(model->index(5, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
}

void TestTableWindows::testFixedCells()
{
    auto main = startMain(true);
    LifeCycleGrid* grid = main->demoWindow()->grid();
    const QAbstractItemModel* model = grid->model();
    const QColor cyan(192, 255, 255);
    for (int r = 0; r < grid->rows(); ++r) {
        for (int c = 0; c < grid->cols(); ++c) {
            const bool fixed = r < 2 || c < 2;
            const QColor background = model->index(r, c).data(Qt::BackgroundRole).value<QBrush>().color();
            QCOMPARE(background == cyan, fixed);
            // Fixed cells are headers: they cannot be selected.
            QCOMPARE(model->flags(model->index(r, c)).testFlag(Qt::ItemIsSelectable), !fixed);
        }
    }
    QCOMPARE(LifeCycleGrid::fixedCellColor(), cyan);
}

void TestTableWindows::testFrozenPanesFollowScrolling()
{
    auto main = startMain(true);
    TableWindow* demo = main->demoWindow();
    demo->resize(420, 300);
    LifeCycleGrid* grid = demo->grid();
    QApplication::processEvents();
    QTableView* rowsPane = grid->frozenRowsView();
    QTableView* columnsPane = grid->frozenColumnsView();
    QTableView* cornerPane = grid->frozenCornerView();
    QVERIFY(rowsPane && columnsPane && cornerPane);

    // Each pane shows only fixed cells.
    for (int r = 0; r < grid->rows(); ++r) {
        QCOMPARE(rowsPane->isRowHidden(r), r >= 2);
        QCOMPARE(cornerPane->isRowHidden(r), r >= 2);
        QVERIFY(!columnsPane->isRowHidden(r));
    }
    for (int c = 0; c < grid->cols(); ++c) {
        QCOMPARE(columnsPane->isColumnHidden(c), c >= 2);
        QCOMPARE(cornerPane->isColumnHidden(c), c >= 2);
        QVERIFY(!rowsPane->isColumnHidden(c));
    }

    QVERIFY(grid->horizontalScrollBar()->maximum() > 0);
    QVERIFY(grid->verticalScrollBar()->maximum() > 0);
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    QApplication::processEvents();

    const QRect area = grid->viewport()->geometry();
    const int frozenHeight = grid->rowHeight(0) + grid->rowHeight(1);
    const int frozenWidth = grid->columnWidth(0) + grid->columnWidth(1);
    QCOMPARE(rowsPane->geometry(), QRect(area.x(), area.y(), area.width(), frozenHeight));
    QCOMPARE(columnsPane->geometry(), QRect(area.x(), area.y(), frozenWidth, area.height()));
    QCOMPARE(cornerPane->geometry(), QRect(area.x(), area.y(), frozenWidth, frozenHeight));
    QVERIFY(rowsPane->isVisible() && columnsPane->isVisible() && cornerPane->isVisible());

    // The header rows still start at the top and line up with the scrolled columns ...
    const int lastColumn = grid->cols() - 1;
    QCOMPARE(rowsPane->visualRect(grid->model()->index(0, lastColumn)).top(), 0);
    QCOMPARE(rowsPane->visualRect(grid->model()->index(0, lastColumn)).left(),
        grid->visualRect(grid->model()->index(30, lastColumn)).left());
    // ... and the year columns line up with the scrolled rows.
    QCOMPARE(columnsPane->visualRect(grid->model()->index(52, 0)).left(), 0);
    QCOMPARE(columnsPane->visualRect(grid->model()->index(52, 0)).top(),
        grid->visualRect(grid->model()->index(52, lastColumn)).top());
    QCOMPARE(cornerPane->visualRect(grid->model()->index(1, 0)).top(), grid->rowHeight(0));

    // Scrolling over a frozen pane (e.g. with the wheel) moves the grid too.
    columnsPane->verticalScrollBar()->setValue(0);
    QCOMPARE(grid->verticalScrollBar()->value(), 0);
    rowsPane->horizontalScrollBar()->setValue(0);
    QCOMPARE(grid->horizontalScrollBar()->value(), 0);
}

void TestTableWindows::testScrolledCellNotHiddenUnderFrozenPanes()
{
    auto main = startMain(true);
    TableWindow* demo = main->demoWindow();
    demo->resize(420, 300);
    LifeCycleGrid* grid = demo->grid();
    QApplication::processEvents();
    const int frozenHeight = grid->rowHeight(0) + grid->rowHeight(1);
    const int frozenWidth = grid->columnWidth(0) + grid->columnWidth(1);

    grid->scrollTo(grid->model()->index(52, 9));
    grid->scrollTo(grid->model()->index(3, 2));
    const QRect cell = grid->visualRect(grid->model()->index(3, 2));
    QVERIFY2(cell.top() >= frozenHeight, qPrintable(QString::number(cell.top())));
    QVERIFY2(cell.left() >= frozenWidth, qPrintable(QString::number(cell.left())));
}

void TestTableWindows::testWidths_data()
{
    QTest::addColumn<QString>("fontSize");
    QTest::addColumn<int>("yearTwips");
    QTest::addColumn<int>("memberTwips");
    QTest::newRow("9 pt") << "9" << 540 << 1080;
    QTest::newRow("12 pt") << "12" << 720 << 1440;
    QTest::newRow("10.5 pt") << "10.5" << 630 << 1260;
}

void TestTableWindows::testWidths()
{
    QFETCH(QString, fontSize);
    QFETCH(int, yearTwips);
    QFETCH(int, memberTwips);
    m_settings.write(QStringLiteral("Font/FontSize"), fontSize);
    auto main = startMain(false);
    QCOMPARE(QString::fromStdString(globalState().FONT_SIZE), fontSize);
    writeSmallFamily(globalPlan());
    LifeCycleGrid* grid = main->openTableWindow(TableKind::Form200)->grid();
    QCOMPARE(grid->font().pointSizeF(), fontSize.toDouble());
    QVERIFY(!grid->font().bold());
    for (int c = 0; c < grid->cols(); ++c) {
        const int twips = c < 2 ? yearTwips : memberTwips;
        QCOMPARE(grid->columnWidthTwips(c), twips);
        QCOMPARE(grid->columnWidth(c), pixels(grid, twips));
    }
    // At the usual 96 DPI, 1440 twips are an inch of 96 pixels.
    if (grid->logicalDpiX() == 96)
        QCOMPARE(grid->twipsToPixels(1440), 96);
}

void TestTableWindows::testFrozenCellsInTableFont_data()
{
    QTest::addColumn<QString>("fontSize");
    QTest::newRow("6 pt") << "6";
    QTest::newRow("12 pt") << "12";
}

void TestTableWindows::testFrozenCellsInTableFont()
{
    QFETCH(QString, fontSize);
    m_settings.write(QStringLiteral("Font/FontName"), QStringLiteral("IPAPGothic"));
    m_settings.write(QStringLiteral("Font/FontSize"), fontSize);
    m_settings.write(QStringLiteral("Font/FontBold"), QStringLiteral("True"));
    auto main = startMain(false);
    writeSmallFamily(globalPlan());
    LifeCycleGrid* grid = main->openTableWindow(TableKind::Form200)->grid();
    QApplication::processEvents();

    // The header rows, the year columns and their corner are drawn in the face and size of the
    // body, never bold at a build, with rows as high as the body's.
    for (QTableView* pane : { grid->frozenRowsView(), grid->frozenColumnsView(), grid->frozenCornerView() }) {
        QCOMPARE(pane->font().family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(pane->font().pointSizeF(), fontSize.toDouble());
        QVERIFY(!pane->font().bold());
        for (int r : { 0, 1, 2, 52 }) {
            if (!pane->isRowHidden(r))
                QCOMPARE(pane->rowHeight(r), grid->rowHeight(r));
        }
    }
    QVERIFY(grid->rowHeight(0) >= QFontMetrics(grid->font()).height());
    // "西暦", "和暦", the years and the labels each fit their cell, also at 6 pt.
    QCOMPARE(GuiTest::unfittingFixedCells(grid), QStringList());
}

void TestTableWindows::testForm100Load()
{
    auto main = startMain(false);
    GuiTest::currentDocument().setSaved(true);
    writeSmallFamily(globalPlan());

    TableWindow* window = main->openTableWindow(TableKind::Form100);
    QCOMPARE(window->objectName(), QStringLiteral("Form100"));
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
    QCOMPARE(main->tableWindow(), window);
    QCOMPARE(GuiTest::isWindowOpen("Form100"), true);
    QCOMPARE(GuiTest::isWindowOpen("Form200"), false);
    QCOMPARE(GuiTest::currentDocument().isSaved(), false);
    QVERIFY(!main->isCommandEnabled(Command::New));
    QVERIFY(!main->isCommandEnabled(Command::Open));
    QVERIFY(!main->isCommandEnabled(Command::ChangeSettings));
    for (Command command : { Command::Close, Command::Font, Command::Csv, Command::Save }) {
        QVERIFY(main->isCommandEnabled(command));
        QVERIFY(main->toolbarAction(command)->isEnabled());
    }
    QCOMPARE(window->grid()->text(0, 4), QStringLiteral("長男"));
}

void TestTableWindows::testForm200Load()
{
    auto main = startMain(false);
    writeSmallFamily(globalPlan());
    GuiTest::currentDocument().setFileName(QStringLiteral("/home/user/plans/a.HRZ"));
    GuiTest::currentDocument().setSaved(true);

    TableWindow* window = main->openTableWindow(TableKind::Form200);
    QCOMPARE(window->objectName(), QStringLiteral("Form200"));
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - /home/user/plans/a.HRZ"));
    QCOMPARE(GuiTest::isWindowOpen("Form100"), false);
    QCOMPARE(GuiTest::isWindowOpen("Form200"), true);
    QCOMPARE(GuiTest::currentDocument().isSaved(), false);
    QVERIFY(!main->isCommandEnabled(Command::New));
    QVERIFY(!main->isCommandEnabled(Command::Open));
    QVERIFY(!main->toolbarAction(Command::New)->isEnabled());
    for (Command command : { Command::Close, Command::Font, Command::Csv, Command::Save, Command::ChangeSettings }) {
        QVERIFY(main->isCommandEnabled(command));
        QVERIFY(main->toolbarAction(command)->isEnabled());
    }
    // The busy pointer of the load is gone once the table is built.
    QVERIFY(!QApplication::overrideCursor());

    // A plan that has no file yet never shows another file's name.
    GuiTest::currentDocument().setFileName(QString());
    QCOMPARE(main->openTableWindow(TableKind::Form200)->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
}

void TestTableWindows::testYearAxisFollowsClock()
{
    auto main = startMain(false);
    writeSmallFamily(globalPlan());
    setCurrentYearOverride(2031);
    LifeCycleGrid* grid = main->openTableWindow(TableKind::Form200)->grid();
    QCOMPARE(grid->text(2, 0), QStringLiteral("2031"));
    QCOMPARE(grid->text(2, 1), QStringLiteral("13"));
    QCOMPARE(grid->text(1, 2), QStringLiteral("41歳"));
    setCurrentYearOverride(2026);
}

void TestTableWindows::testResizeKeepsGridFilling()
{
    auto main = startMain(false);
    writeSmallFamily(globalPlan());
    TableWindow* window = main->openTableWindow(TableKind::Form200);
    LifeCycleGrid* grid = window->grid();
    // The grid and the attention legend under it are the window's content.
    QCOMPARE(grid->parentWidget(), window->widget());

    window->resize(600, 500);
    QApplication::processEvents();
    const QSize margin = window->size() - grid->size();
    window->resize(300, 200);
    QApplication::processEvents();
    QCOMPARE(window->size() - grid->size(), margin);
    // The rest of the table is reached by scrolling.
    QVERIFY(grid->verticalScrollBar()->maximum() > 0);
    QVERIFY(grid->horizontalScrollBar()->maximum() > 0);
}

void TestTableWindows::testCloseThroughFrameRunsCloseCommand()
{
    auto main = startMain(false);
    writeSmallFamily(globalPlan());
    QPointer<TableWindow> window = main->openTableWindow(TableKind::Form100);

    // Unsaved: Cancel keeps the window and the commands.
    MessageBox::setNextAnswer(QMessageBox::Cancel);
    QVERIFY(!window->close());
    QCOMPARE(MessageBox::lastText(), QStringLiteral("「データ保存」されていません。"));
    QVERIFY(window);
    QCOMPARE(GuiTest::isWindowOpen("Form100"), true);

    GuiTest::currentDocument().setSaved(true);
    window->close();
    QTRY_VERIFY(!window);
    QCOMPARE(GuiTest::isWindowOpen("Form100"), false);
    QVERIFY(main->isCommandEnabled(Command::New));
    QVERIFY(!main->isCommandEnabled(Command::Close));
    QVERIFY(!main->tableWindow());
}

QTEST_MAIN(TestTableWindows)
#include "TestTableWindows.moc"

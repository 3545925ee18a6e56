// SPDX-License-Identifier: GPL-3.0-or-later
// Attention marks on a table grid, their legend, the stored switch and the list dialog, for the
// three-kinds family of the exporter's golden case in a table that starts in 2031.
#include "core/io/Cp932.h"
#include "core/io/CsvWriter.h"
#include "core/plan/PlanFile.h"
#include "core/table/Clock.h"
#include "core/table/SampleFamily.h"
#include "core/table/TableBuilder.h"
#include "gui/common/PlanSession.h"
#include "gui/help/Help.h"
#include "gui/help/HelpViewer.h"
#include "gui/shell/frmMain.h"
#include "gui/table/AttentionDialog.h"
#include "gui/table/AttentionLegend.h"
#include "gui/table/AttentionTints.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/table/TableWindow.h"
#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace harukaze;

namespace {

const QColor PINK(255, 214, 214);
const QColor YELLOW(255, 242, 179);
const QColor ORANGE(255, 224, 178);

// Columns of the family: 夫 2, 妻 3, 長男 4, 長女,"花" 5, 次男 6, 三男 7, 夫側父 8, 夫側母 9,
// 妻側父 10, 妻側母 11. Row 2 is 2031.
constexpr int HUSBAND = 2;
constexpr int WIFE = 3;
constexpr int SON = 4;
constexpr int DAUGHTER = 5;
constexpr int SECOND_SON = 6;
constexpr int HUSBANDS_FATHER = 8;

int rowOf(int year)
{
    return 2 + year - 2031;
}

FamilyPlan readPlan(const char* caseName)
{
    FamilyPlan plan;
    REC_CLEAR(plan);
    auto lines = std::make_unique<FileLines>();
    if (FILE_IN(std::string(HARUKAZE_TEST_DATA_DIR) + "/attention/" + caseName + "/plan.HRZ", *lines))
        parsePlanFileLines(*lines, plan);
    return plan;
}

HelpViewer* shownHelpViewer()
{
    for (QWidget* w : QApplication::allWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(w); viewer && viewer->isVisible())
            return viewer;
    }
    return nullptr;
}

} // namespace

class TestAttentionMarks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void testTintsAndToolTipsOnNamedCells();
    void testHiddenMarksGiveTheCellsBack();
    void testLegendUnderTheGrid();
    void testDialogListsTheCsvRows();
    void testDialogWithoutMarkers();
    void testMenuSwitchAndListInTheMainWindow();

private:
    GuiTest::TemporarySettings m_settings;
    FamilyPlan m_plan;
    TableModel m_table;
};

void TestAttentionMarks::initTestCase()
{
    GuiTest::setUpProgramEnvironment(2031);
}

void TestAttentionMarks::init()
{
    m_settings.clear();
    GuiTest::resetProcessState();
    setCurrentYearOverride(2031);
    m_plan = readPlan("three-kinds-2031");
    // Built as a table window builds it: this year, APP_DIR and the table font.
    m_table = buildLifeCycleTable(m_plan, PlanSession::instance().tableContext());
    QCOMPARE(QString::fromStdString(m_table.text(0, HUSBANDS_FATHER)), QStringLiteral("夫側父"));
}

void TestAttentionMarks::testTintsAndToolTipsOnNamedCells()
{
    LifeCycleGrid grid;
    grid.setTable(m_table);
    const AttentionTints tints = AttentionTints::forTable(m_plan, m_table);
    tints.apply(&grid, true);

    // 2031: 夫側父 (89, cared for) and 次男 (1) make the double care; 長男 and 長女 study, the
    // husband (61) is past his retirement at 60.
    const int row = rowOf(2031);
    QCOMPARE(grid.cellBackground(row, HUSBANDS_FATHER), PINK);
    QCOMPARE(grid.cellBackground(row, SECOND_SON), PINK);
    QCOMPARE(grid.cellToolTip(row, HUSBANDS_FATHER),
        QStringLiteral("89 介\u3000護\n2031年 ダブルケア：夫側父 介護中、次男 1歳"));
    // The students are named by two markers: the first one's colour, both in the tool tip.
    QCOMPARE(grid.cellBackground(row, SON), YELLOW);
    QCOMPARE(grid.cellToolTip(row, SON),
        QStringLiteral("19\n2031年 大学の重なり：長男 大学2年、長女,\"花\" 大学1年\n"
                       "2031年 定年後の学費：夫 61歳（定年60歳）、長男 大学2年、長女,\"花\" 大学1年"));
    QCOMPARE(grid.cellBackground(row, HUSBAND), ORANGE);
    // The wife retires at 65 (2040) and is named by nothing.
    QCOMPARE(grid.cellBackground(row, WIFE), QApplication::palette().color(QPalette::Base));
    QCOMPARE(grid.cellToolTip(row, WIFE), grid.text(row, WIFE));

    // 2034: only the daughter studies, so she has the orange of 定年後の学費 alone.
    QCOMPARE(grid.cellBackground(rowOf(2034), DAUGHTER), ORANGE);
    QCOMPARE(grid.cellBackground(rowOf(2035), DAUGHTER), QApplication::palette().color(QPalette::Base));
    // The print path reads the same colours.
    QCOMPARE(tints.tint(SON, row), YELLOW);
    QVERIFY(!tints.tint(WIFE, row).isValid());

    // No cell text changes, and the fixed cells keep their cyan.
    for (int c = 0; c < m_table.columnCount(); ++c) {
        for (int r = 0; r < m_table.rowCount(); ++r)
            QCOMPARE(grid.text(r, c), QString::fromStdString(m_table.text(r, c)));
    }
    QCOMPARE(grid.cellBackground(row, 0), LifeCycleGrid::fixedCellColor());
}

void TestAttentionMarks::testHiddenMarksGiveTheCellsBack()
{
    LifeCycleGrid grid;
    grid.setTable(m_table);
    const AttentionTints tints = AttentionTints::forTable(m_plan, m_table);
    tints.apply(&grid, true);
    tints.apply(&grid, false);
    const QColor base = QApplication::palette().color(QPalette::Base);
    for (int c = TABLE_FIXED_COLS; c < grid.cols(); ++c) {
        for (int r = TABLE_FIXED_ROWS; r < grid.rows(); ++r) {
            QCOMPARE(grid.cellBackground(r, c), base);
            QCOMPARE(grid.cellToolTip(r, c), grid.text(r, c));
        }
    }
    // And shown again after a rebuild of the same table.
    grid.setTable(m_table);
    tints.apply(&grid, true);
    QCOMPARE(grid.cellBackground(rowOf(2038), 7), PINK); // 三男, 5, while 夫側母 is cared for
}

void TestAttentionMarks::testLegendUnderTheGrid()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new LifeCycleGrid(&window);
    auto* legend = new AttentionLegend(&window);
    layout->addWidget(grid);
    layout->addWidget(legend);
    grid->setTable(m_table);
    const AttentionTints tints = AttentionTints::forTable(m_plan, m_table);
    legend->setTints(tints, true);
    window.resize(900, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(legend->isVisible());
    const QString text = legend->text();
    int last = -1;
    for (const QString& name :
        { QStringLiteral("ダブルケア"), QStringLiteral("大学の重なり"), QStringLiteral("定年後の学費") }) {
        const int at = text.indexOf(name);
        QVERIFY2(at > last, qPrintable(name));
        last = at;
    }
    QVERIFY(text.contains(PINK.name()));

    legend->setTints(tints, false);
    QVERIFY(!legend->isVisible());

    // The sample family's table has no marker: no legend even with the marks shown.
    FamilyPlan sample;
    writeSampleFamily(sample);
    const TableModel sampleTable = buildLifeCycleTable(sample, PlanSession::instance().tableContext());
    const AttentionTints none = AttentionTints::forTable(sample, sampleTable);
    QVERIFY(none.isEmpty());
    legend->setTints(none, true);
    QVERIFY(!legend->isVisible());
}

void TestAttentionMarks::testDialogListsTheCsvRows()
{
    const std::vector<AttentionMarker> markers = findAttentionMarkers(m_plan, m_table, defaultUniversityYears());
    AttentionDialog dialog(markers);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    auto* list = child<QTableWidget*>(&dialog, "TableMarkers");
    // The header and every row read as the CSV's lines, field by field.
    const QString csv = QString::fromStdString(cp932ToUtf8(attentionCsvBytes(markers)));
    QStringList lines = csv.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.size(), list->rowCount() + 1);
    QStringList header;
    for (int c = 0; c < list->columnCount(); ++c)
        header << list->horizontalHeaderItem(c)->text();
    QCOMPARE(header.join(QLatin1Char(',')), lines[0]);
    for (int r = 0; r < list->rowCount(); ++r) {
        std::string line;
        for (int c = 0; c < list->columnCount(); ++c) {
            if (c > 0)
                line += ',';
            appendCsvField(line, list->item(r, c)->text().toStdString());
        }
        QCOMPARE(QString::fromStdString(line), lines[r + 1]);
    }
    QCOMPARE(list->item(0, 1)->background().color(), PINK);
    // Each column is wide enough for its longest text.
    for (int c = 0; c < list->columnCount() - 1; ++c) {
        for (int r = 0; r < list->rowCount(); ++r)
            QVERIFY(list->columnWidth(c) >= list->fontMetrics().horizontalAdvance(list->item(r, c)->text()));
    }
    QVERIFY(!child<QLabel*>(&dialog, "LabelEmpty")->isVisible());

    QTest::mouseClick(child<QPushButton*>(&dialog, "CommandHelp"), Qt::LeftButton);
    HelpViewer* viewer = shownHelpViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-16"));
    Help::close();

    QTest::mouseClick(child<QPushButton*>(&dialog, "CommandClose"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void TestAttentionMarks::testDialogWithoutMarkers()
{
    // The demo's sample family has no marks: the list says how a family's own table gets them.
    auto main = GuiTest::startMainWindow(m_settings, true);
    QVERIFY(main->demoWindow());
    bool listShown = true;
    QString text;
    bool ran = false;
    whenModal<AttentionDialog>(
        [&](AttentionDialog* dialog) {
            listShown = child<QTableWidget*>(dialog, "TableMarkers")->isVisible();
            auto* empty = child<QLabel*>(dialog, "LabelEmpty");
            text = empty->isVisible() ? empty->text() : QString();
            dialog->reject();
        },
        &ran);
    GuiTest::findAction(main.get(), QStringLiteral("Attention_List_MN"))->trigger();
    QTRY_VERIFY(ran);
    QVERIFY(!listShown);
    QVERIFY2(text.startsWith(QStringLiteral("この表には、注意が必要な年はありません。")), qPrintable(text));
    for (const char* word : { "ダブルケア", "大学の重なり", "定年後の学費", "新規作成" })
        QVERIFY2(text.contains(QString::fromUtf8(word)), word);
}

void TestAttentionMarks::testMenuSwitchAndListInTheMainWindow()
{
    auto main = GuiTest::startMainWindow(m_settings, false);
    globalPlan() = m_plan;
    LifeCycleGrid* grid = main->openTableWindow(frmMain::TableKind::Form200)->grid();
    const int row = rowOf(2031);
    QCOMPARE(grid->cellBackground(row, HUSBANDS_FATHER), PINK);

    // 注意が必要な年 lists the open table's markers.
    int listed = -1;
    bool ran = false;
    whenModal<AttentionDialog>(
        [&listed](AttentionDialog* dialog) {
            listed = child<QTableWidget*>(dialog, "TableMarkers")->rowCount();
            dialog->reject();
        },
        &ran);
    GuiTest::findAction(main.get(), QStringLiteral("Attention_List_MN"))->trigger();
    QTRY_VERIFY(ran);
    QCOMPARE(listed, int(findAttentionMarkers(m_plan, m_table, defaultUniversityYears()).size()));

    // Switched off: the cells are plain again, and the next start remembers it.
    QAction* shown = GuiTest::findAction(main.get(), QStringLiteral("Attention_Show_MN"));
    QVERIFY(shown->isChecked());
    shown->trigger();
    QCOMPARE(grid->cellBackground(row, HUSBANDS_FATHER), QApplication::palette().color(QPalette::Base));
    QCOMPARE(m_settings.read(QStringLiteral("ATTENTION/VIEW")), QStringLiteral("0"));
    main.reset();
    main = GuiTest::startMainWindow(m_settings, false);
    QVERIFY(!GuiTest::findAction(main.get(), QStringLiteral("Attention_Show_MN"))->isChecked());
    grid = main->openTableWindow(frmMain::TableKind::Form200)->grid();
    QCOMPARE(grid->cellBackground(row, HUSBANDS_FATHER), QApplication::palette().color(QPalette::Base));
}

QTEST_MAIN(TestAttentionMarks)
#include "TestAttentionMarks.moc"

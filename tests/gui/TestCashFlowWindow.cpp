// SPDX-License-Identifier: GPL-3.0-or-later
// The キャッシュフロー表 window: its grid shows the core's table cell for cell, its chart the core's
// figures, and it follows the plan through 家計設定.
#include "core/money/CashFlow.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/SampleFamily.h"
#include "core/table/TableBuilder.h"
#include "gui/common/ProcessState.h"
#include "gui/money/CashFlowChart.h"
#include "gui/money/CashFlowGrid.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/money/MoneySettingsDialog.h"
#include "support/GuiTestSupport.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace harukaze;

namespace {

TableContext context()
{
    TableContext context;
    context.y0 = 2026;
    context.appDir = globalState().APP_DIR;
    return context;
}

// The sample family twenty years younger: the children are at school during the table.
FamilyPlan schoolFamily()
{
    FamilyPlan plan;
    writeSampleFamily(plan);
    plan.ST2_HUSBAND_BIRTH_YEAR = 1985;
    plan.ST2_WIFE_BIRTH_YEAR = 1987;
    plan.mtx1(1, MTX1_BIRTH_YEAR) = 2014;
    plan.mtx1(2, MTX1_BIRTH_YEAR) = 2018;
    plan.money->husbandIncome = 4000;
    plan.money->savingsStart = 300;
    return plan;
}

} // namespace

class TestCashFlowWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTest::setUpProgramEnvironment(2026); }

    void testGridShowsTheCoreTable()
    {
        const FamilyPlan plan = schoolFamily();
        CashFlowWindow window;
        window.rebuild(plan, context());
        QVERIFY(window.notice()->isHidden());

        const CashFlowTable expected = buildCashFlowTable(plan, context());
        const CashFlowGrid* grid = window.grid();
        QCOMPARE(grid->rows(), static_cast<int>(expected.rows.size()));
        QCOMPARE(grid->cols(), 2 + TABLE_YEARS);
        QList<int> shownRows;
        for (int r = 0; r < grid->rows(); ++r) {
            const CashFlowRow& row = expected.rows[static_cast<size_t>(r)];
            const int g = grid->gridRow(r);
            shownRows.append(g);
            QCOMPARE(grid->text(g, 0), QString::fromStdString(row.label));
            QCOMPARE(grid->text(g, 1), QString::fromStdString(row.rate));
            for (int n = 0; n < TABLE_YEARS; ++n)
                QCOMPARE(grid->text(g, 2 + n), QString::fromStdString(row.cells[static_cast<size_t>(n)]));
        }
        // Every row once: the years first, then the money, then the members and the events.
        std::sort(shownRows.begin(), shownRows.end());
        QCOMPARE(shownRows.size(), grid->rows());
        QCOMPARE(std::unique(shownRows.begin(), shownRows.end()), shownRows.end());
        QCOMPARE(grid->text(3, 0), QStringLiteral("夫の収入"));
        QCOMPARE(grid->text(3 + MONEY_ROWS - 1, 0), QStringLiteral("貯蓄残高"));
        QCOMPARE(grid->text(3 + MONEY_ROWS, 0), QString::fromStdString(expected.rows[3].label));
        // The table the window keeps for printing and the CSV is the one it shows.
        QCOMPARE(cashFlowCsvBytes(window.table()), cashFlowCsvBytes(expected));
    }

    void testNegativeBalancesAreRedAndTotalsBold()
    {
        FamilyPlan plan = schoolFamily();
        plan.money->savingsStart = 0;
        plan.money->husbandIncome = 0;
        CashFlowWindow window;
        window.rebuild(plan, context());
        const CashFlowTable& table = window.table();
        const CashFlowGrid* grid = window.grid();
        int negatives = 0;
        for (MoneyRow row : { MoneyRow::Balance, MoneyRow::Savings, MoneyRow::Living, MoneyRow::WifeIncome }) {
            const int r = grid->gridRow(table.rowIndex(row));
            for (int n = 0; n < TABLE_YEARS; ++n) {
                const bool red = grid->textColor(r, 2 + n) == CashFlowGrid::negativeColor();
                const bool negative = table.figures.at(row, n) <= -5000; // shown as "-1" or less
                const bool balanceRow = row == MoneyRow::Balance || row == MoneyRow::Savings;
                QCOMPARE(red, balanceRow && negative);
                negatives += red ? 1 : 0;
            }
        }
        QVERIFY(negatives > 0);
        QVERIFY(grid->isBold(grid->gridRow(table.rowIndex(MoneyRow::IncomeTotal)), 0));
        QVERIFY(grid->isBold(grid->gridRow(table.rowIndex(MoneyRow::Savings)), 10));
        QVERIFY(!grid->isBold(grid->gridRow(table.rowIndex(MoneyRow::Living)), 10));
    }

    void testChartDrawsTheFigures()
    {
        FamilyPlan plan = schoolFamily();
        plan.money->savingsStart = 0;
        plan.money->living = 6000; // more than the household earns
        CashFlowWindow window;
        window.rebuild(plan, context());
        const CashFlowFigures& figures = window.table().figures;
        CashFlowChart* chart = window.chart();
        const QList<QBarSet*> sets = chart->barSeries()->barSets();
        QCOMPARE(sets.size(), 2);
        QCOMPARE(sets[0]->count(), TABLE_YEARS);
        QList<int> negative;
        for (int n = 0; n < TABLE_YEARS; ++n) {
            QCOMPARE(sets[0]->at(n), figures.at(MoneyRow::IncomeTotal, n) / 10000.0);
            QCOMPARE(sets[1]->at(n), figures.at(MoneyRow::ExpenseTotal, n) / 10000.0);
            QCOMPARE(chart->savingsSeries()->at(n).y(), figures.at(MoneyRow::Savings, n) / 10000.0);
            if (figures.at(MoneyRow::Savings, n) < 0)
                negative.append(n);
        }
        QVERIFY(!negative.isEmpty());
        QCOMPARE(chart->shadedYears(), negative);
        QVERIFY(chart->negativeShading());

        // Savings that never fall below zero leave nothing shaded.
        plan.money->savingsStart = 99999;
        plan.money->living = 0;
        window.rebuild(plan, context());
        QVERIFY(window.chart()->shadedYears().isEmpty());
        QVERIFY(!window.chart()->negativeShading());
    }

    void testNoticeWithoutMoneySettings()
    {
        FamilyPlan plan = schoolFamily();
        plan.money.reset();
        CashFlowWindow window;
        window.show();
        window.rebuild(plan, context());
        QVERIFY(window.notice()->isVisible());
        QVERIFY(window.notice()->text().contains(QStringLiteral("「家計設定(M)...」")));
        // The defaults still cost the children's schooling, so the balance falls.
        QVERIFY(window.table().figures.at(MoneyRow::Education, 0) > 0);
        plan.money = MoneySettings {};
        window.rebuild(plan, context());
        QVERIFY(!window.notice()->isVisible());
    }

    void testUniversityChoiceDeepensTheDip()
    {
        // As a user would: 家計設定, 長女's university to 私立医歯, OK, then the window rebuilds.
        FamilyPlan plan = schoolFamily();
        CashFlowWindow window;
        window.rebuild(plan, context());
        const CashFlowFigures before = window.table().figures;
        whenModal<MoneySettingsDialog>([](MoneySettingsDialog* dialog) {
            auto* grid = child<QTableWidget*>(dialog, "educationGrid");
            qobject_cast<QComboBox*>(grid->cellWidget(0, 9))->setCurrentText(QStringLiteral("私立医歯"));
            QTest::mouseClick(child<QPushButton*>(dialog, "okButton"), Qt::LeftButton);
        });
        QVERIFY(MoneySettingsDialog::edit(plan, nullptr));
        window.rebuild(plan, context());
        const CashFlowFigures& after = window.table().figures;
        // 長女 (2014) enters at 18 in 2032: six years instead of four, at the medical fees.
        const int entry = 2032 - 2026;
        for (int n = entry; n < entry + 6; ++n)
            QVERIFY(after.at(MoneyRow::Education, n) > before.at(MoneyRow::Education, n));
        QCOMPARE(after.at(MoneyRow::Education, entry - 1), before.at(MoneyRow::Education, entry - 1));
        QVERIFY(after.at(MoneyRow::Savings, 50) < before.at(MoneyRow::Savings, 50));
        QCOMPARE(window.grid()->text(window.grid()->gridRow(window.table().rowIndex(MoneyRow::Education)), 2 + entry),
            QString::fromStdString(formatManYen(after.at(MoneyRow::Education, entry))));
    }

    void testChartTicksAreRoundAndIncludeZero_data()
    {
        QTest::addColumn<int>("savingsStart"); ///< 貯蓄残高 at the start, tenths of 万円
        QTest::addColumn<int>("living"); ///< 基本生活費, tenths of 万円
        QTest::newRow("savings rise") << 99999 << 0;
        QTest::newRow("savings fall below zero") << 0 << 6000;
        QTest::newRow("nothing but schooling") << 0 << 0;
    }

    void testChartTicksAreRoundAndIncludeZero()
    {
        QFETCH(int, savingsStart);
        QFETCH(int, living);
        FamilyPlan plan = schoolFamily();
        plan.money->savingsStart = savingsStart;
        plan.money->living = living;
        CashFlowWindow window;
        window.rebuild(plan, context());
        const QList<long> ticks = window.chart()->amountTicks();
        QVERIFY(ticks.size() >= 2);
        QVERIFY(ticks.contains(0));
        // Even steps of 1, 2 or 5 times a power of ten 万円.
        const long step = ticks[1] - ticks[0];
        long power = 1;
        while (power * 10 <= step)
            power *= 10;
        QVERIFY2(step == power || step == 2 * power || step == 5 * power, qPrintable(QString::number(step)));
        for (int i = 1; i < ticks.size(); ++i)
            QCOMPARE(ticks[i] - ticks[i - 1], step);
        // Every figure lies within the labelled range.
        const CashFlowFigures& figures = window.table().figures;
        for (int n = 0; n < TABLE_YEARS; ++n) {
            for (MoneyRow row : { MoneyRow::IncomeTotal, MoneyRow::ExpenseTotal, MoneyRow::Savings }) {
                QVERIFY(figures.at(row, n) >= ticks.first() * 10000);
                QVERIFY(figures.at(row, n) <= ticks.last() * 10000);
            }
        }
    }

    void testTotalsInViewAtTheDefaultSizeAndFolding()
    {
        m_settings.clear();
        FamilyPlan plan = schoolFamily();
        auto window = std::make_unique<CashFlowWindow>();
        window->rebuild(plan, context());
        window->resize(633, 500);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const CashFlowTable table = window->table();
        CashFlowGrid* grid = window->grid();
        const auto cellInView = [grid](int tableRow, int column) {
            const QRect cell = grid->visualRect(grid->model()->index(grid->gridRow(tableRow), column));
            return cell.isValid() && grid->viewport()->rect().contains(cell);
        };
        // The totals of the first years are in view without scrolling; the rows they sum are folded.
        for (MoneyRow row : { MoneyRow::IncomeTotal, MoneyRow::ExpenseTotal, MoneyRow::Balance, MoneyRow::Savings })
            QVERIFY2(cellInView(table.rowIndex(row), 3), moneyRowLabel(row));
        const int incomeTotal = table.rowIndex(MoneyRow::IncomeTotal);
        const int husband = grid->gridRow(table.rowIndex(MoneyRow::HusbandIncome));
        QVERIFY(grid->isRowHidden(husband));
        QCOMPARE(grid->model()->index(grid->gridRow(incomeTotal), 0).data().toString(), QStringLiteral("▸ 収入合計"));

        // A click on 収入合計 opens its rows; a new window remembers it, and the splitter's place.
        QTableView* labels = grid->frozenColumnsView();
        const QRect label = labels->visualRect(grid->model()->index(grid->gridRow(incomeTotal), 0));
        QTest::mouseClick(labels->viewport(), Qt::LeftButton, {}, label.center());
        QVERIFY(!grid->isRowHidden(husband));
        QCOMPARE(grid->model()->index(grid->gridRow(incomeTotal), 0).data().toString(), QStringLiteral("▾ 収入合計"));
        auto* splitter = child<QSplitter*>(window.get(), "cashFlowSplitter");
        splitter->handle(1)->setFocus();
        const QList<int> sizes { 150, splitter->sizes().value(0) + splitter->sizes().value(1) - 150 };
        splitter->setSizes(sizes);
        emit splitter->splitterMoved(150, 1);
        window.reset();

        CashFlowWindow again;
        again.rebuild(plan, context());
        again.resize(633, 500);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QVERIFY(!again.grid()->isRowHidden(again.grid()->gridRow(table.rowIndex(MoneyRow::HusbandIncome))));
        QVERIFY(again.grid()->isRowHidden(again.grid()->gridRow(table.rowIndex(MoneyRow::Living))));
        QCOMPARE(child<QSplitter*>(&again, "cashFlowSplitter")->sizes().value(0), 150);
    }

    void testJapaneseTextIsNotClipped()
    {
        CashFlowWindow window;
        window.show();
        window.rebuild(schoolFamily(), context());
        const CashFlowGrid* grid = window.grid();
        const QFontMetrics metrics(grid->font());
        for (int r = 0; r < grid->rows(); ++r) {
            if (grid->isRowHidden(r)) // folded under its total
                continue;
            for (int c = 0; c < grid->cols(); ++c) {
                const QString shown = grid->model()->index(r, c).data().toString();
                for (const QString& line : shown.split(QLatin1Char('\n'))) {
                    QFont font = grid->font();
                    font.setBold(grid->isBold(r, c));
                    QVERIFY2(QFontMetrics(font).horizontalAdvance(line) <= grid->columnWidth(c),
                        qPrintable(QStringLiteral("%1,%2 %3").arg(r).arg(c).arg(line)));
                }
                QVERIFY(metrics.height() * (shown.count(QLatin1Char('\n')) + 1) <= grid->rowHeight(r));
            }
        }
        // The three year rows and the two label columns stay in view.
        QCOMPARE(grid->frozenCornerView()->isRowHidden(2), false);
        QCOMPARE(grid->frozenCornerView()->isRowHidden(3), true);
        QCOMPARE(grid->frozenColumnsView()->isColumnHidden(1), false);
        QCOMPARE(grid->frozenColumnsView()->isColumnHidden(2), true);
    }

private:
    // The window keeps its splitter and folding in the settings store: a fresh one for the tests.
    GuiTest::TemporarySettings m_settings;
};

QTEST_MAIN(TestCashFlowWindow)
#include "TestCashFlowWindow.moc"

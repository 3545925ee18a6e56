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
#include <QTableWidget>
#include <QTest>

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
        for (int r = 0; r < grid->rows(); ++r) {
            const CashFlowRow& row = expected.rows[static_cast<size_t>(r)];
            QCOMPARE(grid->text(r, 0), QString::fromStdString(row.label));
            QCOMPARE(grid->text(r, 1), QString::fromStdString(row.rate));
            for (int n = 0; n < TABLE_YEARS; ++n)
                QCOMPARE(grid->text(r, 2 + n), QString::fromStdString(row.cells[static_cast<size_t>(n)]));
        }
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
            const int r = table.rowIndex(row);
            for (int n = 0; n < TABLE_YEARS; ++n) {
                const bool red = grid->textColor(r, 2 + n) == CashFlowGrid::negativeColor();
                const bool negative = table.figures.at(row, n) <= -5000; // shown as "-1" or less
                const bool balanceRow = row == MoneyRow::Balance || row == MoneyRow::Savings;
                QCOMPARE(red, balanceRow && negative);
                negatives += red ? 1 : 0;
            }
        }
        QVERIFY(negatives > 0);
        QVERIFY(grid->isBold(table.rowIndex(MoneyRow::IncomeTotal), 0));
        QVERIFY(grid->isBold(table.rowIndex(MoneyRow::Savings), 10));
        QVERIFY(!grid->isBold(table.rowIndex(MoneyRow::Living), 10));
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
        QCOMPARE(window.grid()->text(window.table().rowIndex(MoneyRow::Education), 2 + entry),
            QString::fromStdString(formatManYen(after.at(MoneyRow::Education, entry))));
    }

    void testJapaneseTextIsNotClipped()
    {
        CashFlowWindow window;
        window.show();
        window.rebuild(schoolFamily(), context());
        const CashFlowGrid* grid = window.grid();
        const QFontMetrics metrics(grid->font());
        for (int r = 0; r < grid->rows(); ++r) {
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
};

QTEST_MAIN(TestCashFlowWindow)
#include "TestCashFlowWindow.moc"

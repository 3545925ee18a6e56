// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/CashFlowChart.h"

#include "core/money/CashFlow.h"
#include "gui/money/RoundAxis.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QLineSeries>

#include <algorithm>
#include <cmath>

namespace harukaze {

namespace {

constexpr int YEAR_LABEL_STEP = 5;

double man(int64_t yen)
{
    return static_cast<double>(yen) / 10000.0;
}

} // namespace

CashFlowChart::CashFlowChart(QWidget* parent)
    : QChartView(parent)
{
    setObjectName(QStringLiteral("cashFlowChart"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(150);
}

CashFlowChart::~CashFlowChart() = default;

void CashFlowChart::setTable(const CashFlowTable& table)
{
    // The window's caption names the table and the axis its unit: no title takes the plot's height.
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 2, 8, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    const QFont base = font();
    chart->legend()->setFont(base);

    const CashFlowFigures& figures = table.figures;
    auto* income = new QBarSet(QStringLiteral("収入合計"));
    auto* expense = new QBarSet(QStringLiteral("支出合計"));
    income->setColor(QColor(70, 130, 200));
    expense->setColor(QColor(240, 160, 60));
    m_savings = new QLineSeries;
    m_savings->setName(QStringLiteral("貯蓄残高"));
    m_savings->setColor(QColor(30, 140, 60));
    m_savings->setPointsVisible(true);
    QPen savingsPen = m_savings->pen();
    savingsPen.setWidth(2);
    m_savings->setPen(savingsPen);

    double low = 0;
    double high = 0;
    m_shadedYears.clear();
    for (int n = 0; n < TABLE_YEARS; ++n) {
        const double in = man(figures.at(MoneyRow::IncomeTotal, n));
        const double out = man(figures.at(MoneyRow::ExpenseTotal, n));
        const double savings = man(figures.at(MoneyRow::Savings, n));
        income->append(in);
        expense->append(out);
        m_savings->append(n, savings);
        low = std::min({ low, in, out, savings });
        high = std::max({ high, in, out, savings });
        if (figures.at(MoneyRow::Savings, n) < 0)
            m_shadedYears.append(n);
    }
    // Round 万円 steps from 0, so that 0 is a tick and the bars stand on a labelled line.
    const RoundAxis axis = roundAxis(low, high);
    const double step = axis.step;
    low = axis.low;
    high = axis.high;
    m_ticks.clear();
    for (double tick = low; tick <= high + step / 2; tick += step)
        m_ticks.append(std::lround(tick));

    m_bars = new QBarSeries;
    m_bars->append(income);
    m_bars->append(expense);
    m_bars->setBarWidth(0.8);

    // Shading: one block per negative year, drawn first so that bars and line lie over it.
    m_shading = nullptr;
    if (!m_shadedYears.isEmpty()) {
        // The area series does not own its boundary lines: the chart does, and deletes them with it.
        auto* upper = new QLineSeries(chart);
        auto* lower = new QLineSeries(chart);
        for (int n : m_shadedYears) {
            upper->append(n - 0.5, low);
            upper->append(n - 0.5, high);
            upper->append(n + 0.5, high);
            upper->append(n + 0.5, low);
            lower->append(n - 0.5, low);
            lower->append(n + 0.5, low);
        }
        m_shading = new QAreaSeries(upper, lower);
        m_shading->setName(QStringLiteral("貯蓄残高がマイナスの年"));
        m_shading->setColor(QColor(230, 0, 0, 40));
        m_shading->setBorderColor(Qt::transparent);
        chart->addSeries(m_shading);
    }
    chart->addSeries(m_bars);
    chart->addSeries(m_savings);

    auto* years = new QCategoryAxis;
    years->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    years->setRange(-0.5, TABLE_YEARS - 0.5);
    for (int n = 0; n < TABLE_YEARS; n += YEAR_LABEL_STEP)
        years->append(QString::number(table.y0 + n), n);
    years->setLabelsFont(base);
    years->setTitleFont(base);
    years->setGridLineVisible(false);

    attachAxes(chart, years, amountAxis(axis, base));

    QChart* old = this->chart();
    setChart(chart);
    delete old;
}

} // namespace harukaze

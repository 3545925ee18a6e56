// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>

class QAreaSeries;
class QBarSeries;
class QLineSeries;

namespace harukaze {

struct CashFlowTable;

/**
 * The chart below the cash-flow grid: 収入合計 and 支出合計 of every year as bars, 貯蓄残高 as a
 * line, in 万円 on an axis labelled at round steps from 0, years below; years whose 貯蓄残高 is
 * negative are shaded.
 */
class CashFlowChart : public QChartView
{
    Q_OBJECT
    Q_DISABLE_COPY(CashFlowChart)

public:
    explicit CashFlowChart(QWidget* parent = nullptr);
    ~CashFlowChart() override;

    /** Draws the figures of `table`. */
    void setTable(const CashFlowTable& table);

    QBarSeries* barSeries() const { return m_bars; }
    QLineSeries* savingsSeries() const { return m_savings; }
    /** The shading of the negative years; nullptr when no year is negative. */
    QAreaSeries* negativeShading() const { return m_shading; }
    /** Indexes (0..50) of the shaded years. */
    QList<int> shadedYears() const { return m_shadedYears; }
    /** The 万円 values the amount axis is labelled at: round steps that include 0. */
    QList<long> amountTicks() const { return m_ticks; }

private:
    QBarSeries* m_bars = nullptr;
    QLineSeries* m_savings = nullptr;
    QAreaSeries* m_shading = nullptr;
    QList<int> m_shadedYears;
    QList<long> m_ticks;
};

} // namespace harukaze

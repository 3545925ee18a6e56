// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/RoundAxis.h"

#include <QChart>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace harukaze {

namespace {

// A round step of about a fifth of `span`: 1, 2 or 5 times a power of ten.
double roundStep(double span)
{
    const double rough = std::max(span / 5.0, 1.0);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : { 1.0, 2.0, 5.0 }) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10.0 * power;
}

} // namespace

RoundAxis roundAxis(double low, double high)
{
    RoundAxis axis;
    axis.step = roundStep(high - low);
    axis.low = std::floor(low / axis.step) * axis.step;
    axis.high = std::max(std::ceil(high / axis.step) * axis.step, axis.low + axis.step);
    return axis;
}

QValueAxis* amountAxis(const RoundAxis& axis, const QFont& font, bool titled)
{
    auto* amounts = new QValueAxis;
    if (titled)
        amounts->setTitleText(QStringLiteral("万円"));
    amounts->setRange(axis.low, axis.high);
    amounts->setTickType(QValueAxis::TicksDynamic);
    amounts->setTickAnchor(0);
    amounts->setTickInterval(axis.step);
    amounts->setLabelFormat(QStringLiteral("%.0f"));
    amounts->setLabelsFont(font);
    amounts->setTitleFont(font);
    return amounts;
}

void attachAxes(QChart* chart, QAbstractAxis* across, QAbstractAxis* amounts)
{
    chart->addAxis(across, Qt::AlignBottom);
    chart->addAxis(amounts, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(across);
        series->attachAxis(amounts);
    }
}

} // namespace harukaze

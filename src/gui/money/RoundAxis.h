// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractAxis;
class QChart;
class QFont;
class QValueAxis;

namespace harukaze {

/**
 * The range of a chart's 万円 axis on round steps: the step is 1, 2 or 5 times a power of ten,
 * about a fifth of the span, and both ends are multiples of it, so 0 is a tick whenever the range
 * holds it and every label is a round figure.
 */
struct RoundAxis
{
    double low = 0;
    double high = 0;
    double step = 1;
};

/** The round axis that holds every value from `low` to `high`. */
RoundAxis roundAxis(double low, double high);

/** The chart's value axis of `axis`: its range, a labelled tick on every step from 0, in `font`. */
QValueAxis* amountAxis(const RoundAxis& axis, const QFont& font, bool titled = true);

/** Adds `across` at the bottom and `amounts` at the left of `chart` and puts every series on both. */
void attachAxes(QChart* chart, QAbstractAxis* across, QAbstractAxis* amounts);

} // namespace harukaze

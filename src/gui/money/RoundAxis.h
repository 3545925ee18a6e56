// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

    /** The number of ticks from low to high, both ends included. */
    int tickCount() const;
};

/** The round axis that holds every value from `low` to `high`. */
RoundAxis roundAxis(double low, double high);

} // namespace harukaze

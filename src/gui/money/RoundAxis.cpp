// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/RoundAxis.h"

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

int RoundAxis::tickCount() const
{
    return static_cast<int>(std::lround((high - low) / step)) + 1;
}

RoundAxis roundAxis(double low, double high)
{
    RoundAxis axis;
    axis.step = roundStep(high - low);
    axis.low = std::floor(low / axis.step) * axis.step;
    axis.high = std::max(std::ceil(high / axis.step) * axis.step, axis.low + axis.step);
    return axis;
}

} // namespace harukaze

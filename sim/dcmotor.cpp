// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/dcmotor.h"

#include <algorithm>
#include <cmath>

namespace sim::dc {

namespace {

constexpr int minPercent = 0;
constexpr int maxPercent = 100;
constexpr int periodWidth = 20;

} // namespace

int truncatedPercent(double trackValue)
{
    if (std::isnan(trackValue))
        return minPercent;
    // Clamped before the conversion, which is undefined for values an int cannot hold.
    return static_cast<int>(std::clamp(trackValue, double(minPercent), double(maxPercent)));
}

int clampedPercent(int percent)
{
    return std::clamp(percent, minPercent, maxPercent);
}

double highWidth(int percent)
{
    return static_cast<double>(clampedPercent(percent) * periodWidth / maxPercent);
}

float shaftDuration(double trackValue)
{
    return static_cast<float>((100.0 - trackValue) / 100.0);
}

} // namespace sim::dc

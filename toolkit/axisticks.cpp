// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/axisticks.h"

#include <algorithm>
#include <cmath>

namespace toolkit {

namespace {

// The round step just below @p value: 1, 2 or 5 times a power of ten.
double roundStepBelow(double value)
{
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (double factor : {5.0, 2.0, 1.0}) {
        if (factor * decade <= value)
            return factor * decade;
    }
    return decade;
}

// The next round step after @p step.
double nextRoundStep(double step)
{
    const double decade = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double factor = step / decade;
    return factor < 1.5 ? 2.0 * decade : factor < 3.5 ? 5.0 * decade : 10.0 * decade;
}

// The decimals a multiple of @p step needs: none for 1, 2, 5, 10...; one for 0.5, 0.2...
int decimalsOf(double step)
{
    return std::max(0, int(std::ceil(-std::log10(step) - 1e-9)));
}

QString label(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

// The ends and the multiples of @p step that keep @p gap (in axis units) from them and from
// each other; empty when two multiples come closer than that.
QList<double> marks(double min, double max, double step, double gap)
{
    QList<double> values {min};
    for (double k = std::ceil(min / step); k * step < max; ++k) {
        const double value = k * step;
        if (value - min < gap || max - value < gap)
            continue;
        if (values.size() > 1 && value - values.last() < gap)
            return {};
        values.append(value);
    }
    values.append(max);
    return values;
}

} // namespace

QList<AxisTick> axisTicks(double min, double max, double pixels, double spacing, int maxMarks)
{
    if (!(max > min) || !std::isfinite(min) || !std::isfinite(max))
        return {{min, label(min, 6)}};
    const double span = max - min;
    const double gap = spacing * span / std::max(pixels, 1.0);

    // From the finest step worth trying to the first that spaces the marks well enough.
    double step = roundStepBelow(std::max(gap, span / 1000.0));
    QList<double> values;
    while (step < span) {
        values = marks(min, max, step, gap);
        if (!values.isEmpty() && values.size() <= std::max(maxMarks, 2))
            break;
        values.clear();
        step = nextRoundStep(step);
    }
    if (values.isEmpty())
        values = {min, max};

    // An end off the step is written to within a hundredth of the range (a zoomed 0.959 is not
    // "1").
    const int decimals = decimalsOf(step);
    const int endDecimals = std::max(decimals + 1, decimalsOf(span / 50.0));
    QList<AxisTick> ticks;
    for (const double value : std::as_const(values)) {
        const bool onStep = std::abs(value / step - std::round(value / step)) < 1e-6;
        ticks.append({value, label(value, onStep ? decimals : endDecimals)});
    }
    return ticks;
}

} // namespace toolkit

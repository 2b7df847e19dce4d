// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace toolkit {

/// One labelled mark of a chart axis.
struct AxisTick
{
    double value = 0.0;
    QString label;
};

/// The marks of an axis that shows @p min to @p max over @p pixels: both ends always, and
/// between them the multiples of the finest round step (1, 2 or 5 times a power of ten) that
/// keeps neighbouring marks at least @p spacing pixels apart and makes no more than
/// @p maxMarks marks in all. A multiple that would come closer than @p spacing to an end is
/// left out, so the intervals next to the ends may be uneven (0, 4, 7 or ..., 10, 14).
/// Labels are ASCII decimals without useless zeros; an end that falls between multiples of the
/// step takes one more decimal than the step needs.
QList<AxisTick> axisTicks(double min, double max, double pixels, double spacing, int maxMarks);

} // namespace toolkit

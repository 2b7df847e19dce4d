// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace toolkit {

/// The sets of colors that a chart's series take when they have none of their own.
enum class SeriesPalette {
    Classic, ///< strong colors: red, green, yellow, blue, ...
    Modern, ///< a softer set
};

/// The color that series number @p seriesIndex of a chart takes from @p palette when it has no
/// color of its own.
QColor seriesColor(SeriesPalette palette, int seriesIndex);

} // namespace toolkit

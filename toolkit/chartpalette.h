// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace toolkit {

/// The sets of colours that a chart's series take when they have none of their own.
enum class SeriesPalette {
    Classic, ///< strong colours: red, green, yellow, blue, ...
    Modern, ///< a softer set
};

/// The colour that series number @p seriesIndex of a chart takes from @p palette when it has no
/// colour of its own.
QColor seriesColor(SeriesPalette palette, int seriesIndex);

} // namespace toolkit

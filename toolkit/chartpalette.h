// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace toolkit {

/// Automatic series colours: the colour that series number @p seriesIndex of a chart takes
/// from palette @p paletteIndex when it has no colour of its own. Palette 0 is the classic
/// one (red, green, yellow, blue, ...); an unknown palette index falls back to it.
QColor paletteColour(int paletteIndex, int seriesIndex);

} // namespace toolkit

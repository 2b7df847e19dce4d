// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/chartpalette.h"

#include <array>

namespace toolkit {

namespace {

using Palette = std::array<QRgb, 12>;

// Strong colors first: they have to read well on the charts' aqua background.
constexpr Palette kClassic = {0xFF0000, 0x008000, 0xFFFF00, 0x0000FF, 0xFFFFFF, 0x808080,
                              0xFF00FF, 0x008080, 0x000080, 0x800000, 0x00FF00, 0x808000};

// A softer modern set, for charts that ask for it.
constexpr Palette kModern = {0x2E86C1, 0xE67E22, 0x27AE60, 0xC0392B, 0x8E44AD, 0x16A085,
                             0xD4AC0D, 0x34495E, 0xE84393, 0x7F8C8D, 0x1ABC9C, 0xA04000};

} // namespace

QColor seriesColor(SeriesPalette palette, int seriesIndex)
{
    const Palette &colors = palette == SeriesPalette::Modern ? kModern : kClassic;
    const auto slot = std::size_t(seriesIndex < 0 ? 0 : seriesIndex) % colors.size();
    return QColor(colors[slot]);
}

} // namespace toolkit

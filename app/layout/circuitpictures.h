// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/conduction.h"

#include "toolkit/diagram.h"

#include <QColor>
#include <QList>

/// What the four circuit pictures (assets/diagrams) hold for the program: the elements each part
/// of a circuit lights, and the motor's display.
namespace circuitpictures {

/// Colour of a part that conducts or is driven high: a red that stays red on a projector.
inline const QColor conductingColor {0xe0, 0x1b, 0x24};
/// Colour of a part driven low (the other end of a bipolar winding).
inline const QColor lowColor {0x1c, 0x71, 0xd8};
/// Colour of a freewheeling loop, drawn dashed as well: an orange paler than the red, so that it
/// parts from it by its lightness too, and by its dashes for those who see no hue between them.
inline const QColor freewheelColor {0xf5, 0x9a, 0x12};

/// The elements to light in its picture for every part of @p conduction, in their colors.
QList<toolkit::Diagram::Light> lights(const sim::Conduction &conduction);

/// Shows the motor's display of the picture in @p diagram as a read-out the program writes.
void showReadout(toolkit::Diagram &diagram);

} // namespace circuitpictures

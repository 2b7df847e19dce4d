// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace scene {
class Object3D;
class ShaftPicture;
} // namespace scene

namespace toolkit {
class Diagram;
}

/// The text of a circuit picture's read-out for @p value: signed, with two decimals and a
/// decimal point whatever the language, "+0.00" at 0.
QString readoutText(double value);

/// Keeps the read-outs of the DC motor's pictures (@p dcDiagrams) showing the speed at which
/// @p shaft turns, in turns per minute, signed like the turn (0 while it is still), and those
/// of the stepper's pictures (@p stepperDiagrams) the angle last applied to @p rotor, in
/// degrees. They follow the signals of the shaft and the rotor; nothing is polled.
void followMotorOnReadouts(scene::ShaftPicture &shaft, const QList<toolkit::Diagram *> &dcDiagrams,
                           scene::Object3D &rotor,
                           const QList<toolkit::Diagram *> &stepperDiagrams);

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

/// The text of the DC motor's read-out for @p turnsPerMinute: rounded to a whole number, signed,
/// with its unit ("+150 tr/min", "-120 tr/min"); "0 tr/min" for what rounds to 0.
QString speedText(double turnsPerMinute);
/// The text of the stepper's read-out for @p degrees: rounded to a whole number, in degrees
/// ("-990°", "0°").
QString angleText(double degrees);

/// Keeps the read-outs of the DC motor's pictures (@p dcDiagrams) showing the speed at which
/// @p shaft turns, in turns per minute, signed like the turn (0 while it is still), and those
/// of the stepper's pictures (@p stepperDiagrams) the angle last applied to @p rotor, in
/// degrees, and names them for screen readers ("Vitesse du moteur", "Angle du rotor"). They
/// follow the signals of the shaft and the rotor; nothing is polled.
void followMotorOnReadouts(scene::ShaftPicture &shaft, const QList<toolkit::Diagram *> &dcDiagrams,
                           scene::Object3D &rotor,
                           const QList<toolkit::Diagram *> &stepperDiagrams);

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/motorreadouts.h"

#include "scene/object3d.h"
#include "scene/shaftpicture.h"

#include "toolkit/diagram.h"

#include <cmath>

QString readoutText(double value)
{
    QString digits = QString::number(std::abs(value), 'f', 2);
    // What rounds to 0 shows as the still motor does, without a minus sign.
    const bool negative = value < 0 && digits != QLatin1String("0.00");
    return (negative ? u'-' : u'+') + digits;
}

void followMotorOnReadouts(scene::ShaftPicture &shaft, const QList<toolkit::Diagram *> &dcDiagrams,
                           scene::Object3D &rotor, const QList<toolkit::Diagram *> &stepperDiagrams)
{
    for (toolkit::Diagram *diagram : dcDiagrams) {
        const auto showSpeed = [&shaft, diagram] {
            diagram->setReadoutText(readoutText(shaft.degreesPerSecond() / 360.0 * 60.0));
        };
        QObject::connect(&shaft, &scene::ShaftPicture::turnChanged, diagram, showSpeed);
        showSpeed();
    }
    for (toolkit::Diagram *diagram : stepperDiagrams) {
        const auto showAngle = [&rotor, diagram] {
            diagram->setReadoutText(readoutText(rotor.rotationAngle().y()));
        };
        QObject::connect(&rotor, &scene::Object3D::rotationAngleChanged, diagram, showAngle);
        showAngle();
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/motorreadouts.h"

#include "scene/object3d.h"
#include "scene/shaftpicture.h"

#include "toolkit/diagram.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// The displays' texts, translatable as the window's own are.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(MotorReadouts)
};

// A whole number with its sign, none at 0 (nor for what rounds to 0), in ASCII digits whatever
// the language, as a display shows it.
QString signedWhole(double value, bool plusSign)
{
    const double whole = std::round(value);
    if (whole == 0.0 || !std::isfinite(whole))
        return QStringLiteral("0");
    const QString digits = QString::number(std::abs(whole), 'f', 0);
    return whole < 0 ? u'-' + digits : plusSign ? u'+' + digits : digits;
}

} // namespace

QString speedText(double turnsPerMinute)
{
    return signedWhole(turnsPerMinute, true) + QStringLiteral(" tr/min");
}

QString angleText(double degrees)
{
    return signedWhole(degrees, false) + u'°';
}

void followMotorOnReadouts(scene::ShaftPicture &shaft, const QList<toolkit::Diagram *> &dcDiagrams,
                           scene::Object3D &rotor, const QList<toolkit::Diagram *> &stepperDiagrams)
{
    for (toolkit::Diagram *diagram : dcDiagrams) {
        const auto showSpeed = [&shaft, diagram] {
            diagram->setReadoutText(speedText(shaft.degreesPerSecond() / 360.0 * 60.0));
        };
        diagram->setReadoutLabel(Texts::tr("Vitesse du moteur"));
        QObject::connect(&shaft, &scene::ShaftPicture::turnChanged, diagram, showSpeed);
        showSpeed();
    }
    for (toolkit::Diagram *diagram : stepperDiagrams) {
        const auto showAngle = [&rotor, diagram] {
            diagram->setReadoutText(angleText(rotor.rotationAngle().y()));
        };
        diagram->setReadoutLabel(Texts::tr("Angle du rotor"));
        QObject::connect(&rotor, &scene::Object3D::rotationAngleChanged, diagram, showAngle);
        showAngle();
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "extruder.h"
#include "models.h"

#include <cmath>

namespace meshgen {

namespace {

constexpr double halfAcross = 27.0 / 2;
constexpr double cornerRadius = 3.0;
constexpr double boreRadius = 12.5;
constexpr double outerEnd = 114.75 / 2; // where the leads end, just outside the stator's rim
// Each winding sits on a stator pole, between the pole tip and the ring. In the scene one unit
// here is 0.0458 scene units along the coil's axis: the windings run from 1.39 to 2.05 from the
// motor's centre, the pole tips are at 1.35, the ring's bore at 2.10 and its rim at 2.50.
constexpr double windingInner = 30.4;
constexpr double windingOuter = 44.8;
constexpr double leadRadius = 1.0;
// In the middle plane of the winding, across the coil's axis, so that the leads stay inside the
// stator ring (which is thinner than a winding) whichever way the pair is turned about its axis.
constexpr double leadOffset = 10.0;

// A square 27 across with rounded corners, counter-clockwise.
Contour roundedSquare()
{
    Contour contour;
    const double inner = halfAcross - cornerRadius;
    const QPointF corners[] = {{inner, inner}, {-inner, inner}, {-inner, -inner}, {inner, -inner}};
    for (int i = 0; i < 4; ++i) {
        const double start = i * M_PI / 2;
        contour.append(arc(corners[i], cornerRadius, start, start + M_PI / 2, 6));
    }
    return contour;
}

} // namespace

scene::ModelGeometry makeCoils(const std::string &materialSource)
{
    MeshBuilder builder;
    const Profile winding {roundedSquare(), reversed(circle({0, 0}, boreRadius, 64))};
    Extruder::extrude(builder, winding, frameYZ, {windingInner, windingOuter});
    Extruder::extrude(builder, winding, frameYZ, {-windingOuter, -windingInner});

    // The leads run out from inside each winding, through the ring, to just past its rim. They
    // start a little inside the winding so that no two faces lie in one plane.
    const double buried = 1.5;
    for (const double side : {-leadOffset, leadOffset}) {
        const Profile lead {circle({0, side}, leadRadius, 16)};
        Extruder::extrude(builder, lead, frameYZ, {windingOuter - buried, outerEnd});
        Extruder::extrude(builder, lead, frameYZ, {-outerEnd, -windingOuter + buried});
    }
    builder.dropTextureFrame();
    return {{builder.toSubMesh(materialSource)}};
}

} // namespace meshgen

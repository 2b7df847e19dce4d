// SPDX-License-Identifier: GPL-3.0-or-later
#include "extruder.h"
#include "models.h"

#include <cmath>

namespace meshgen {

namespace {

constexpr double halfAcross = 27.0 / 2;
constexpr double cornerRadius = 3.0;
constexpr double boreRadius = 12.5;
constexpr double outerEnd = 114.75 / 2;
constexpr double windingLength = 40.0;
constexpr double leadRadius = 1.0;
constexpr double leadOffset = 10.0; // in the thick corners of the winding, clear of the bore
constexpr double leadEnd = 7.0; // distance from the centre where the leads stop

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
    const double innerEnd = outerEnd - windingLength;
    Extruder::extrude(builder, winding, frameYZ, {innerEnd, outerEnd});
    Extruder::extrude(builder, winding, frameYZ, {-outerEnd, -innerEnd});

    // Each lead starts a little inside its winding so that no two faces lie in one plane.
    const double buried = 1.5;
    for (const double side : {-leadOffset, leadOffset}) {
        const Profile lead {circle({side, leadOffset}, leadRadius, 16)};
        Extruder::extrude(builder, lead, frameYZ, {leadEnd, innerEnd + buried});
        Extruder::extrude(builder, lead, frameYZ, {-innerEnd - buried, -leadEnd});
    }
    builder.dropTextureFrame();
    return {{builder.toSubMesh(materialSource)}};
}

} // namespace meshgen

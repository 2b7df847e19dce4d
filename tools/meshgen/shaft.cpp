// SPDX-License-Identifier: GPL-3.0-or-later
#include "extruder.h"
#include "models.h"

#include <cmath>

namespace meshgen {

namespace {

constexpr double discRadius = 70.0;
constexpr double discThickness = 20.0;
constexpr double shaftRadius = 12.5;
constexpr double shaftLength = 100.0;
constexpr double openingInner = 24.0; // the hub
constexpr double openingOuter = 54.0; // the rim
constexpr double openingSpan = M_PI / 3;

// One opening: a ring sector centred on `angle`, counter-clockwise.
Contour opening(double angle)
{
    const double from = angle - openingSpan / 2;
    const double to = angle + openingSpan / 2;
    Contour contour = arc({0, 0}, openingOuter, from, to, 16);
    contour.append(arc({0, 0}, openingInner, to, from, 8));
    return contour;
}

} // namespace

scene::ModelGeometry makeShaft()
{
    constexpr double halfLength = (discThickness + shaftLength) / 2;
    constexpr double discBack = halfLength - discThickness;

    MeshBuilder builder;
    Profile disc {circle({0, 0}, discRadius, 96)};
    for (int i = 0; i < 4; ++i)
        disc.append(reversed(opening(M_PI / 4 + i * M_PI / 2)));
    Extruder::extrude(builder, disc, frameXY, {discBack, halfLength});

    // The shaft ends inside the disc, so that none of its faces shares a plane with the disc's.
    Extruder::extrude(builder, {circle({0, 0}, shaftRadius, 48)}, frameXY,
                      {-halfLength, discBack + discThickness / 2});
    return {{builder.toSubMesh()}};
}

} // namespace meshgen

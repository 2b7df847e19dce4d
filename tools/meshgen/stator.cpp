// SPDX-License-Identifier: GPL-3.0-or-later
#include "extruder.h"
#include "models.h"

#include <cmath>

namespace meshgen {

namespace {

constexpr double outerRadius = 3.937 / 2;
// Inside of the ring, between the poles: a narrow ring leaves long poles for the coils to sit on.
constexpr double boreRadius = 1.65;
constexpr double tipRadius = 1.063; // the pole tips
constexpr double poleHalfWidth = 0.3;
constexpr double halfThickness = 0.787 / 2;

// The inside outline of the ring, counter-clockwise: round each of the four poles and along
// the bore between them. The pole sides run parallel to the pole's axis.
Contour boreWithPoles()
{
    const double tipReach = std::asin(poleHalfWidth / tipRadius);
    const double boreReach = std::asin(poleHalfWidth / boreRadius);
    Contour contour;
    for (int pole = 0; pole < 4; ++pole) {
        const double axis = pole * M_PI / 2;
        contour.append(arc({0, 0}, tipRadius, axis - tipReach, axis + tipReach, 10));
        contour.append(arc({0, 0}, boreRadius, axis + boreReach, axis + M_PI / 2 - boreReach, 20));
    }
    return contour;
}

} // namespace

scene::ModelGeometry makeStator()
{
    MeshBuilder builder;
    const Profile ring {circle({0, 0}, outerRadius, 128), reversed(boreWithPoles())};
    Extruder::extrude(builder, ring, frameXZ, {-halfThickness, halfThickness});
    return {{builder.toSubMesh()}};
}

} // namespace meshgen

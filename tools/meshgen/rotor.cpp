// SPDX-License-Identifier: GPL-3.0-or-later
#include "extruder.h"
#include "models.h"

#include <cmath>

namespace meshgen {

namespace {

constexpr double boreRadius = 1.063; // the stator's pole tips: the rotor turns just inside
constexpr double poleHalf = 0.787 / 2; // square pole blocks
constexpr double poleInner = 0.62;
constexpr double hubRadius = 0.32;
constexpr double hubHalfLength = 1.181 / 2;
constexpr double webHalfWidth = 0.2;
constexpr double webHalfThickness = 0.2;

// The block on the +X side; its outer face follows the bore so it clears the stator's poles.
Contour poleBlock()
{
    const double reach = std::asin(poleHalf / boreRadius);
    Contour contour {{poleInner, -poleHalf}};
    contour.append(arc({0, 0}, boreRadius, -reach, reach, 12));
    contour.append({poleInner, poleHalf});
    return contour;
}

Contour mirroredX(const Contour &contour)
{
    Contour out;
    for (const QPointF &p : contour)
        out.append(QPointF(-p.x(), p.y()));
    return reversed(out);
}

} // namespace

scene::ModelGeometry makeRotor()
{
    MeshBuilder builder;
    const Contour block = poleBlock();
    const Extruder::Options blockDepth {-poleHalf, poleHalf};
    Extruder::extrude(builder, {block}, frameXZ, blockDepth);
    Extruder::extrude(builder, {mirroredX(block)}, frameXZ, blockDepth);

    const double webEnd = poleInner + 0.08; // reaches into both blocks
    const Contour web {{-webEnd, -webHalfWidth},
                       {webEnd, -webHalfWidth},
                       {webEnd, webHalfWidth},
                       {-webEnd, webHalfWidth}};
    Extruder::extrude(builder, {web}, frameXZ, {-webHalfThickness, webHalfThickness});
    Extruder::extrude(builder, {circle({0, 0}, hubRadius, 40)}, frameXZ,
                      {-hubHalfLength, hubHalfLength});
    return {{builder.toSubMesh()}};
}

} // namespace meshgen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "profile.h"

#include <array>
#include <vector>

namespace meshgen {

/// Triangles over a profile's points. Points are the profile's own, contour after contour, then
/// any the tessellator had to add where outlines cross.
struct Triangulation
{
    QList<QPointF> points;
    std::vector<std::array<int, 3>> triangles; ///< counter-clockwise
};

/// Wraps the GLU tessellator, which copes with the self-touching and overlapping outlines that
/// font glyphs are made of.
class Tessellator
{
public:
    /// The boundary of the region the profile fills: outer outlines counter-clockwise, holes
    /// clockwise, each point once, overlaps resolved. The region is always on the left.
    static Profile tidy(const Profile &profile);

    static Triangulation triangulate(const Profile &profile);
};

} // namespace meshgen

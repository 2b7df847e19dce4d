// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frame.h"
#include "meshbuilder.h"
#include "profile.h"

namespace meshgen {

/// Builds the closed solid swept by a flat profile between two heights of a frame: a flat cap
/// at each end and side walls along every outline. Wall normals are shared across a profile
/// corner flatter than `smoothAngleDegrees` (curves look round) and split at sharper ones
/// (edges stay crisp). Texture coordinates: the caps are mapped flat over the profile's bounding
/// box, the walls run once around each outline (u) and from back to front (v).
class Extruder
{
public:
    struct Options
    {
        double back = 0.0; ///< height of the back cap
        double front = 1.0; ///< height of the front cap
        double smoothAngleDegrees = 30.0;
    };

    static void extrude(MeshBuilder &builder, const Profile &profile, const Frame &frame,
                        const Options &options);

private:
    static void addCap(MeshBuilder &builder, const Profile &profile, const Frame &frame,
                       double height, bool facingFront);
    static void addWalls(MeshBuilder &builder, const Contour &contour, const Frame &frame,
                         const Options &options);
};

} // namespace meshgen

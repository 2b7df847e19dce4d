// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/modelgeometry.h"

#include <QString>

/*
 * The ten model geometries of the scene, in each model's own units. Every model is a set of
 * closed solids whose triangles run counter-clockwise seen from outside (so the scene may cull
 * back faces), with unit normals: shared along curved surfaces, split at sharp edges. Vertex
 * positions are in the model's frame; the sub-mesh box restates their extents and centre.
 * Only the rotor, the stator and the shaft carry texture coordinates (with binormals and
 * tangents); the others leave those slots zero.
 */

namespace meshgen {

class Lettering;

/// Bar along X between two square pole blocks whose outer faces are arcs of the stator bore,
/// with a thin web and a hub along the turning axis Y. 2.126 x 1.181 x 0.787, centred.
scene::ModelGeometry makeRotor();

/// Flat ring in the X-Z plane, 0.787 thick along Y, outer radius 1.969, with four poles on the
/// X and Z axes reaching in to radius 1.063. Centred.
scene::ModelGeometry makeStator();

/// Two square windings, 27 across with a bore of radius 12.5, on the X axis either side of the
/// centre where the stator's poles are, each with two leads running outwards past the stator's
/// rim. 114.75 x 27 x 27, centred.
scene::ModelGeometry makeCoils(const std::string &materialSource);

/// Disc of radius 70 and thickness 20 across X-Y with four openings between hub and rim, and a
/// shaft of radius 12.5 running 100 out of its -Z face. 140 x 140 x 120, centred.
scene::ModelGeometry makeShaft();

/// The pole letters: S (sub-mesh 0) and N (sub-mesh 1) across X-Y, reading along +X with their
/// tops towards +Y, extruded 23 along Z.
scene::ModelGeometry makePoleLetters(const Lettering &lettering);

/// "bobine<digit>" flat in the X-Z plane, 10.5 thick along Y: it reads along +X seen from +Y,
/// with the tops of the letters towards -Z. Centred.
scene::ModelGeometry makeCoilLabel(const Lettering &lettering, int digit, double width);

} // namespace meshgen

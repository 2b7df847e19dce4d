// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/storage/modelgeometry.h"

#include <QVector3D>

#include <vector>

namespace scene {

/// p -> p * scale + offset, axis by axis.
struct AxisFit
{
    QVector3D scale {1, 1, 1};
    QVector3D offset;

    QVector3D apply(const QVector3D &p) const { return p * scale + offset; }
};

/// Where a model's stored geometry is drawn, in the model's own frame. One rule for every model:
/// - each sub-mesh fills the box its record gives (Position the centre, Width, Height, Depth
///   the extents): its vertices are stretched from their own extents onto that box. The files
///   the program carries restate their vertices' box in the record, so there this moves
///   nothing; a record that says otherwise wins;
/// - the sub-meshes' boxes together are then fitted into the model's Width x Height x Depth,
///   centred on the model's origin, with their proportions kept (the axis that is fullest
///   decides the factor).
/// A vertex p of sub-mesh i is drawn at model.apply(subMeshes[i].apply(p)). A model's
/// projection (camera or screen) changes nothing in this: both are drawn in the scene's units.
struct ModelPlacement
{
    std::vector<AxisFit> subMeshes;
    AxisFit model;

    static ModelPlacement of(const ModelGeometry &geometry, const QVector3D &box);
};

} // namespace scene

// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/modelplacement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace scene {

namespace {

QVector3D toVector(const Vector3 &v)
{
    return QVector3D(float(v.x), float(v.y), float(v.z));
}

bool isFinite(const QVector3D &v)
{
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

struct Box
{
    QVector3D low;
    QVector3D high;
};

Box vertexBox(const MeshData &mesh)
{
    if (mesh.vertices.empty())
        return {};
    constexpr float big = std::numeric_limits<float>::max();
    Box box {QVector3D(big, big, big), QVector3D(-big, -big, -big)};
    for (const MeshData::Vertex &v : mesh.vertices) {
        for (int axis = 0; axis < 3; ++axis) {
            const float c = v[MeshData::positionSlot + std::size_t(axis)];
            box.low[axis] = std::min(box.low[axis], c);
            box.high[axis] = std::max(box.high[axis], c);
        }
    }
    return box;
}

} // namespace

ModelPlacement ModelPlacement::of(const ModelGeometry &geometry, const QVector3D &box)
{
    ModelPlacement placement;
    constexpr float big = std::numeric_limits<float>::max();
    Box all {QVector3D(big, big, big), QVector3D(-big, -big, -big)};
    for (const SubMesh &subMesh : geometry.subMeshes) {
        const Box own = vertexBox(subMesh.mesh);
        QVector3D centre = toVector(subMesh.position);
        QVector3D size = toVector(subMesh.size);
        // A record that cannot be drawn leaves the vertices where they are.
        if (!isFinite(centre) || !isFinite(size)) {
            centre = (own.low + own.high) / 2.0f;
            size = own.high - own.low;
        }
        AxisFit fit;
        for (int axis = 0; axis < 3; ++axis) {
            const float extent = own.high[axis] - own.low[axis];
            fit.scale[axis] = extent > 0.0f ? size[axis] / extent : 1.0f;
            fit.offset[axis] =
                centre[axis] - (own.low[axis] + own.high[axis]) / 2.0f * fit.scale[axis];
            all.low[axis] = std::min(all.low[axis], centre[axis] - std::abs(size[axis]) / 2.0f);
            all.high[axis] = std::max(all.high[axis], centre[axis] + std::abs(size[axis]) / 2.0f);
        }
        placement.subMeshes.push_back(fit);
    }
    if (geometry.subMeshes.empty())
        return placement;

    const QVector3D extent = all.high - all.low;
    float factor = big;
    for (int axis = 0; axis < 3; ++axis) {
        if (extent[axis] > 0.0f)
            factor = std::min(factor, box[axis] / extent[axis]);
    }
    if (factor == big)
        factor = 1.0f;
    placement.model.scale = QVector3D(factor, factor, factor);
    placement.model.offset = -(all.low + all.high) / 2.0f * factor;
    return placement;
}

} // namespace scene

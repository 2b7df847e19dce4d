// SPDX-License-Identifier: GPL-3.0-or-later
#include "meshbuilder.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace meshgen {

std::uint32_t MeshBuilder::addVertex(const Vertex &vertex)
{
    using scene::MeshData;
    MeshData::Vertex record {};
    const auto put = [&](std::size_t slot, const QVector3D &v) {
        record[slot] = v.x();
        record[slot + 1] = v.y();
        record[slot + 2] = v.z();
    };
    put(MeshData::positionSlot, vertex.position);
    put(MeshData::normalSlot, vertex.normal);
    record[MeshData::texCoordSlot] = vertex.texCoord.x();
    record[MeshData::texCoordSlot + 1] = vertex.texCoord.y();
    put(MeshData::binormalSlot, vertex.binormal);
    put(MeshData::tangentSlot, vertex.tangent);
    m_mesh.vertices.push_back(record);
    return vertexCount() - 1;
}

void MeshBuilder::addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    m_mesh.indices.insert(m_mesh.indices.end(), {a, b, c});
}

std::uint32_t MeshBuilder::vertexCount() const
{
    return static_cast<std::uint32_t>(m_mesh.vertices.size());
}

void MeshBuilder::dropTextureFrame()
{
    using scene::MeshData;
    for (auto &vertex : m_mesh.vertices)
        std::fill(vertex.begin() + MeshData::texCoordSlot, vertex.end(), 0.0f);
}

scene::SubMesh MeshBuilder::toSubMesh(std::optional<std::string> materialSource) const
{
    if (m_mesh.vertices.empty())
        throw std::logic_error("a sub-mesh needs vertices");
    double low[3];
    double high[3];
    std::fill(std::begin(low), std::end(low), std::numeric_limits<double>::max());
    std::fill(std::begin(high), std::end(high), std::numeric_limits<double>::lowest());
    for (const auto &vertex : m_mesh.vertices) {
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min<double>(low[axis], vertex[axis]);
            high[axis] = std::max<double>(high[axis], vertex[axis]);
        }
    }
    scene::SubMesh subMesh;
    subMesh.position = {(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2};
    subMesh.size = {high[0] - low[0], high[1] - low[1], high[2] - low[2]};
    subMesh.locked = true;
    subMesh.hitTest = false;
    subMesh.materialSource = std::move(materialSource);
    subMesh.mesh = m_mesh;
    return subMesh;
}

} // namespace meshgen

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/submesh.h"

#include <QVector2D>
#include <QVector3D>

#include <optional>
#include <string>

namespace meshgen {

/// Collects the vertices and triangles of one sub-mesh.
class MeshBuilder
{
public:
    struct Vertex
    {
        QVector3D position;
        QVector3D normal; ///< unit length
        QVector2D texCoord;
        QVector3D binormal; ///< direction in which the texture's v grows
        QVector3D tangent; ///< direction in which the texture's u grows
    };

    std::uint32_t addVertex(const Vertex &vertex);
    /// Counter-clockwise seen from outside.
    void addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);

    std::uint32_t vertexCount() const;

    /// Clears the texture coordinates and the binormal and tangent slots, for models that
    /// carry no texture.
    void dropTextureFrame();

    /// The sub-mesh with its box taken from the vertices.
    scene::SubMesh toSubMesh(std::optional<std::string> materialSource = {}) const;

private:
    scene::MeshData m_mesh;
};

} // namespace meshgen

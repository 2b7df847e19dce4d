// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/meshgeometry.h"

#include <QByteArray>

#include <cstring>
#include <limits>

namespace scene {

MeshGeometry::MeshGeometry(const MeshData &mesh, QQuick3DObject *parent) : QQuick3DGeometry(parent)
{
    static_assert(sizeof(MeshData::Vertex) == MeshData::vertexBytes);
    QByteArray vertices(qsizetype(mesh.vertices.size() * MeshData::vertexBytes), Qt::Uninitialized);
    if (!mesh.vertices.empty())
        std::memcpy(vertices.data(), mesh.vertices.data(), std::size_t(vertices.size()));
    QByteArray indices(qsizetype(mesh.indices.size() * sizeof(std::uint32_t)), Qt::Uninitialized);
    if (!mesh.indices.empty())
        std::memcpy(indices.data(), mesh.indices.data(), std::size_t(indices.size()));

    constexpr float big = std::numeric_limits<float>::max();
    m_minimum = QVector3D(big, big, big);
    m_maximum = QVector3D(-big, -big, -big);
    for (const MeshData::Vertex &v : mesh.vertices) {
        const QVector3D p(v[MeshData::positionSlot], v[MeshData::positionSlot + 1],
                          v[MeshData::positionSlot + 2]);
        m_minimum = QVector3D(qMin(m_minimum.x(), p.x()), qMin(m_minimum.y(), p.y()),
                              qMin(m_minimum.z(), p.z()));
        m_maximum = QVector3D(qMax(m_maximum.x(), p.x()), qMax(m_maximum.y(), p.y()),
                              qMax(m_maximum.z(), p.z()));
    }
    if (mesh.vertices.empty())
        m_minimum = m_maximum = QVector3D();

    setStride(int(MeshData::vertexBytes));
    setPrimitiveType(PrimitiveType::Triangles);
    addAttribute(Attribute::PositionSemantic, int(MeshData::positionSlot * sizeof(float)),
                 Attribute::F32Type);
    addAttribute(Attribute::NormalSemantic, int(MeshData::normalSlot * sizeof(float)),
                 Attribute::F32Type);
    addAttribute(Attribute::TexCoord0Semantic, int(MeshData::texCoordSlot * sizeof(float)),
                 Attribute::F32Type);
    addAttribute(Attribute::IndexSemantic, 0, Attribute::U32Type);
    setVertexData(vertices);
    setIndexData(indices);
    setBounds(m_minimum, m_maximum);
}

} // namespace scene

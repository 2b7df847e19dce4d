// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/storage/meshdata.h"

#include <QQuick3DGeometry>
#include <QVector3D>

namespace scene {

/// The triangles of one stored sub-mesh, handed to the renderer as they are stored: 56-byte
/// vertices with the position at 0, the normal at 12 and the texture coordinates at 24, and
/// 32-bit indices.
class MeshGeometry : public QQuick3DGeometry
{
    Q_OBJECT

public:
    explicit MeshGeometry(const MeshData &mesh, QQuick3DObject *parent = nullptr);

    QVector3D minimum() const { return m_minimum; }
    QVector3D maximum() const { return m_maximum; }

private:
    QVector3D m_minimum;
    QVector3D m_maximum;
};

} // namespace scene

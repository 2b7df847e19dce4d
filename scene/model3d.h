// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/object3d.h"

#include <QList>

namespace scene {

class Mesh;

/// A 3D object drawn from a stored model: its sub-meshes, in the order the model file holds
/// them, each with its own material.
class Model3D : public Object3D
{
    Q_OBJECT

public:
    Model3D(QObject *node, QObject *parent);

    QList<Mesh *> meshes() const { return m_meshes; }
    /// Sub-mesh @p index; throws toolkit::Exception when there is no such sub-mesh.
    Mesh *mesh(qsizetype index) const;

    void appendMesh(Mesh *mesh) { m_meshes.append(mesh); }

private:
    QList<Mesh *> m_meshes;
};

} // namespace scene

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/object3d.h"

#include <QList>
#include <QPointer>
#include <QQmlListProperty>

namespace scene {

class Material;
class Mesh;
class MeshGeometry;

/// A 3D object drawn from a stored model: its geometry, fitted into the object's size, and its
/// sub-meshes, in the order the model file holds them, each with its own material.
class Model3D : public scene::Object3D
{
    Q_OBJECT
    QML_NAMED_ELEMENT(FormModel)
    Q_PROPERTY(scene::MeshGeometry *geometry READ geometry WRITE setGeometry NOTIFY geometryChanged)
    /// The materials that draw the sub-meshes, in their order, up to the first sub-mesh that has
    /// none.
    Q_PROPERTY(QQmlListProperty<QObject> surfaces READ surfaces NOTIFY surfacesChanged)

public:
    explicit Model3D(QObject *parent = nullptr);

    MeshGeometry *geometry() const;
    void setGeometry(MeshGeometry *geometry);

    QList<Mesh *> meshes() const { return m_meshes; }
    /// Sub-mesh @p index; throws toolkit::Exception when there is no such sub-mesh.
    Mesh *mesh(qsizetype index) const;

    /// Gives the model one sub-mesh per sub-mesh of its geometry, sub-mesh i drawn with
    /// @p materials[i] (none when the list is shorter or holds nullptr).
    void createMeshes(const QList<Material *> &materials);

    QQmlListProperty<QObject> surfaces();

Q_SIGNALS:
    void geometryChanged();
    void surfacesChanged();

private:
    QPointer<MeshGeometry> m_geometry;
    void updateSurfaces();

    QList<Mesh *> m_meshes;
    QList<QObject *> m_surfaces;
};

} // namespace scene

// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/model3d.h"

#include "scene/material.h"
#include "scene/mesh.h"
#include "scene/meshgeometry.h"

#include "toolkit/exception.h"

namespace scene {

Model3D::Model3D(QObject *parent) : Object3D(parent)
{
    // The geometry fills the object's box.
    connect(this, &Object3D::sizeChanged, this, [this] {
        if (m_geometry)
            m_geometry->setBox(size());
    });
}

MeshGeometry *Model3D::geometry() const
{
    return m_geometry;
}

void Model3D::setGeometry(MeshGeometry *geometry)
{
    if (geometry == m_geometry)
        return;
    m_geometry = geometry;
    if (m_geometry)
        m_geometry->setBox(size());
    Q_EMIT geometryChanged();
}

Mesh *Model3D::mesh(qsizetype index) const
{
    if (index < 0 || index >= m_meshes.size()) {
        throw toolkit::Exception(tr("Sous-maillage %1 hors limites pour %2 (%3 sous-maillages)")
                                     .arg(index)
                                     .arg(objectName())
                                     .arg(m_meshes.size()));
    }
    return m_meshes.at(index);
}

void Model3D::createMeshes(const QList<Material *> &materials)
{
    qDeleteAll(m_meshes);
    m_meshes.clear();
    const qsizetype count = m_geometry ? m_geometry->storedMaterials().size() : 0;
    for (qsizetype i = 0; i < count; ++i) {
        auto *mesh = new Mesh(this);
        mesh->setMaterialSource(materials.value(i));
        connect(mesh, &Mesh::materialSourceChanged, this, &Model3D::updateSurfaces);
        m_meshes.append(mesh);
    }
    updateSurfaces();
}

QQmlListProperty<QObject> Model3D::surfaces()
{
    using List = QQmlListProperty<QObject>;
    return List(
        this, &m_surfaces,
        [](List *list) { return static_cast<QList<QObject *> *>(list->data)->size(); },
        [](List *list, qsizetype i) { return static_cast<QList<QObject *> *>(list->data)->at(i); });
}

void Model3D::updateSurfaces()
{
    QList<QObject *> surfaces;
    for (const Mesh *mesh : std::as_const(m_meshes)) {
        const Material *material = mesh->materialSource();
        if (!material || !material->surface())
            break;
        surfaces.append(material->surface());
    }
    if (surfaces == m_surfaces)
        return;
    m_surfaces = surfaces;
    Q_EMIT surfacesChanged();
}

} // namespace scene

#include "moc_model3d.cpp"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/model3d.h"

#include "toolkit/exception.h"

namespace scene {

Model3D::Model3D(QObject *node, QObject *parent) : Object3D(node, parent) { }

Mesh *Model3D::mesh(qsizetype index) const
{
    if (index < 0 || index >= m_meshes.size()) {
        throw toolkit::Exception(
            QStringLiteral("Sous-maillage %1 hors limites pour %2 (%3 sous-maillages)")
                .arg(index)
                .arg(objectName())
                .arg(m_meshes.size()));
    }
    return m_meshes.at(index);
}

} // namespace scene

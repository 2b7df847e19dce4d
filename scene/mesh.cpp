// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/mesh.h"

#include "scene/material.h"

namespace scene {

Mesh::Mesh(QObject *parent) : QObject(parent) { }

void Mesh::setMaterialSource(Material *material)
{
    if (material == m_material)
        return;
    m_material = material;
    Q_EMIT materialSourceChanged();
}

} // namespace scene

// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/mesh.h"

#include "scene/material.h"

namespace scene {

Mesh::Mesh(QObject *model, std::function<void(QObject *, QObject *)> setMaterial, QObject *parent)
    : QObject(parent), m_model(model), m_setMaterial(std::move(setMaterial))
{ }

void Mesh::setMaterialSource(Material *material)
{
    m_material = material;
    if (m_model && m_setMaterial)
        m_setMaterial(m_model, material ? material->material() : nullptr);
}

} // namespace scene

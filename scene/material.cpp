// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/material.h"

namespace scene {

Material::Material(QObject *parent) : QObject(parent) { }

void Material::setSurface(QObject *surface)
{
    if (surface == m_surface)
        return;
    m_surface = surface;
    Q_EMIT surfaceChanged();
}

} // namespace scene

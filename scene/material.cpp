// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/material.h"

#include <QUrl>
#include <QVariant>

namespace scene {

Material::Material(QObject *material, QObject *parent) : QObject(parent), m_material(material)
{
    if (material)
        setObjectName(material->objectName());
}

QColor Material::colour(const char *name) const
{
    return m_material ? m_material->property(name).value<QColor>() : QColor();
}

QColor Material::diffuse() const
{
    return colour("diffuse");
}

QColor Material::ambient() const
{
    return colour("ambient");
}

QColor Material::emissive() const
{
    return colour("emissive");
}

QColor Material::specular() const
{
    return colour("specular");
}

float Material::shininess() const
{
    return m_material ? m_material->property("shininess").toFloat() : 0.0f;
}

QString Material::textureSource() const
{
    return m_material ? m_material->property("textureSource").toUrl().toString() : QString();
}

} // namespace scene

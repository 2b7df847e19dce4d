// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/object3d.h"

#include <QVariant>

namespace scene {

Object3D::Object3D(QObject *node, QObject *parent) : QObject(parent), m_node(node)
{
    if (node)
        setObjectName(node->objectName());
}

namespace {
QVector3D vectorProperty(const QObject *node, const char *name, QVector3D fallback = {})
{
    return node ? node->property(name).value<QVector3D>() : fallback;
}
} // namespace

QVector3D Object3D::position() const
{
    return vectorProperty(m_node, "position");
}

void Object3D::setPosition(const QVector3D &position)
{
    if (m_node)
        m_node->setProperty("position", position);
}

void Object3D::setPositionX(float x)
{
    QVector3D p = position();
    p.setX(x);
    setPosition(p);
}

QVector3D Object3D::rotationAngle() const
{
    return vectorProperty(m_node, "rotationAngle");
}

void Object3D::setRotationAngle(const QVector3D &degrees)
{
    if (!m_node)
        return;
    m_node->setProperty("rotationAngle", degrees);
    Q_EMIT rotationAngleChanged(degrees);
}

void Object3D::setRotationAngleY(float degrees)
{
    QVector3D r = rotationAngle();
    r.setY(degrees);
    setRotationAngle(r);
}

void Object3D::setRotationAngleZ(float degrees)
{
    QVector3D r = rotationAngle();
    r.setZ(degrees);
    setRotationAngle(r);
}

QVector3D Object3D::scale() const
{
    return vectorProperty(m_node, "scale", {1, 1, 1});
}

QVector3D Object3D::size() const
{
    return vectorProperty(m_node, "size", {1, 1, 1});
}

int Object3D::projection() const
{
    return m_node ? m_node->property("projection").toInt() : 0;
}

bool Object3D::isVisible() const
{
    return m_node && m_node->property("visible").toBool();
}

void Object3D::setVisible(bool visible)
{
    if (m_node)
        m_node->setProperty("visible", visible);
}

} // namespace scene

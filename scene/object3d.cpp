// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/object3d.h"

namespace scene {

Object3D::Object3D(QObject *parent) : QObject(parent) { }

void Object3D::setPosition(const QVector3D &position)
{
    if (position == m_position)
        return;
    m_position = position;
    Q_EMIT positionChanged();
}

void Object3D::setPositionX(float x)
{
    setPosition(QVector3D(x, m_position.y(), m_position.z()));
}

void Object3D::setRotationAngle(const QVector3D &degrees)
{
    if (degrees == m_rotationAngle)
        return;
    m_rotationAngle = degrees;
    Q_EMIT rotationAngleChanged();
}

void Object3D::setRotationAngleY(float degrees)
{
    setRotationAngle(QVector3D(m_rotationAngle.x(), degrees, m_rotationAngle.z()));
}

void Object3D::setRotationAngleZ(float degrees)
{
    setRotationAngle(QVector3D(m_rotationAngle.x(), m_rotationAngle.y(), degrees));
}

void Object3D::setScale(const QVector3D &scale)
{
    if (scale == m_scale)
        return;
    m_scale = scale;
    Q_EMIT scaleChanged();
}

void Object3D::setSize(const QVector3D &size)
{
    if (size == m_size)
        return;
    m_size = size;
    Q_EMIT sizeChanged();
}

void Object3D::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    Q_EMIT visibleChanged();
}

} // namespace scene

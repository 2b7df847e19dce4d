// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QVector3D>

namespace scene {

/// A handle on one object of the 3D scene: position, rotation angles (degrees, applied about Y,
/// then X, then Z; never wrapped to a turn), scale, size and visibility, in the form's
/// conventions (+Y down on screen). Writes go to the scene at once; the scene redraws on its next
/// frame.
class Object3D : public QObject
{
    Q_OBJECT

public:
    /// @p node is the scene's object, which the scene owns; the handle is a child of @p parent.
    Object3D(QObject *node, QObject *parent);

    QVector3D position() const;
    void setPosition(const QVector3D &position);
    float positionX() const { return position().x(); }
    void setPositionX(float x);

    QVector3D rotationAngle() const;
    void setRotationAngle(const QVector3D &degrees);
    void setRotationAngleY(float degrees);
    void setRotationAngleZ(float degrees);

    QVector3D scale() const;
    QVector3D size() const;
    /// 0 for the camera's perspective, 1 for screen projection.
    int projection() const;

    bool isVisible() const;
    void setVisible(bool visible);

    QObject *node() const { return m_node; }

Q_SIGNALS:
    /// A rotation was written: @p degrees about X, Y and Z, as set.
    void rotationAngleChanged(const QVector3D &degrees);

private:
    QPointer<QObject> m_node;
};

} // namespace scene

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QVector3D>
#include <QtQmlIntegration>

namespace scene {

/// One object of the window's 3D scene as the program reads and writes it: position, rotation
/// angles (degrees, applied about Y, then X, then Z; never wrapped to a turn), scale, size and
/// visibility, in the form's conventions (+Y down on screen). The scene description declares
/// each object with its values; a node of the scene draws it and follows every change on its
/// next frame.
class Object3D : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(FormObject)
    Q_PROPERTY(QVector3D position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(QVector3D rotationAngle READ rotationAngle WRITE setRotationAngle NOTIFY
                   rotationAngleChanged)
    Q_PROPERTY(QVector3D scale READ scale WRITE setScale NOTIFY scaleChanged)
    /// The box the object fills: width, height, depth.
    Q_PROPERTY(QVector3D size READ size WRITE setSize NOTIFY sizeChanged)
    Q_PROPERTY(bool visible READ isVisible WRITE setVisible NOTIFY visibleChanged)
    /// Part of the form's description; it changes nothing in how the object is drawn: objects
    /// of either projection are drawn in the scene's units.
    Q_PROPERTY(Projection projection MEMBER m_projection)

public:
    enum Projection { CameraProjection, ScreenProjection };
    Q_ENUM(Projection)

    explicit Object3D(QObject *parent = nullptr);

    QVector3D position() const { return m_position; }
    void setPosition(const QVector3D &position);
    float positionX() const { return m_position.x(); }
    void setPositionX(float x);

    QVector3D rotationAngle() const { return m_rotationAngle; }
    void setRotationAngle(const QVector3D &degrees);
    void setRotationAngleY(float degrees);
    void setRotationAngleZ(float degrees);

    QVector3D scale() const { return m_scale; }
    void setScale(const QVector3D &scale);

    QVector3D size() const { return m_size; }
    void setSize(const QVector3D &size);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

Q_SIGNALS:
    void positionChanged();
    void rotationAngleChanged();
    void scaleChanged();
    void sizeChanged();
    void visibleChanged();

private:
    QVector3D m_position;
    QVector3D m_rotationAngle;
    QVector3D m_scale {1, 1, 1};
    QVector3D m_size {1, 1, 1};
    bool m_visible = true;
    Projection m_projection = CameraProjection;
};

} // namespace scene

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QTimer>
#include <QtQmlIntegration>

namespace scene {

class Object3D;

/// Smooth edges for the still picture only.
///
/// Progressive anti-aliasing refines a picture over a few extra frames once nothing changes,
/// but it needs the scene drawn into a texture of its own, which costs a software renderer
/// about as much again as the scene while things move; every change starts it over, and while
/// things move it asks for frames of its own on top of those the motion needs. So from the
/// moment anything moves the scene is drawn straight into the window without it (`smooth`
/// false), and once nothing has moved for stillAfterMs it is drawn with it: a few frames later
/// the edges are smooth and drawing stops.
class StillSmoothing : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The scene view makes the one that follows its objects")
    Q_PROPERTY(bool smooth READ isSmooth NOTIFY smoothChanged)

public:
    /// Longer than the longest wait between two moves of a trace (a stepper step at 0 %: 11
    /// points of 50 ms), so that a running trace never switches back and forth.
    static constexpr int stillAfterMs = 600;

    explicit StillSmoothing(QObject *parent = nullptr);

    /// Counts the moves, turns, scaling and showing or hiding of @p objects as motion.
    void watch(const QList<Object3D *> &objects);

    bool isSmooth() const { return m_smooth; }

Q_SIGNALS:
    void smoothChanged();

private:
    void moved();
    void setSmooth(bool smooth);

    QTimer m_still;
    bool m_smooth = true;
};

} // namespace scene

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace scene {

/// Smooth edges for the still picture only.
///
/// Progressive anti-aliasing refines a picture over a few extra frames once nothing changes,
/// but it needs the scene drawn into a texture of its own, which costs a software renderer
/// about as much again as the scene while things move; every change starts it over, and while
/// things move it asks for frames of its own on top of those the motion needs. So from the
/// moment anything moves the scene is drawn straight into the window without it, and once
/// nothing has moved for stillAfterMs it is drawn with it: a few frames later the edges are
/// smooth and drawing stops.
class StillSmoothing : public QObject
{
    Q_OBJECT

public:
    /// Longer than the longest wait between two moves of a trace (a stepper step at 0 %: 11
    /// points of 50 ms), so that a running trace never switches back and forth.
    static constexpr int stillAfterMs = 600;

    /// @p scene holds the flag `smoothEdges`; @p nodes are the scene's objects whose moves,
    /// turns, scaling and showing or hiding count as motion.
    StillSmoothing(QObject *scene, const QList<QObject *> &nodes, QObject *parent);

private Q_SLOTS:
    void moved();

private:
    void setSmooth(bool smooth);

    QPointer<QObject> m_scene;
    QTimer m_still;
};

} // namespace scene

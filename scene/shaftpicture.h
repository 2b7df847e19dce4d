// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/drawnspin.h"

#include "toolkit/floatanimation.h"
#include "toolkit/lessonclock.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QtQmlIntegration>

#include <algorithm>
#include <atomic>

class QQuickWindow;

namespace scene {

class Object3D;

/// The DC motor's shaft as the window shows it: which of its two turning animations moves it,
/// at what true rate, and how that turn is drawn.
///
/// The animations keep their values: the shaft's RotationAngle.Z turns at 360° per Duration.
/// Once a frame would have to show more of a turn than the eye can follow, the picture turns
/// its own way instead (see DrawnSpin): the true way, at a followable step, its openings
/// smeared more as the true rate grows. The scene draws the shaft as the properties below say.
///
/// The picture moves with the lesson's time, as the animations do: held, it keeps the angle and
/// the smear it shows, like a photograph of the moment; slowed, the same picture turns slower;
/// a step of the held lesson moves it on as a frame of the normal pace would over that time.
class ShaftPicture : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The scene view makes the one that follows its frames")
    /// Whether the drawn turn about Z is ownAngleZ rather than the shaft's own angle: while the
    /// turn is too fast to follow, and afterwards, offset from the true angle by what the
    /// picture had turned its own way, so that the picture never jumps.
    Q_PROPERTY(bool drawsOwnAngle READ drawsOwnAngle NOTIFY drawnChanged)
    /// The drawn turn about Z, in degrees, while drawsOwnAngle.
    Q_PROPERTY(double ownAngleZ READ ownAngleZ NOTIFY drawnChanged)
    /// Without smear, ownAngleZ is the shaft's own angle plus this: the scene adds it to the true
    /// angle itself, so that every step of the true turn still asks for a frame.
    Q_PROPERTY(double offsetZ READ offsetZ NOTIFY drawnChanged)
    /// How far the openings are smeared: 0 sharp, 1 over a whole opening.
    Q_PROPERTY(double smear READ smear NOTIFY drawnChanged)
    /// The way the spokes move about the disc's own Z: +1 or -1.
    Q_PROPERTY(double smearSense READ smearSense NOTIFY drawnChanged)

public:
    /// The picture is drawn on @p window's frames.
    explicit ShaftPicture(QQuickWindow *window, QObject *parent = nullptr);

    /// The turning model (`axe`).
    void setShaft(Object3D *shaft);

    /// The lesson's clock, which the drawn turn follows; without one, the wall's time.
    void setClock(toolkit::LessonClock *clock) { m_lesson = clock; }

    /// The two animations that turn the shaft, one each way.
    void setAnimations(toolkit::FloatAnimation *forward, toolkit::FloatAnimation *backward);

    /// The animation whose turn the shaft shows, nullptr when it is still. Both may run at once:
    /// Qt advances running animations in the order they started, so the one enabled last
    /// writes the shaft's angle last in every frame, and that is the one shown.
    toolkit::FloatAnimation *shownAnimation() const;
    /// The true rate of the turn the shaft shows, in degrees per second, signed like the
    /// animation's turn; 0 when it is still. A Duration of 0 counts as
    /// DrawnSpin::zeroPeriodSeconds per turn.
    double degreesPerSecond() const;

    /// How the last frame drew the turn.
    DrawnSpin drawn() const { return m_drawn; }

    /// Frames shown per second: as measured, and no more than the screen's refresh rate.
    double framesPerSecond() const { return std::min(m_framesPerSecond.load(), m_refreshRate); }

    bool drawsOwnAngle() const { return m_drawsOwnAngle; }
    double ownAngleZ() const { return m_ownAngle; }
    double offsetZ() const { return m_offset; }
    double smear() const { return m_drawn.smear; }
    double smearSense() const { return m_smearSense; }

Q_SIGNALS:
    void drawnChanged();
    /// shownAnimation() or degreesPerSecond() may have changed: one of the animations was
    /// enabled or disabled, or given another duration.
    void turnChanged();

private:
    void onFrameSetUp();
    /// Nanoseconds of the time the picture follows.
    qint64 nowNs() const;

    QPointer<Object3D> m_shaft;
    QPointer<toolkit::FloatAnimation> m_forward;
    QPointer<toolkit::FloatAnimation> m_backward;
    QPointer<toolkit::FloatAnimation> m_lastEnabled;
    QPointer<toolkit::LessonClock> m_lesson;
    QElapsedTimer m_clock;
    qint64 m_lastSetUpNs = 0;
    double m_refreshRate = 60.0;
    // Measured where frames are swapped, which may be the render thread.
    std::atomic<double> m_framesPerSecond {60.0};
    std::atomic<qint64> m_lastShownNs {0};
    // The frame rate the picture is drawn for: the one measured, kept while the lesson is held.
    double m_drawnRate = 60.0;
    // What the last frame drew about Z (whichever angle drew it), and how far the picture lies
    // from the true angle while it follows the true turn: it keeps the phase it had when it left
    // the fast picture or when a turn started again, so that it never jumps.
    double m_ownAngle = 0.0;
    bool m_drawsOwnAngle = false;
    double m_offset = 0.0;
    double m_toldOffset = 0.0;
    bool m_started = false;
    bool m_wasFast = false;
    bool m_turnRestarted = false;
    double m_smearSense = 1.0;
    DrawnSpin m_drawn;
};

} // namespace scene

// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/shaftpicture.h"

#include "scene/object3d.h"

#include "toolkit/floatanimation.h"

#include <QQuickWindow>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace scene {

namespace {

// Frames further apart than this belong to different runs: they say nothing of the frame rate.
constexpr qint64 kLongestFrameNs = 200'000'000;

} // namespace

ShaftPicture::ShaftPicture(QQuickWindow *window, QObject *parent) : QObject(parent)
{
    Q_ASSERT(window);
    m_clock.start();
    if (window->screen() && window->screen()->refreshRate() > 0)
        m_refreshRate = window->screen()->refreshRate();
    m_framesPerSecond.store(m_refreshRate);
    // The rate at which pictures reach the screen is what the eye samples the turn at: the
    // swaps, timed where they happen (a signal queued to this thread would arrive in bursts),
    // but no more than the screen's refresh rate, however many are drawn.
    connect(
        window, &QQuickWindow::frameSwapped, this,
        [this] {
            const qint64 now = m_clock.nsecsElapsed();
            const qint64 interval = now - m_lastShownNs.exchange(now);
            if (interval > 0 && interval < kLongestFrameNs) {
                const double fps = m_framesPerSecond.load();
                m_framesPerSecond.store(fps + (1e9 / double(interval) - fps) * 0.1);
            }
        },
        Qt::DirectConnection);
    // On the GUI thread, before a frame takes the scene's state: what is set here is drawn.
    connect(window, &QQuickWindow::afterAnimating, this, &ShaftPicture::onFrameSetUp);
}

void ShaftPicture::setShaft(Object3D *shaft)
{
    m_shaft = shaft;
}

void ShaftPicture::setAnimations(toolkit::FloatAnimation *forward,
                                 toolkit::FloatAnimation *backward)
{
    m_forward = forward;
    m_backward = backward;
    for (toolkit::FloatAnimation *animation : {forward, backward}) {
        if (!animation)
            continue;
        connect(animation, &toolkit::FloatAnimation::enabledChanged, this,
                [this, animation](bool enabled) {
                    if (enabled)
                        m_lastEnabled = animation;
                    m_turnRestarted = true;
                    Q_EMIT turnChanged();
                });
        connect(animation, &toolkit::FloatAnimation::durationChanged, this,
                &ShaftPicture::turnChanged);
    }
}

toolkit::FloatAnimation *ShaftPicture::shownAnimation() const
{
    if (m_lastEnabled && m_lastEnabled->isRunning())
        return m_lastEnabled;
    for (toolkit::FloatAnimation *animation : {m_forward.data(), m_backward.data()}) {
        if (animation && animation->isRunning())
            return animation;
    }
    return nullptr;
}

double ShaftPicture::degreesPerSecond() const
{
    const toolkit::FloatAnimation *animation = shownAnimation();
    if (!animation)
        return 0.0;
    return DrawnSpin::loopRate(animation->startValue(), animation->stopValue(),
                               animation->duration());
}

qint64 ShaftPicture::nowNs() const
{
    if (m_lesson)
        return m_lesson->now().time_since_epoch().count();
    return m_clock.nsecsElapsed();
}

void ShaftPicture::onFrameSetUp()
{
    // The frames are the wall's, the turn they show the lesson's: a held lesson draws the turn
    // where it stands, and a slowed one moves it on by less at each frame.
    const qint64 now = nowNs();
    const double seconds = double(std::min(now - m_lastSetUpNs, kLongestFrameNs)) / 1e9;
    m_lastSetUpNs = now;
    if (!m_shaft)
        return;

    // Held, the picture is a photograph: the frames drawn meanwhile, however few, change
    // neither its step nor its smear.
    if (!m_lesson || !m_lesson->isPaused())
        m_drawnRate = framesPerSecond();
    const DrawnSpin drawn = DrawnSpin::of(degreesPerSecond(), m_drawnRate);
    const double trueAngle = double(m_shaft->rotationAngle().z());
    if (!m_started) {
        m_ownAngle = trueAngle;
        m_started = true;
    }
    const bool fast = drawn.smear > 0.0;
    double angle = trueAngle + m_offset;
    if (fast) {
        // Frames may be set up more often than they are shown: the drawn turn follows the
        // lesson's clock, at the drawn step per frame shown (at the normal pace), from what
        // was drawn last.
        angle = m_ownAngle + drawn.stepDegrees * m_drawnRate * seconds;
        // The disc's own frame is turned half a turn about Y: a turn about the scene's Z
        // runs the other way in it.
        m_smearSense = drawn.stepDegrees > 0 ? -1.0 : 1.0;
    } else if (m_wasFast || m_turnRestarted) {
        // Leaving the fast picture, or a turn started again from its first value (or handed
        // to the other animation): the true angle may be anywhere, the picture goes on from
        // where it is and follows the true turn from there.
        m_offset = std::fmod(m_ownAngle - trueAngle, 360.0);
        angle = m_ownAngle;
    }
    m_turnRestarted = false;
    m_wasFast = fast;
    angle = std::fmod(angle, 360.0);
    const bool ownAngle = fast || m_offset != 0.0;
    // The scene reads the offset only when told: a new one must be told even when the angle
    // drawn stays where it was.
    const bool changed = ownAngle != m_drawsOwnAngle || drawn.smear != m_drawn.smear
        || (ownAngle && angle != m_ownAngle) || m_offset != m_toldOffset;
    m_toldOffset = m_offset;
    m_ownAngle = angle;
    m_drawsOwnAngle = ownAngle;
    m_drawn = drawn;
    if (changed)
        Q_EMIT drawnChanged();
}

} // namespace scene

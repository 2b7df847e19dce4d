// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/lessonclock.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace toolkit {

/// Moves one float property of the object it belongs to from startValue() to stopValue() over
/// duration() seconds, once or in a loop.
///
/// The enabled flag, not the running state, is what the window's handlers work with:
/// - setEnabled(true) on a disabled animation writes startValue() at once and starts it;
/// - setEnabled(true) on an enabled animation does nothing, even when it has run to its end
///   (a finished animation stays enabled and leaves its property at stopValue());
/// - setEnabled(false) stops it where it is and re-arms it for the next setEnabled(true).
/// That is why a handler disables the partner of a pair before enabling the one it wants.
///
/// A looping animation whose duration is 0 (or negative) cannot take zero time per pass; it
/// runs at minimumLoopPeriod() seconds per pass instead, so it turns fast and steadily at the
/// ordinary frame rate rather than spinning the event loop.
///
/// An animation that moves with the lesson follows the lesson's clock (setClock()): held, it
/// keeps its value and still counts as running, a step of the held lesson moves it on by the
/// step's time, and a slowed lesson slows it. The others follow the wall's time.
class FloatAnimation : public QObject
{
    Q_OBJECT

public:
    using Setter = std::function<void(float)>;

    /// @p propertyName names the property for people and tests ("Position.X"); @p apply, which
    /// must be callable, writes a value to it. The animation is a child of @p parent, the object it
    /// moves.
    FloatAnimation(QObject *parent, const QString &propertyName, Setter apply);
    ~FloatAnimation() override;

    QString propertyName() const { return m_propertyName; }

    /// The lesson's clock, for an animation that moves with the lesson; nullptr for the wall's
    /// time. Set before the animation is first enabled.
    void setClock(LessonClock *clock);
    LessonClock *clock() const { return m_clock; }

    float startValue() const { return m_startValue; }
    void setStartValue(float value) { m_startValue = value; }
    float stopValue() const { return m_stopValue; }
    void setStopValue(float value) { m_stopValue = value; }

    /// Seconds per pass now in force. Usually written just before enabling; written to a run
    /// that is going, it takes effect at once: the property goes on from where it stands at the
    /// new pace, without a jump, and the passes that follow take the new time.
    float duration() const { return m_duration; }
    void setDuration(float seconds);

    bool loop() const { return m_loop; }
    void setLoop(bool loop) { m_loop = loop; }

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    /// True while the property is being moved (enabled and not yet at its end), also while the
    /// lesson it moves with is held.
    bool isRunning() const { return m_running; }

    /// Seconds per pass used for a looping animation whose duration is not positive.
    static constexpr float minimumLoopPeriod() { return 0.08f; }

Q_SIGNALS:
    /// A non-looping run has reached stopValue().
    void finished();
    /// setEnabled() changed the enabled flag; the run has started or stopped by then.
    void enabledChanged(bool enabled);
    /// setDuration() put another duration in force.
    void durationChanged(float seconds);

private:
    class Driver;
    using TimePoint = LessonClock::time_point;
    TimePoint now() const;
    void start();
    void stop();
    /// Writes the value the time now gives, and ends a one-shot run that has reached its end.
    void advance();
    void followHeldLesson();
    void followLessonTime();
    /// Seconds per pass, as the timer keeps them: whole milliseconds.
    std::chrono::milliseconds pass() const;

    QString m_propertyName;
    Setter m_apply;
    QPointer<LessonClock> m_clock;
    float m_startValue = 0.0f;
    float m_stopValue = 0.0f;
    float m_duration = 0.2f;
    bool m_loop = false;
    bool m_enabled = false;
    bool m_running = false;
    // When the pass under way would have begun at the pace in force.
    TimePoint m_passStart;
    std::unique_ptr<Driver> m_driver;
};

} // namespace toolkit

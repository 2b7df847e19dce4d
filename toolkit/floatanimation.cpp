// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floatanimation.h"

#include <QAbstractAnimation>

#include <algorithm>
#include <cmath>

namespace toolkit {

// Qt's animation timer gives the ticks, at the frame rate, and only while a run needs them; the
// value written at each tick is worked out from the clock the animation follows.
class FloatAnimation::Driver : public QAbstractAnimation
{
public:
    explicit Driver(FloatAnimation *owner) : m_owner(owner) { }

    int duration() const override { return -1; }

protected:
    void updateCurrentTime(int time) override
    {
        // Time 0 is the start itself, whose value the owner has written.
        if (state() == QAbstractAnimation::Running && time > 0)
            m_owner->advance();
    }

private:
    FloatAnimation *m_owner;
};

FloatAnimation::FloatAnimation(QObject *parent, const QString &propertyName, Setter apply)
    : QObject(parent)
    , m_propertyName(propertyName)
    , m_apply(std::move(apply))
    , m_driver(std::make_unique<Driver>(this))
{
    Q_ASSERT(m_apply);
}

FloatAnimation::~FloatAnimation()
{
    // Stop before the setter (which may capture objects being destroyed) can be called again.
    m_driver->stop();
}

void FloatAnimation::setClock(LessonClock *clock)
{
    if (m_clock)
        disconnect(m_clock, nullptr, this, nullptr);
    m_clock = clock;
    if (!clock)
        return;
    connect(clock, &LessonClock::pausedChanged, this, &FloatAnimation::followHeldLesson);
    connect(clock, &LessonClock::timeChanged, this, &FloatAnimation::followLessonTime);
}

FloatAnimation::TimePoint FloatAnimation::now() const
{
    if (m_clock)
        return m_clock->now();
    return TimePoint(std::chrono::steady_clock::now().time_since_epoch());
}

void FloatAnimation::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        start();
    else
        stop();
    Q_EMIT enabledChanged(enabled);
}

void FloatAnimation::setDuration(float seconds)
{
    const bool changed = seconds != m_duration;
    if (m_running) {
        // The same share of the pass at the new length is the same value: the run goes on from
        // there.
        const TimePoint at = now();
        const double before = double(pass().count());
        const double share = before > 0
            ? (at - m_passStart) / std::chrono::duration<double, std::milli>(before)
            : 0.0;
        m_duration = seconds;
        const auto length = std::chrono::duration<double, std::milli>(double(pass().count()));
        m_passStart = at
            - std::chrono::duration_cast<LessonClock::duration>(
                          length * (m_loop ? share - std::floor(share) : std::min(share, 1.0)));
        advance();
    } else {
        m_duration = seconds;
    }
    if (changed)
        Q_EMIT durationChanged(seconds);
}

std::chrono::milliseconds FloatAnimation::pass() const
{
    const float seconds = (std::isfinite(m_duration) && m_duration > 0.0f) ? m_duration : 0.0f;
    if (m_loop && seconds <= 0.0f)
        return std::chrono::milliseconds(std::lround(minimumLoopPeriod() * 1000.0f));
    // Durations beyond a day are no use on screen and would overflow the millisecond count.
    return std::chrono::milliseconds(std::lround(std::min(seconds, 86400.0f) * 1000.0f));
}

void FloatAnimation::start()
{
    m_driver->stop();
    m_passStart = now();
    m_running = true;
    m_apply(m_startValue);
    if (pass().count() == 0) {
        // A one-shot run of zero length is over as soon as it starts.
        advance();
        return;
    }
    m_driver->start();
    if (m_clock && m_clock->isPaused())
        m_driver->pause();
}

void FloatAnimation::stop()
{
    m_driver->stop();
    m_running = false;
}

void FloatAnimation::advance()
{
    if (!m_running)
        return;
    const auto length = std::chrono::duration<double, std::milli>(double(pass().count()));
    double progress = length.count() > 0 ? (now() - m_passStart) / length : 1.0;
    if (m_loop) {
        progress -= std::floor(progress);
    } else if (progress >= 1.0) {
        m_driver->stop();
        m_running = false;
        m_apply(m_stopValue);
        Q_EMIT finished();
        return;
    }
    progress = std::max(progress, 0.0);
    m_apply(float(double(m_startValue) + (double(m_stopValue) - double(m_startValue)) * progress));
}

void FloatAnimation::followHeldLesson()
{
    if (!m_running)
        return;
    // Held, the run keeps its value and asks for no ticks: nothing is drawn for it.
    if (m_clock->isPaused())
        m_driver->pause();
    else
        m_driver->resume();
}

void FloatAnimation::followLessonTime()
{
    // A step of the held lesson: the run moves on by the step's time at once.
    if (m_running && m_clock->isPaused())
        advance();
}

} // namespace toolkit

// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/floatanimation.h"

#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

namespace toolkit {

// Qt's animation timer paces the passes; updateCurrentValue() is called on every tick, also
// when the value did not change, so the property is written even right after a restart. It is
// also called when the key values are set on a stopped run, and with a value of no meaning while
// a running pass is given a new length: those calls must not reach the property, which belongs
// to whatever the window (or the pass) set last.
class FloatAnimation::Driver : public QVariantAnimation
{
public:
    explicit Driver(FloatAnimation *owner) : m_owner(owner) { }

protected:
    void updateCurrentValue(const QVariant &value) override
    {
        if (state() == QAbstractAnimation::Running && !m_owner->m_quiet)
            m_owner->m_apply(value.toFloat());
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
    connect(m_driver.get(), &QAbstractAnimation::finished, this, &FloatAnimation::finished);
}

FloatAnimation::~FloatAnimation()
{
    // Stop before the setter (which may capture objects being destroyed) can be called again.
    m_driver->stop();
}

void FloatAnimation::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        start();
    else
        m_driver->stop();
    Q_EMIT enabledChanged(enabled);
}

void FloatAnimation::setDuration(float seconds)
{
    const bool changed = seconds != m_duration;
    m_duration = seconds;
    if (isRunning())
        keepPlaceAtNewPace();
    if (changed)
        Q_EMIT durationChanged(seconds);
}

void FloatAnimation::keepPlaceAtNewPace()
{
    const int before = m_driver->duration();
    const double share = before > 0 ? double(m_driver->currentLoopTime()) / before : 0.0;
    const int ms = passMilliseconds();
    if (ms == 0) {
        // Only a one-shot run can be given no time at all: it is over now.
        finishNow();
        return;
    }
    // The same share of the pass at the new length is the same value; the timer goes on from
    // there. The driver's own recomputation in between would write a value of the old time
    // over the new length: keep it from the property.
    m_quiet = true;
    m_driver->setDuration(ms);
    m_quiet = false;
    m_driver->setCurrentTime(int(std::lround(share * ms)));
}

void FloatAnimation::finishNow()
{
    m_driver->stop();
    m_apply(m_stopValue);
    Q_EMIT finished();
}

bool FloatAnimation::isRunning() const
{
    return m_driver->state() == QAbstractAnimation::Running;
}

int FloatAnimation::passMilliseconds() const
{
    const float seconds = (std::isfinite(m_duration) && m_duration > 0.0f) ? m_duration : 0.0f;
    if (m_loop && seconds <= 0.0f)
        return int(std::lround(minimumLoopPeriod() * 1000.0f));
    // Durations beyond a day are no use on screen and would overflow the millisecond count.
    return int(std::lround(std::min(seconds, 86400.0f) * 1000.0f));
}

void FloatAnimation::start()
{
    m_driver->stop();
    m_driver->setStartValue(m_startValue);
    m_driver->setEndValue(m_stopValue);
    m_driver->setLoopCount(m_loop ? -1 : 1);
    const int ms = passMilliseconds();
    m_driver->setDuration(ms);
    m_apply(m_startValue);
    if (ms == 0) {
        // A one-shot run of zero length is over as soon as it starts.
        finishNow();
        return;
    }
    m_driver->start();
}

} // namespace toolkit

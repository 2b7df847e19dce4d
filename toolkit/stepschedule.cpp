// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/stepschedule.h"

#include <algorithm>

namespace toolkit {

StepSchedule::Clock::time_point StepSchedule::beginStep(Clock::time_point now,
                                                        WallClock::time_point wallNow)
{
    const Clock::time_point fromOwnStart = now + shortestPeriod(m_interval);
    m_deadline = m_begun ? std::max(m_deadline + m_interval, fromOwnStart) : now + m_interval;
    m_start = now;
    m_wallStart = wallNow;
    m_begun = true;
    return m_deadline;
}

} // namespace toolkit

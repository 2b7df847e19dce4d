// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/lessonclock.h"

#include <chrono>

namespace toolkit {

/// When the pauses of one trace's point steps end, so that the steps follow each other one
/// interval apart, start to start, whatever each step's own work costs.
///
/// The times are the lesson's (LessonClock): while the teacher holds the lesson no step ends,
/// and a slowed lesson stretches every interval alike.
///
/// A step's pause ends one interval after the previous step's pause ended: the short work a
/// step does after its pause (turning the rotor, writing the angle box) and the pause's own
/// late wake-up are absorbed by the next step instead of stretching the pace. The absorbed part
/// is bounded: a pause never ends sooner than shortestPeriod() after the start of its own step.
/// A step that begins later than that (its predecessor was slow, or another trace ran inside
/// the predecessor's pause) counts from its own start, so late steps never bunch up to catch
/// up. Whatever the steps cost, the pause of step n ends at least n intervals after the first
/// step began.
///
/// Each trace keeps its own schedule: a trace run inside another one's pause does not move the
/// interrupted trace's steps, which start afresh once it is over.
class StepSchedule
{
public:
    using Clock = LessonClock;
    using WallClock = std::chrono::steady_clock;

    explicit StepSchedule(std::chrono::nanoseconds interval) : m_interval(interval) { }

    std::chrono::nanoseconds interval() const { return m_interval; }

    /// The least time from a step's start to the end of its pause: the interval less the
    /// tenth of it that the step may give to the tail of the step before.
    static constexpr std::chrono::nanoseconds shortestPeriod(std::chrono::nanoseconds interval)
    {
        return interval - interval / 10;
    }

    /// A step begins at the lesson's time @p now (the wall's @p wallNow). Returns when its pause
    /// ends, in the lesson's time.
    Clock::time_point beginStep(Clock::time_point now,
                                WallClock::time_point wallNow = WallClock::now());

    /// The start of the current step, in the lesson's time and in the wall's.
    Clock::time_point stepStart() const { return m_start; }
    WallClock::time_point wallStepStart() const { return m_wallStart; }
    /// When the current step's pause ends, in the lesson's time.
    Clock::time_point deadline() const { return m_deadline; }

private:
    std::chrono::nanoseconds m_interval;
    Clock::time_point m_start;
    WallClock::time_point m_wallStart;
    Clock::time_point m_deadline;
    bool m_begun = false;
};

} // namespace toolkit

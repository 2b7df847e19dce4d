// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/stepschedule.h"

#include <QObject>
#include <QPointer>

#include <chrono>
#include <vector>

class QEventLoop;

namespace toolkit {

class LessonClock;

/// The pause after each point of a trace, during which the window stays live.
///
/// wait() runs the event loop until the step's schedule says the pause ends, in the lesson's
/// time (LessonClock), so the chart repaints at once, animations advance and any other handler
/// may run. A handler that starts inside the pause (even another trace, with pauses of its own)
/// runs to its end there; only then does the interrupted pause return: pauses nest, they never
/// interleave. While the lesson is held, no pause ends; a step of the held lesson ends the
/// innermost one, whose trace then holds again in its next pause.
///
/// stopAll() is for closing the window: every pause on the stack returns Result::Stop at once,
/// and so does every pause asked for afterwards, so that the traces unwind without waiting.
class LivePause : public QObject
{
    Q_OBJECT

public:
    enum class Result { Continue, Stop };

    static constexpr std::chrono::milliseconds defaultInterval {50};

    /// The pauses follow @p clock, or a clock of their own that nobody holds.
    explicit LivePause(LessonClock *clock = nullptr, QObject *parent = nullptr);
    ~LivePause() override;

    LessonClock &clock() const { return *m_clock; }

    std::chrono::milliseconds interval() const { return m_interval; }
    /// The pause length; tests shorten it. Traces started afterwards take it up.
    void setInterval(std::chrono::milliseconds interval) { m_interval = interval; }

    /// A step of @p schedule begins now.
    void beginStep(StepSchedule &schedule) const;

    /// Runs the event loop until @p schedule's current step is due to end. When the step's own
    /// work already took that long, pending events are still handled once.
    Result wait(const StepSchedule &schedule);

    void stopAll();
    bool stopped() const { return m_stopped; }

    /// How many pauses are on the stack right now.
    int depth() const { return int(m_loops.size()); }

Q_SIGNALS:
    /// A step's pause begins: the step started at @p stepStart on the wall's clock and its work
    /// so far (the appends) took @p cost. Emitted for every step, also once the pauses are
    /// stopped.
    void stepPaused(std::chrono::steady_clock::time_point stepStart, std::chrono::nanoseconds cost);

private:
    /// Every pause on the stack works out again when it ends, as soon as it runs again.
    void reconsiderAll();
    /// Runs the event loop until the lesson time changes, or for @p wall at most.
    void runLoop(std::chrono::milliseconds wall, bool timed);

    QPointer<LessonClock> m_clock;
    std::chrono::milliseconds m_interval = defaultInterval;
    std::vector<QEventLoop *> m_loops;
    bool m_stopped = false;
};

} // namespace toolkit

// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/livepause.h"

#include "toolkit/lessonclock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <thread>

namespace toolkit {

LivePause::LivePause(LessonClock *clock, QObject *parent)
    : QObject(parent), m_clock(clock ? clock : new LessonClock(this))
{
    connect(m_clock, &LessonClock::timeChanged, this, &LivePause::reconsiderAll);
}

LivePause::~LivePause()
{
    stopAll();
}

void LivePause::beginStep(StepSchedule &schedule) const
{
    schedule.beginStep(m_clock->now());
}

LivePause::Result LivePause::wait(const StepSchedule &schedule)
{
    using Wall = std::chrono::steady_clock;
    Q_EMIT stepPaused(schedule.wallStepStart(), Wall::now() - schedule.wallStepStart());
    if (m_stopped)
        return Result::Stop;

    using namespace std::chrono;
    bool handledEvents = false;
    while (!m_stopped) {
        if (m_clock->now() >= schedule.deadline()) {
            // Even a step whose own work took the whole interval lets pending events through.
            if (!handledEvents)
                QCoreApplication::processEvents();
            break;
        }
        if (m_clock->isPaused()) {
            // Held: nothing ends the pause but the lesson's time moving on.
            runLoop(milliseconds::zero(), false);
            handledEvents = true;
            continue;
        }
        // Qt wakes a timer on a whole millisecond at or after its deadline, half a millisecond
        // late on average: over a trace of 132 steps that alone stretches the pace by 1 %. So
        // the loop runs to the last whole millisecond before the end, and the fraction left is
        // slept.
        const Wall::time_point end = m_clock->wallTimeAt(schedule.deadline());
        const auto coarse = floor<milliseconds>(end - Wall::now());
        if (coarse > milliseconds::zero() || !handledEvents) {
            if (coarse > milliseconds::zero())
                runLoop(coarse, true);
            else
                QCoreApplication::processEvents();
            handledEvents = true;
            continue;
        }
        std::this_thread::sleep_until(end);
        break;
    }
    return m_stopped ? Result::Stop : Result::Continue;
}

void LivePause::runLoop(std::chrono::milliseconds wall, bool timed)
{
    QEventLoop loop;
    QTimer timer;
    if (timed) {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(wall);
    }
    m_loops.push_back(&loop);
    loop.exec();
    m_loops.pop_back();
}

void LivePause::reconsiderAll()
{
    // An outer pause cannot run before the inner ones return; quitting its loop now makes it
    // look at the lesson's time again as soon as it does.
    for (QEventLoop *loop : m_loops)
        loop->quit();
}

void LivePause::stopAll()
{
    m_stopped = true;
    for (QEventLoop *loop : m_loops)
        loop->quit();
}

} // namespace toolkit

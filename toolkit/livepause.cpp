// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/livepause.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <thread>

namespace toolkit {

LivePause::LivePause(QObject *parent) : QObject(parent) { }

LivePause::~LivePause()
{
    stopAll();
}

LivePause::Result LivePause::wait(const StepSchedule &schedule)
{
    using Clock = StepSchedule::Clock;
    Q_EMIT stepPaused(schedule.stepStart(), Clock::now() - schedule.stepStart());
    if (m_stopped)
        return Result::Stop;

    using namespace std::chrono;
    // Qt wakes a timer on a whole millisecond at or after its deadline, half a millisecond late
    // on average: over a trace of 132 steps that alone stretches the pace by 1 %. So the loop
    // runs to the last whole millisecond before the end, and the fraction left is slept.
    const auto coarse = floor<milliseconds>(schedule.deadline() - Clock::now());
    if (coarse > milliseconds::zero()) {
        QEventLoop loop;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        m_loops.push_back(&loop);
        timer.start(coarse);
        loop.exec();
        m_loops.pop_back();
    } else {
        // Even a step whose own work took the whole interval lets pending events through.
        QCoreApplication::processEvents();
    }
    if (m_stopped)
        return Result::Stop;

    std::this_thread::sleep_until(schedule.deadline());
    return Result::Continue;
}

void LivePause::stopAll()
{
    m_stopped = true;
    for (QEventLoop *loop : m_loops)
        loop->quit();
}

} // namespace toolkit

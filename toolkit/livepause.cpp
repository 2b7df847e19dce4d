#include "toolkit/livepause.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace toolkit {

LivePause::LivePause(QObject *parent) : QObject(parent) { }

LivePause::~LivePause()
{
    stopAll();
}

LivePause::Result LivePause::wait(const QElapsedTimer &stepStart)
{
    if (m_stopped)
        return Result::Stop;

    using namespace std::chrono;
    const auto elapsed = nanoseconds(stepStart.nsecsElapsed());
    // Round up so that a step never lasts less than the interval.
    const auto remaining = ceil<milliseconds>(m_interval - elapsed);
    if (remaining <= milliseconds::zero()) {
        QCoreApplication::processEvents();
        return m_stopped ? Result::Stop : Result::Continue;
    }

    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    m_loops.push_back(&loop);
    timer.start(remaining);
    loop.exec();
    m_loops.pop_back();
    return m_stopped ? Result::Stop : Result::Continue;
}

void LivePause::stopAll()
{
    m_stopped = true;
    for (QEventLoop *loop : m_loops)
        loop->quit();
}

} // namespace toolkit

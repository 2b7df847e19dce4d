// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/lessonclock.h"

namespace toolkit {

using Wall = std::chrono::steady_clock;

LessonClock::LessonClock(QObject *parent)
    : QObject(parent), m_wallBase(Wall::now()), m_lessonBase(m_wallBase.time_since_epoch())
{ }

LessonClock::time_point LessonClock::now() const
{
    if (m_paused)
        return m_lessonBase;
    const Wall::duration elapsed = Wall::now() - m_wallBase;
    if (m_pace == Pace::Normal)
        return m_lessonBase + elapsed;
    return m_lessonBase
        + std::chrono::duration_cast<duration>(
               std::chrono::duration<double, std::nano>(double(elapsed.count()) * rate()));
}

void LessonClock::rebase()
{
    const time_point lesson = now();
    m_wallBase = Wall::now();
    m_lessonBase = lesson;
}

void LessonClock::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    rebase();
    m_paused = paused;
    Q_EMIT pausedChanged(paused);
    Q_EMIT timeChanged();
}

void LessonClock::setPace(Pace pace)
{
    if (pace == m_pace)
        return;
    rebase();
    m_pace = pace;
    Q_EMIT paceChanged(pace);
    Q_EMIT timeChanged();
}

LessonClock::Pace LessonClock::nextPace(Pace pace)
{
    switch (pace) {
    case Pace::Normal:
        return Pace::Quarter;
    case Pace::Quarter:
        return Pace::Tenth;
    case Pace::Tenth:
        break;
    }
    return Pace::Normal;
}

double LessonClock::rateOf(Pace pace)
{
    switch (pace) {
    case Pace::Normal:
        return 1.0;
    case Pace::Quarter:
        return 0.25;
    case Pace::Tenth:
        break;
    }
    return 0.1;
}

void LessonClock::advance(duration lessonTime)
{
    if (!m_paused || lessonTime <= duration::zero())
        return;
    m_lessonBase += lessonTime;
    Q_EMIT timeChanged();
}

Wall::time_point LessonClock::wallTimeAt(time_point lessonTime) const
{
    if (m_paused)
        return Wall::time_point::max();
    const time_point lesson = now();
    const Wall::time_point wall = Wall::now();
    if (lessonTime <= lesson)
        return wall;
    const double ahead = double((lessonTime - lesson).count()) / rate();
    return wall
        + std::chrono::duration_cast<Wall::duration>(
               std::chrono::duration<double, std::nano>(ahead));
}

} // namespace toolkit

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <chrono>

namespace toolkit {

/// The lesson's own time: what the point steps of the traces and every animation that moves
/// with the lesson are paced by. A teacher can hold it (pause), move it on by one step while it
/// is held, and slow it down; the window's own motions (the slides of the panels and of the
/// motors) keep the wall's time.
///
/// At the normal pace and never held, the lesson's time runs exactly as the wall's.
class LessonClock : public QObject
{
    Q_OBJECT

public:
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<LessonClock, duration>;
    static constexpr bool is_steady = true;

    /// How fast the lesson runs against the wall.
    enum class Pace { Normal, Quarter, Tenth };

    explicit LessonClock(QObject *parent = nullptr);

    /// The lesson's time now.
    time_point now() const;

    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);

    Pace pace() const { return m_pace; }
    void setPace(Pace pace);
    /// The next pace of the cycle normal, ×¼, ×1⁄10, normal.
    static Pace nextPace(Pace pace);
    /// Lesson seconds per wall second at @p pace: 1, 0.25, 0.1.
    static double rateOf(Pace pace);
    double rate() const { return rateOf(m_pace); }

    /// While held: moves the lesson on by @p lessonTime at once, and holds it again there.
    void advance(duration lessonTime);

    /// The wall time at which the lesson will reach @p lessonTime if nothing changes; the far
    /// future while it is held.
    std::chrono::steady_clock::time_point wallTimeAt(time_point lessonTime) const;

Q_SIGNALS:
    void pausedChanged(bool paused);
    void paceChanged(toolkit::LessonClock::Pace pace);
    /// The lesson's time jumped (advance()) or changed its rate: whoever waits for a lesson time
    /// must work out again when that comes.
    void timeChanged();

private:
    void rebase();

    bool m_paused = false;
    Pace m_pace = Pace::Normal;
    // The lesson's time at m_wallBase, from which it runs on at rate() while not held.
    std::chrono::steady_clock::time_point m_wallBase;
    time_point m_lessonBase;
};

/// Holds the lesson for as long as it lives (while a dialog is open, say) and lets it run again
/// afterwards if it ran before.
class LessonHold
{
public:
    explicit LessonHold(LessonClock &clock) : m_clock(clock), m_wasPaused(clock.isPaused())
    {
        m_clock.setPaused(true);
    }
    ~LessonHold()
    {
        if (!m_wasPaused)
            m_clock.setPaused(false);
    }
    LessonHold(const LessonHold &) = delete;
    LessonHold &operator=(const LessonHold &) = delete;

private:
    LessonClock &m_clock;
    bool m_wasPaused;
};

} // namespace toolkit

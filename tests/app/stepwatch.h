// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tform2.h"

#include "toolkit/livepause.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>

/// Watches the point steps of every trace played in @p form while it lives, nested ones
/// included, and counts them from 1. An action given to at() runs inside the pause of that step,
/// the way a user's click would; an observer given to onEveryStep() runs right after each step's
/// appends and must only look.
class StepWatch
{
public:
    using Clock = toolkit::StepSchedule::Clock;

    explicit StepWatch(TForm2 *form) : m_form(form)
    {
        m_connection = QObject::connect(
            &form->pause(), &toolkit::LivePause::stepPaused, form,
            [this](Clock::time_point start, std::chrono::nanoseconds) { stepPlayed(start); });
    }

    ~StepWatch() { QObject::disconnect(m_connection); }

    StepWatch(const StepWatch &) = delete;
    StepWatch &operator=(const StepWatch &) = delete;

    void at(int step, std::function<void()> action) { m_actions.emplace(step, std::move(action)); }
    void onEveryStep(std::function<void(int step)> observer) { m_observer = std::move(observer); }

    int steps() const { return m_steps; }
    /// When the last step began.
    Clock::time_point lastStart() const { return m_lastStart; }

private:
    void stepPlayed(Clock::time_point start)
    {
        ++m_steps;
        m_lastStart = start;
        if (m_observer)
            m_observer(m_steps);
        const auto [first, last] = m_actions.equal_range(m_steps);
        for (auto it = first; it != last; ++it)
            QTimer::singleShot(0, m_form, it->second);
    }

    TForm2 *m_form;
    QMetaObject::Connection m_connection;
    int m_steps = 0;
    Clock::time_point m_lastStart;
    std::multimap<int, std::function<void()>> m_actions;
    std::function<void(int)> m_observer;
};

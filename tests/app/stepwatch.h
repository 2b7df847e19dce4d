// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/traceplayer.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <vector>

/// Watches the point steps of every trace played while it lives, nested ones included, and
/// counts them from 1. An action given to at() runs inside the pause of that step, the way a
/// user's click would; an observer given to onEveryStep() runs right after each step's appends
/// and must only look.
class StepWatch
{
public:
    explicit StepWatch(QObject *context) : m_context(context)
    {
        TracePlayer::setStepCostProbe([this](std::chrono::nanoseconds cost) { stepPlayed(cost); });
    }

    ~StepWatch() { TracePlayer::setStepCostProbe({}); }

    StepWatch(const StepWatch &) = delete;
    StepWatch &operator=(const StepWatch &) = delete;

    void at(int step, std::function<void()> action) { m_actions.emplace(step, std::move(action)); }
    void onEveryStep(std::function<void(int step)> observer) { m_observer = std::move(observer); }

    int steps() const { return m_steps; }
    /// The time the last step took from its start to the end of its appends.
    std::chrono::nanoseconds lastCost() const { return m_lastCost; }

private:
    void stepPlayed(std::chrono::nanoseconds cost)
    {
        ++m_steps;
        m_lastCost = cost;
        if (m_observer)
            m_observer(m_steps);
        const auto [first, last] = m_actions.equal_range(m_steps);
        for (auto it = first; it != last; ++it)
            QTimer::singleShot(0, m_context, it->second);
    }

    QObject *m_context;
    int m_steps = 0;
    std::chrono::nanoseconds m_lastCost {0};
    std::multimap<int, std::function<void()>> m_actions;
    std::function<void(int)> m_observer;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tracewatch.h"

#include <optional>
#include <random>

/// A user gone wild, replayable from its seed: every 1 or 2 ms one event (a click on a button or
/// a tab header, a track-bar move from code or from the keyboard, a message box answered) until
/// the count is reached. The events keep coming while traces run, from inside their pauses, so
/// traces nest as under a real user. The invariants that hold between any two events, however
/// deeply traces are nested, are checked after every event; the session stops at the first one
/// broken, then closes the window with whatever traces are on the stack.
class RandomSession : public QObject
{
    Q_OBJECT

public:
    RandomSession(TForm2 &form, quint32 seed, int events);

    /// Returns once every launch has returned: the invariants broken, with the events that led
    /// there; empty when all held.
    QStringList run();

    int eventsFired() const { return m_fired; }
    int deepestNesting() const { return m_deepest; } ///< the most traces on the stack at once
    int tracesFinished() const { return m_finished; }

private:
    void tick();
    void fireOne();
    void launch(int t);
    int randomInt(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    QStringList broken(int finished = -1) const;
    void verify(const QStringList &broken);

    TForm2 &m_form;
    quint32 m_seed;
    int m_events;
    std::mt19937 m_random;
    QTimer m_driver;
    QList<TraceTab> m_tabs;
    // Per tab: its traces on the stack (0 or 1: a launch button hides while its trace runs),
    // whether its track bar moved (before, the box keeps the form's text), and the points its
    // series must hold when its levels are fixed at launch (not tab 2, whose second run may start
    // from levels read in the middle of the first).
    int m_onStack[4] = {};
    bool m_moved[4] = {};
    std::optional<QList<QList<QPointF>>> m_expected[4];
    QStringList m_recent;
    QStringList m_broken;
    int m_fired = 0;
    int m_running = 0;
    int m_deepest = 0;
    int m_finished = 0;
    bool m_closing = false;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sessioninvariants.h"
#include "tracebook.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <random>

class TForm2;

/// A user gone wild, replayable from its seed: every 1 or 2 ms one event (a click on a button
/// or a tab header, a track-bar move from code or from the keyboard, a message box answered)
/// until the count is reached. The events keep coming while traces run, from inside their
/// pauses, so traces nest as they would under a real user. The invariants are checked after
/// every event; the session stops at the first one broken.
class RandomSession : public QObject
{
    Q_OBJECT

public:
    RandomSession(TForm2 &form, quint32 seed, int events);

    /// Fires the events, then closes the window, whatever traces are still on the stack, and
    /// returns once every launch has returned. Returns the invariants broken (empty when
    /// all held), with the events that led there.
    QStringList run();

    int eventsFired() const { return m_fired; }
    /// The most traces seen on the stack at once.
    int deepestNesting() const { return m_deepest; }
    /// How many launches returned with their trace played to the end.
    int tracesFinished() const { return m_finished; }
    int messagesAnswered() const { return m_answered; }

private:
    using Action = std::function<void()>;

    void tick();
    bool answerMessageBox();
    void fireOne();
    void runAction(const QString &name, const Action &action);
    void launch(int tab);
    void clickTab(int index);
    void moveTrackBar(int tab);
    void pressKeyOnTrackBar(int tab);
    void verify(const QStringList &broken);

    int randomInt(int low, int high);

    TForm2 &m_form;
    quint32 m_seed;
    int m_events;
    std::mt19937 m_random;
    QTimer m_driver;
    TraceBook m_book;
    SessionInvariants m_invariants;
    QStringList m_recent;
    QStringList m_broken;
    int m_fired = 0;
    int m_actionsRunning = 0;
    int m_deepest = 0;
    int m_finished = 0;
    int m_answered = 0;
    bool m_closing = false;
};

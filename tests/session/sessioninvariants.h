// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tracebook.h"

#include <QString>
#include <QStringList>

class TForm2;

/// The invariants that hold between any two events of a session, whatever the user did before
/// and however deeply traces are nested. check() answers the broken ones, in words.
class SessionInvariants
{
public:
    SessionInvariants(const TForm2 &form, const TraceBook &book);

    /// The track bars whose edit box must show their value: those that moved at least once
    /// (before that, the boxes keep the text of the form).
    void trackBarMoved(int tab) { m_moved[tab - 1] = true; }
    bool hasMoved(int tab) const { return m_moved[tab - 1]; }

    QStringList check() const;

    /// Called when the launch of @p tab has returned with its trace played to the end: its
    /// series must then hold the whole plan.
    QStringList checkFinished(int tab) const;

private:
    // Also: a tab's circuit is lit only while its trace runs.
    void checkLaunchButtons(QStringList &broken) const;
    void checkSeries(QStringList &broken, bool finished, int onlyTab) const;
    void checkDirection(QStringList &broken) const;
    void checkViews(QStringList &broken) const;
    void checkEditBoxes(QStringList &broken) const;

    const TForm2 &m_form;
    const TraceBook &m_book;
    bool m_moved[4] = {false, false, false, false};
};

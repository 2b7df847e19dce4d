// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QRect>
#include <QString>

struct xcb_connection_t;

/// An X display of the test's own: Xvfb with one screen of a given size, and openbox, a small
/// window manager, framing its windows as a desktop would. Looks at windows the way the window
/// manager does, from the X server.
class PrivateDisplay
{
public:
    PrivateDisplay() = default;
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay &) = delete;
    PrivateDisplay &operator=(const PrivateDisplay &) = delete;

    /// What the display needs and this machine lacks, or nothing when it has everything.
    static QString missingTools();

    /// Starts the X server and the window manager; false, with the reason, when either fails.
    bool start(QSize screen, QString *why);
    /// ":N", for $DISPLAY.
    QString name() const { return m_name; }

    QRect screen() const;
    /// Where a top-level window lies on the screen, and where its frame (the window manager's
    /// window around it) lies: the same rectangle while nothing frames it.
    QRect windowRect(quint32 window) const;
    QRect frameRect(quint32 window) const;

private:
    quint32 atom(const char *name) const;
    bool windowManagerRuns() const;
    quint32 topLevelAncestor(quint32 window) const;
    QRect rectOnScreen(quint32 window) const;

    QProcess m_server;
    QProcess m_windowManager;
    QString m_name;
    xcb_connection_t *m_connection = nullptr;
    quint32 m_root = 0;
};

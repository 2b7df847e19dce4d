// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QRect>

struct xcb_connection_t;

/// A program started for real, its output read line by line, its window found on the X server
/// and asked to close as a window manager's close button asks. The display is $DISPLAY, or one
/// of the test's own: Xvfb at a given size with openbox, which frames windows as a desktop does.
class RealProgram
{
public:
    ~RealProgram();

    /// Starts a display of the test's own; false, with the reason, when it cannot.
    bool startDisplay(QSize screen, QString *why);
    /// Starts @p program; @p environment holds "NAME=value" to set, "NAME" to leave out.
    void start(const QString &program, const QStringList &arguments = {},
               const QStringList &environment = {});
    QString errors();
    /// Its output up to and including the line @p last (all of it once it has ended).
    QStringList readUntil(const QString &last);
    /// True when it ended by itself within @p timeoutMs, with code 0.
    bool endsWithZero(int timeoutMs = 30000);

    /// Waits for its viewable top-level window (by _NET_WM_PID); false when none came.
    bool waitForWindow();
    QRect windowRect() const { return rectOf(m_window); }
    QRect frameRect() const; ///< the window manager's frame around it
    QString title() const { return QString::fromUtf8(property(m_window, "_NET_WM_NAME")); }
    /// Sends WM_DELETE_WINDOW, as a window manager does when the user clicks the close button.
    void requestClose() const;

private:
    bool connectDisplay();
    quint32 atom(const char *name) const;
    QByteArray property(quint32 window, const char *name) const;
    quint32 windowOf(quint32 parent, int depth) const;
    QRect rectOf(quint32 window) const;

    QProcess m_server;
    QProcess m_windowManager;
    QProcess m_program;
    QString m_display = qEnvironmentVariable("DISPLAY");
    QByteArray m_errors;
    xcb_connection_t *m_connection = nullptr;
    quint32 m_root = 0;
    quint32 m_window = 0;
};

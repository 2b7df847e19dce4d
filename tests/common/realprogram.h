// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>

struct xcb_connection_t;

/// A program started for real and driven as a user and a window manager would: its output read
/// line by line, its window found on the X server and asked to close as the close button asks.
/// The display is $DISPLAY, or one of the test's own: Xvfb at a given screen size with openbox,
/// a small window manager that frames windows as a desktop does.
class RealProgram
{
public:
    ~RealProgram();

    /// What a display of the test's own needs and this machine lacks; empty when nothing.
    static QString missingTools();
    /// Starts a display of the test's own; false, with the reason, when it cannot.
    bool startDisplay(QSize screen, QString *why);
    /// Starts @p program on the display; @p environment holds "NAME=value" to set, "NAME" to
    /// leave out.
    void start(const QString &program, const QStringList &arguments = {},
               const QStringList &environment = {});
    QProcess &process() { return m_program; }
    /// What it wrote on its standard error so far.
    QString errors();
    /// Its output up to and including the line @p last (all of it once it has ended).
    QStringList readUntil(const QString &last, int timeoutMs = 60000);
    /// True when it ended by itself within @p timeoutMs, with code 0.
    bool endsWithZero(int timeoutMs = 30000);

    /// Waits for its viewable top-level window (by _NET_WM_PID); false when none came.
    bool waitForWindow(int timeoutMs = 30000);
    QRect screen() const { return rectOf(m_root); }
    /// Where its window lies on the screen, and where the window manager's frame around it does.
    QRect windowRect() const { return rectOf(m_window); }
    QRect frameRect() const;
    /// The title a window manager reads from @p property (WM_NAME or _NET_WM_NAME).
    QString title(const char *property) const;
    /// What the screen shows where its window is, the embedded 3D view included.
    QImage capture() const;
    /// Sends WM_DELETE_WINDOW, as a window manager does when the user clicks the close button.
    void requestClose() const;

private:
    bool connectDisplay();
    quint32 atom(const char *name) const;
    QByteArray property(quint32 window, const char *name, quint32 *type = nullptr) const;
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

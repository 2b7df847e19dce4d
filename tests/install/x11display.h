// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QtGlobal>

struct xcb_connection_t;

/// A connection to the X display of $DISPLAY that looks at another program's windows the way a
/// window manager does: finds its top-level window, reads what the screen shows of it and asks
/// it to close. Works on a bare X server (Xvfb) where no window manager runs.
class X11Display
{
public:
    using Window = quint32;

    X11Display();
    ~X11Display();
    X11Display(const X11Display &) = delete;
    X11Display &operator=(const X11Display &) = delete;

    bool isConnected() const;

    /// The viewable top-level window whose _NET_WM_PID is `pid`, or 0 while there is none.
    Window mappedTopLevelOf(qint64 pid) const;
    /// The screen's pixels where `window` is, its child windows (the embedded 3D view) included.
    /// A null image when the window is gone.
    QImage capture(Window window) const;
    /// The title a window manager reads from `property` (WM_NAME or _NET_WM_NAME), decoded from
    /// whichever text type the window stored; a null string when the window has none.
    QString title(Window window, const char *property) const;
    /// Sends WM_DELETE_WINDOW, as a window manager does when the user clicks the close button.
    void requestClose(Window window) const;

private:
    quint32 atom(const char *name) const;

    xcb_connection_t *m_connection = nullptr;
    Window m_root = 0;
};

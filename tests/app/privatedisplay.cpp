// SPDX-License-Identifier: GPL-3.0-or-later
#include "privatedisplay.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// xcb hands its replies over to be freed with free().
template<typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template<typename T> Reply<T> owned(T *reply)
{
    return Reply<T>(reply, &std::free);
}

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(5000);
}

} // namespace

PrivateDisplay::~PrivateDisplay()
{
    if (m_connection)
        xcb_disconnect(m_connection);
    stop(m_windowManager);
    stop(m_server);
}

QString PrivateDisplay::missingTools()
{
    QStringList missing;
    for (const char *tool : {"Xvfb", "openbox"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            missing << QLatin1String(tool);
    }
    return missing.join(QLatin1String(", "));
}

bool PrivateDisplay::start(QSize screen, QString *why)
{
    // Xvfb picks a free display number and writes it to the given descriptor once it accepts
    // connections.
    m_server.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                    QStringLiteral("0"),
                    QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray number;
    for (QDeadlineTimer deadline(20000); !number.endsWith('\n') && !deadline.hasExpired();) {
        m_server.waitForReadyRead(100);
        number += m_server.readAllStandardOutput();
        if (m_server.state() == QProcess::NotRunning)
            break;
    }
    if (!number.endsWith('\n')) {
        *why = QStringLiteral("Xvfb did not start: ")
            + QString::fromLocal8Bit(m_server.readAllStandardError());
        return false;
    }
    m_name = u':' + QString::fromLatin1(number.trimmed());

    m_connection = xcb_connect(m_name.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(m_connection)) {
        *why = QStringLiteral("cannot connect to ") + m_name;
        return false;
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_name);
    m_windowManager.setProcessEnvironment(environment);
    m_windowManager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    for (QDeadlineTimer deadline(20000); !windowManagerRuns(); QThread::msleep(20)) {
        if (deadline.hasExpired() || m_windowManager.state() == QProcess::NotRunning) {
            *why = QStringLiteral("openbox did not start");
            return false;
        }
    }
    return true;
}

quint32 PrivateDisplay::atom(const char *name) const
{
    auto reply = owned(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, false, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

bool PrivateDisplay::windowManagerRuns() const
{
    auto reply = owned(xcb_get_property_reply(m_connection,
                                              xcb_get_property(m_connection, false, m_root,
                                                               atom("_NET_SUPPORTING_WM_CHECK"),
                                                               XCB_ATOM_WINDOW, 0, 1),
                                              nullptr));
    return reply && xcb_get_property_value_length(reply.get()) == 4;
}

QRect PrivateDisplay::screen() const
{
    return rectOnScreen(m_root);
}

QRect PrivateDisplay::rectOnScreen(quint32 window) const
{
    auto geometry = owned(
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    auto origin = owned(xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr));
    if (!geometry || !origin)
        return {};
    const int border = geometry->border_width;
    return QRect(origin->dst_x - border, origin->dst_y - border, geometry->width + 2 * border,
                 geometry->height + 2 * border);
}

quint32 PrivateDisplay::topLevelAncestor(quint32 window) const
{
    for (;;) {
        auto tree = owned(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
        if (!tree || tree->parent == m_root || tree->parent == XCB_WINDOW_NONE)
            return window;
        window = tree->parent;
    }
}

QRect PrivateDisplay::windowRect(quint32 window) const
{
    return rectOnScreen(window);
}

QRect PrivateDisplay::frameRect(quint32 window) const
{
    return rectOnScreen(topLevelAncestor(window));
}

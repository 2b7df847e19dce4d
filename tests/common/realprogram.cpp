// SPDX-License-Identifier: GPL-3.0-or-later
#include "realprogram.h"

#include <QDeadlineTimer>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// xcb hands its replies over to be freed with free().
template<typename T> std::unique_ptr<T, decltype(&std::free)> owned(T *reply)
{
    return {reply, &std::free};
}

} // namespace

RealProgram::~RealProgram()
{
    for (QProcess *process : {&m_program, &m_windowManager, &m_server}) {
        if (process == &m_windowManager && m_connection)
            xcb_disconnect(m_connection);
        process->terminate();
        if (!process->waitForFinished(5000))
            process->kill();
        process->waitForFinished(5000);
    }
}

bool RealProgram::startDisplay(QSize screen, QString *why)
{
    // Xvfb picks a free display number and writes it once it accepts connections.
    m_server.start(u"Xvfb"_s,
                   {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s,
                    u"%1x%2x24"_s.arg(screen.width()).arg(screen.height())});
    QByteArray number;
    for (QDeadlineTimer deadline(20000); !number.endsWith('\n') && !deadline.hasExpired()
         && m_server.state() != QProcess::NotRunning;)
        number += m_server.waitForReadyRead(100) ? m_server.readAllStandardOutput() : "";
    m_display = u':' + QString::fromLatin1(number.trimmed());
    *why = u"Xvfb did not start"_s;
    if (!number.endsWith('\n') || !connectDisplay())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, m_display);
    m_windowManager.setProcessEnvironment(environment);
    m_windowManager.start(u"openbox"_s, {u"--sm-disable"_s});
    // A window manager announces itself on the root window.
    *why = u"openbox did not start"_s;
    return QTest::qWaitFor(
        [this] { return !property(m_root, "_NET_SUPPORTING_WM_CHECK").isEmpty(); }, 20000);
}

bool RealProgram::connectDisplay()
{
    if (m_connection)
        return true;
    int screenNumber = 0;
    m_connection = xcb_connect(m_display.toLatin1().constData(), &screenNumber);
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    m_root = !xcb_connection_has_error(m_connection) && screens.rem > 0 ? screens.data->root : 0;
    return m_root != 0;
}

void RealProgram::start(const QString &program, const QStringList &arguments,
                        const QStringList &environment)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!m_display.isEmpty())
        env.insert(u"DISPLAY"_s, m_display);
    for (const QString &entry : environment) {
        if (entry.contains(u'='))
            env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        else
            env.remove(entry);
    }
    m_program.setProcessEnvironment(env);
    m_program.start(program, arguments);
    m_program.waitForStarted();
}

QString RealProgram::errors()
{
    m_errors += m_program.readAllStandardError();
    return QString::fromLocal8Bit(m_errors);
}

QStringList RealProgram::readUntil(const QString &last)
{
    QStringList lines;
    for (QDeadlineTimer deadline(60000); !lines.contains(last) && !deadline.hasExpired();) {
        while (m_program.canReadLine())
            lines << QString::fromUtf8(m_program.readLine()).trimmed();
        if (!lines.contains(last) && !m_program.waitForReadyRead(100)
            && m_program.state() == QProcess::NotRunning)
            break;
    }
    return lines;
}

bool RealProgram::endsWithZero(int timeoutMs)
{
    return m_program.waitForFinished(timeoutMs) && m_program.exitStatus() == QProcess::NormalExit
        && m_program.exitCode() == 0;
}

bool RealProgram::waitForWindow()
{
    return connectDisplay()
        && QTest::qWaitFor(
               [this] {
                   m_window = windowOf(m_root, 2);
                   return m_window != 0 || m_program.state() != QProcess::Running;
               },
               30000)
        && m_window != 0;
}

quint32 RealProgram::atom(const char *name) const
{
    auto reply = owned(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, false, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QByteArray RealProgram::property(quint32 window, const char *name) const
{
    auto reply =
        owned(xcb_get_property_reply(m_connection,
                                     xcb_get_property(m_connection, false, window, atom(name),
                                                      XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
                                     nullptr));
    return reply ? QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                              xcb_get_property_value_length(reply.get()))
                 : QByteArray();
}

// The program's viewable window, marked with its process id; a window manager puts it inside a
// frame of its own, one level down.
quint32 RealProgram::windowOf(quint32 parent, int depth) const
{
    auto tree =
        owned(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, parent), nullptr));
    for (int i = 0; tree && depth > 0 && i < xcb_query_tree_children_length(tree.get()); ++i) {
        const xcb_window_t window = xcb_query_tree_children(tree.get())[i];
        auto attributes = owned(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        const QByteArray pid = property(window, "_NET_WM_PID");
        if (pid.size() == 4
            && *reinterpret_cast<const quint32 *>(pid.constData()) == m_program.processId())
            return window;
        if (const quint32 inside = windowOf(window, depth - 1))
            return inside;
    }
    return 0;
}

QRect RealProgram::rectOf(quint32 window) const
{
    auto geometry = owned(
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    auto origin = owned(xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr));
    if (!geometry || !origin)
        return {};
    const int border = geometry->border_width;
    return {origin->dst_x - border, origin->dst_y - border, geometry->width + 2 * border,
            geometry->height + 2 * border};
}

QRect RealProgram::frameRect() const
{
    for (quint32 window = m_window;;) {
        auto tree = owned(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
        if (!tree || tree->parent == m_root || tree->parent == XCB_WINDOW_NONE)
            return rectOf(window);
        window = tree->parent;
    }
}

void RealProgram::requestClose() const
{
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = m_window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    // An empty event mask delivers the message to the client that created the window.
    xcb_send_event(m_connection, false, m_window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(m_connection);
}

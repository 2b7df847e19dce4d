// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

#ifdef SM_HAVE_XCB
#include <QDeadlineTimer>
#include <QThread>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>
#endif

namespace toolkit {

namespace {

// Where the window system cannot tell in advance: more than the title bar and borders of the
// common desktops, so that the window fits at the cost of a few pixels.
constexpr QMargins kGuessedFrame(8, 40, 8, 8);

// No desktop draws a frame this thick: a screen with that much room to spare needs no question
// to the window manager.
constexpr int kThickestFrame = 100;

// Below this the window would be unreadable anyway; it also keeps a screen that reports no room
// at all from making the window vanish.
constexpr qreal kSmallestFactor = 0.25;

#ifdef SM_HAVE_XCB

// xcb hands its replies over to be freed with free().
template<typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template<typename T> Reply<T> owned(T *reply)
{
    return Reply<T>(reply, &std::free);
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window's property; empty when it has none.
std::vector<uint32_t> property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name,
                               xcb_atom_t type, uint32_t length)
{
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, name, type, 0, length), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto *first = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return {first, first + xcb_get_property_value_length(reply.get()) / 4};
}

// The EWMH way: a window manager asked with _NET_REQUEST_FRAME_EXTENTS about a window that is not
// mapped yet sets on it the _NET_FRAME_EXTENTS it will give it. Nothing when no answer comes.
std::optional<QMargins> askWindowManager(xcb_connection_t *connection, xcb_window_t root)
{
    // A bare X server: no window manager, no frame.
    if (property(connection, root, atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 1)
            .empty())
        return QMargins();

    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const std::vector<uint32_t> supported =
        property(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 1024);
    if (std::find(supported.begin(), supported.end(), request) == supported.end())
        return std::nullopt;

    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, 0, 0, 100, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = request;
    xcb_send_event(connection, false, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(connection);

    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    // The answer comes in a few milliseconds, or not at all.
    std::optional<QMargins> frame;
    for (const QDeadlineTimer deadline(500);; QThread::msleep(2)) {
        const std::vector<uint32_t> v = property(connection, window, extents, XCB_ATOM_CARDINAL, 4);
        if (v.size() == 4) { // left, right, top, bottom
            frame = QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
            break;
        }
        if (deadline.hasExpired())
            break;
    }
    xcb_destroy_window(connection, window);
    xcb_flush(connection);
    return frame;
}

std::optional<QMargins> askWindowManager()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return std::nullopt;
    xcb_connection_t *connection = x11->connection();
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (!screens.rem)
        return std::nullopt;
    return askWindowManager(connection, screens.data->root);
}

#endif

} // namespace

qreal fitFactor(QSize clientSize, QMargins frame, QSize room)
{
    const QSize free = room.shrunkBy(frame);
    if (clientSize.width() <= free.width() && clientSize.height() <= free.height())
        return 1.0;
    const qreal factor = std::min(qreal(free.width()) / clientSize.width(),
                                  qreal(free.height()) / clientSize.height());
    return std::max(factor, kSmallestFactor);
}

QMargins expectedFrameMargins(const QScreen &screen)
{
#ifdef SM_HAVE_XCB
    if (const std::optional<QMargins> frame = askWindowManager()) {
        // The window manager counts device pixels.
        const qreal ratio = screen.devicePixelRatio();
        const auto logical = [ratio](int pixels) { return int(std::ceil(pixels / ratio)); };
        return QMargins(logical(frame->left()), logical(frame->top()), logical(frame->right()),
                        logical(frame->bottom()));
    }
#else
    Q_UNUSED(screen)
#endif
    return kGuessedFrame;
}

void fitToScreen(QWidget &window, const std::function<void(qreal)> &scaleContent)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    if (room.width() >= window.width() + kThickestFrame
        && room.height() >= window.height() + kThickestFrame)
        return;
    const QMargins frame = expectedFrameMargins(*screen);
    const qreal factor = fitFactor(window.size(), frame, room.size());
    if (factor >= 1.0)
        return;
    scaleContent(factor);
    // A window's position is that of its frame's outer corner.
    const QSize outer = window.size().grownBy(frame);
    window.move(room.topLeft()
                + QPoint((room.width() - outer.width()) / 2, (room.height() - outer.height()) / 2));
}

} // namespace toolkit

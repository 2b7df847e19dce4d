// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11display.h"

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

} // namespace

X11Display::X11Display()
{
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection))
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    m_root = screens.rem > 0 ? screens.data->root : 0;
}

X11Display::~X11Display()
{
    xcb_disconnect(m_connection);
}

bool X11Display::isConnected() const
{
    return !xcb_connection_has_error(m_connection) && m_root != 0;
}

quint32 X11Display::atom(const char *name) const
{
    auto reply = owned(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, false, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

X11Display::Window X11Display::mappedTopLevelOf(qint64 pid) const
{
    // Without a window manager the program's windows are children of the root window itself.
    auto tree =
        owned(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
    if (!tree)
        return 0;
    const xcb_atom_t pidAtom = atom("_NET_WM_PID");
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const xcb_window_t window = children[i];
        auto attributes = owned(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        auto property = owned(xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, false, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
            nullptr));
        if (property && xcb_get_property_value_length(property.get()) == 4
            && *static_cast<const quint32 *>(xcb_get_property_value(property.get())) == pid)
            return window;
    }
    return 0;
}

QImage X11Display::capture(Window window) const
{
    auto geometry = owned(
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    auto origin = owned(xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr));
    if (!geometry || !origin)
        return {};
    // Read from the root window: a child of another depth (a GL window) would be undefined in
    // an image of the top-level window itself.
    const int width = geometry->width;
    const int height = geometry->height;
    auto image =
        owned(xcb_get_image_reply(m_connection,
                                  xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root,
                                                origin->dst_x, origin->dst_y, width, height, ~0u),
                                  nullptr));
    // A 24-bit X screen stores pixels as 32-bit words, the layout of QImage::Format_RGB32.
    if (!image || image->depth != 24
        || xcb_get_image_data_length(image.get()) != width * height * 4)
        return {};
    return QImage(xcb_get_image_data(image.get()), width, height, width * 4, QImage::Format_RGB32)
        .copy();
}

QString X11Display::title(Window window, const char *property) const
{
    auto reply =
        owned(xcb_get_property_reply(m_connection,
                                     xcb_get_property(m_connection, false, window, atom(property),
                                                      XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
                                     nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE || reply->format != 8)
        return {};
    const auto *bytes = static_cast<const char *>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    if (reply->type == atom("UTF8_STRING"))
        return QString::fromUtf8(bytes, length);
    // STRING is Latin-1; so is COMPOUND_TEXT as long as it holds no escape sequence.
    if (reply->type == XCB_ATOM_STRING
        || (reply->type == atom("COMPOUND_TEXT") && !std::memchr(bytes, 0x1B, length)))
        return QString::fromLatin1(bytes, length);
    return QStringLiteral("<text of an unexpected type>");
}

void X11Display::requestClose(Window window) const
{
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    // An empty event mask delivers the message to the client that created the window.
    xcb_send_event(m_connection, false, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(m_connection);
}

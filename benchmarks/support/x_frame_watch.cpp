#include "support/x_frame_watch.h"

#include <poll.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdlib>

namespace {

template <typename Reply> struct FreeReply {
    void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

} // namespace

XFrameWatch::XFrameWatch(const QString& display) {
    m_connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    if (xcb_connection_has_error(m_connection)) {
        m_problem = QStringLiteral("cannot connect to ") + display;
        return;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
    const xcb_query_extension_reply_t* test = xcb_get_extension_data(m_connection, &xcb_test_id);
    if (!damage || !damage->present || !test || !test->present) {
        m_problem = QStringLiteral("the X server lacks the Damage or XTest extension");
        return;
    }
    m_damageEvent = damage->first_event;
    ReplyPtr<xcb_damage_query_version_reply_t> version(xcb_damage_query_version_reply(
        m_connection,
        xcb_damage_query_version(m_connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), nullptr));
    if (!version) {
        m_problem = QStringLiteral("Damage would not start");
        return;
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
}

XFrameWatch::~XFrameWatch() {
    if (m_connection)
        xcb_disconnect(m_connection);
}

XFrameWatch::Instant XFrameWatch::click(QPoint at, int button) {
    xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, int16_t(at.x()),
                        int16_t(at.y()), 0);
    // The server takes requests in order, so the press lands where the pointer went.
    const Instant pressed = std::chrono::steady_clock::now();
    xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, uint8_t(button), XCB_CURRENT_TIME, m_root, 0, 0, 0);
    xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, uint8_t(button), XCB_CURRENT_TIME, m_root, 0, 0, 0);
    xcb_flush(m_connection);
    return pressed;
}

bool XFrameWatch::waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const Instant deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            handle(event);
            std::free(event);
        }
        if (done())
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || xcb_connection_has_error(m_connection))
            return false;
        pollfd descriptor{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        ::poll(&descriptor, 1, int(std::min<long long>(left.count(), 50)));
    }
}

void XFrameWatch::handle(const void* raw) {
    const Instant now = std::chrono::steady_clock::now();
    const auto* event = static_cast<const xcb_generic_event_t*>(raw);
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY) {
        const auto* created = static_cast<const xcb_create_notify_event_t*>(raw);
        if (created->parent != m_root)
            return;
        m_windows[created->window] = Window{QSize(created->width, created->height), now, {}, {}};
        // Its own map and size changes reach us wherever the tray puts it.
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, created->window, XCB_CW_EVENT_MASK, &mask);
        const xcb_damage_damage_t damage = xcb_generate_id(m_connection);
        xcb_damage_create(m_connection, damage, created->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        m_damages[created->window] = damage;
        xcb_flush(m_connection);
    } else if (type == XCB_CONFIGURE_NOTIFY) {
        const auto* configured = static_cast<const xcb_configure_notify_event_t*>(raw);
        if (auto it = m_windows.find(configured->window); it != m_windows.end())
            it->second.size = QSize(configured->width, configured->height);
    } else if (type == XCB_MAP_NOTIFY) {
        const auto* mapped = static_cast<const xcb_map_notify_event_t*>(raw);
        if (auto it = m_windows.find(mapped->window); it != m_windows.end() && !it->second.mapped)
            it->second.mapped = now;
    } else if (type == XCB_DESTROY_NOTIFY) {
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(raw);
        m_damages.erase(destroyed->window);
    } else if (type == m_damageEvent + XCB_DAMAGE_NOTIFY) {
        const auto* damaged = static_cast<const xcb_damage_notify_event_t*>(raw);
        auto it = m_windows.find(damaged->drawable);
        if (it == m_windows.end())
            return;
        // Drawing before the map is the program preparing the window; nobody sees it yet.
        if (it->second.mapped && !it->second.firstFrame) {
            it->second.firstFrame = now;
            it->second.pid = ownerPid(damaged->drawable);
        }
        xcb_damage_subtract(m_connection, damaged->damage, XCB_NONE, XCB_NONE);
        xcb_flush(m_connection);
    }
}

std::uint32_t XFrameWatch::ownerPid(std::uint32_t window) {
    if (!m_pidAtom) {
        const char name[] = "_NET_WM_PID";
        ReplyPtr<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, sizeof(name) - 1, name), nullptr));
        m_pidAtom = atom ? atom->atom : XCB_NONE;
    }
    ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return 0;
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

std::optional<XFrameWatch::Window> XFrameWatch::firstDrawn(Instant since, qint64 pid,
                                                           const std::function<bool(QSize)>& accepts) const {
    std::optional<Window> found;
    for (const auto& [id, window] : m_windows) {
        if (window.created < since || !window.firstFrame || window.pid != pid || !accepts(window.size))
            continue;
        if (!found || window.created < found->created)
            found = window;
    }
    return found;
}

#include "app/qt/x11_startup_qt.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/instance_session.h"

namespace px {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The message goes to the root window in pieces of 20 bytes, the first
// marked as the beginning (the startup-notification protocol).
void SendStartupMessage(xcb_connection_t* connection, xcb_window_t root, xcb_window_t from,
                        const std::string& message) {
  const xcb_atom_t begin = Atom(connection, "_NET_STARTUP_INFO_BEGIN");
  const xcb_atom_t more = Atom(connection, "_NET_STARTUP_INFO");
  for (std::size_t at = 0; at < message.size(); at += 20) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 8;
    event.window = from;
    event.type = at == 0 ? begin : more;
    std::memcpy(event.data.data8, message.data() + at, std::min<std::size_t>(20, message.size() - at));
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&event));
  }
}

}  // namespace

void ApplyX11StartupId(QWidget& window, const std::string& startupId) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || startupId.empty()) return;
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window.winId());
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, Atom(connection, "_NET_STARTUP_ID"),
                      Atom(connection, "UTF8_STRING"), 8, static_cast<std::uint32_t>(startupId.size()),
                      startupId.data());
  // The user's action that made the start: the window's latest user time,
  // which the window manager weighs against the active window's.
  if (const std::optional<std::uint32_t> time = StartupIdTime(startupId)) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, Atom(connection, "_NET_WM_USER_TIME"),
                        XCB_ATOM_CARDINAL, 32, 1, &*time);
  }
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (screen != nullptr) SendStartupMessage(connection, screen->root, id, StartupRemoveMessage(startupId));
  xcb_flush(connection);
}

}  // namespace px

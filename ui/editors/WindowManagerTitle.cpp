#include "ui/editors/WindowManagerTitle.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(ORBISK_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#define ORBISK_X11_TITLE 1
#endif

namespace orbisk {

#ifdef ORBISK_X11_TITLE
namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
  const auto length = static_cast<uint16_t>(std::strlen(name));
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr);
  if (!reply) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace
#endif

void handEmptyTitleToWindowManager(QWidget* window) {
#ifdef ORBISK_X11_TITLE
  // Other platforms, the offscreen one among them, may offer the X11 interface without an X
  // connection of their own.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection() || !window->isWindow() || !window->windowHandle()) return;
  xcb_connection_t* connection = x11->connection();
  // Qt writes the program's name into _NET_WM_NAME, which window managers prefer to WM_NAME
  // (that one Qt leaves empty). Overwriting it on Qt's own connection orders the change after
  // Qt's and before the window is mapped.
  const xcb_atom_t name = internAtom(connection, "_NET_WM_NAME");
  const xcb_atom_t utf8 = internAtom(connection, "UTF8_STRING");
  if (name == XCB_ATOM_NONE || utf8 == XCB_ATOM_NONE) return;
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                      name, utf8, 8, 0, nullptr);
  xcb_flush(connection);
#else
  (void)window;
#endif
}

}  // namespace orbisk

// Shared pieces of the Qt window backend: the Qt widget behind each window record, and work
// deferred until Qt has finished delivering its events.
#pragma once

#include <QWidget>

#include <functional>

#include "platform/common/window_table.h"
#include "platform/types.h"

namespace platform::qt {

// The Qt widget of a window record, or null.
QWidget* widget_of(WindowHandle window);
QWidget* widget_of(const common::WindowRecord& record);
// The window handle a Qt widget stands for, or 0 for widgets that are not ours.
WindowHandle handle_of(const QObject* widget);
void set_handle(QWidget* widget, WindowHandle window);

// Window procedures must not run inside Qt's event delivery; what a Qt event handler learns and
// cannot post as a message is kept here and done once the events of the wait are delivered.
void defer(std::function<void()> work);
void run_deferred();

Point to_point(const QPoint& point);

// Qt's connection to the X server (an xcb_connection_t), or null when Qt does not show on X
// (Qt's offscreen platform answers for X with a null connection).
void* x11_connection();

// Sends what Qt has queued for the display (on X, the requests in the connection's buffer)
// without waiting for any answer.
void flush_to_display();
// Waits until the display has carried out everything Qt sent it (on X, one round trip).
void wait_for_display();

// Where the pointer was when Qt last told one of our windows of it. The program asks for the
// pointer at every message and every tooltip tick; asking the X server would cost a round trip
// each time, and the pointer only matters while it is over our windows, which then hear of its
// every move.
void remember_pointer(const QPoint& screen_position);
Point remembered_pointer();

}  // namespace platform::qt

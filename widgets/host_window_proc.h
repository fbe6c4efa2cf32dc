// The shared window procedure of host windows: window messages become widget events.
#pragma once

#include <cstdint>

#include "platform/window.h"
#include "widgets/widget.h"

// Handles the message for the host's widgets, then returns the default handling's result
// (except for erase-background, answered at once).
std::int32_t host_window_proc(platform::WindowHandle hwnd, std::uint32_t message,
                              std::uint32_t wparam, std::int32_t lparam);

// Sends (paint, 0, 0) to every visible widget whose parent is parent_id, in creation order.
std::int32_t paint_children(std::int32_t parent_id);

// The first visible widget among the children of parent_id whose rectangle holds (x, y), or,
// failing that, the first such widget among a child's own children (searched child by child).
Widget* widget_hit_test(std::int32_t parent_id, std::int32_t x, std::int32_t y);

// Leaves the hovered widget (it gets the leave paint) and releases the mouse capture.
std::int32_t host_drop_hover(platform::WindowHandle hwnd);

// Widget events that are not message numbers of their own: what a paint event's wparam and
// lparam say.
namespace paint_event {
inline constexpr std::uint32_t compose = 0;  // wparam: draw through the bound shared_graphics
inline constexpr std::uint32_t direct = 1;   // wparam: redraw at once and show the canvas
inline constexpr std::int32_t leave = 1;     // lparam with direct: the new state
inline constexpr std::int32_t enter = 2;
inline constexpr std::int32_t press = 3;
}  // namespace paint_event

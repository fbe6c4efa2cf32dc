// The tooltip window: a layered popup owned by the host window, with a message loop of its own
// that lasts as long as the window.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/window.h"
#include "widgets/widget.h"

inline constexpr std::string_view tooltip_class = "ToolTipQelm";

// Opens the tooltip window at (x, y) on the screen, owned by the host window, and runs the
// thread's messages until that window is destroyed. Returns 0 at once when a tooltip window
// already exists; -1 when the class cannot be registered or the window cannot be made.
std::int32_t tooltip_open(std::int32_t x, std::int32_t y, HostWindow& host);

std::int32_t tooltip_window_proc(platform::WindowHandle window, std::uint32_t message,
                                 std::uint32_t wparam, std::int32_t lparam);

// Draws the tooltip of the host's hovered widget and shows it at its measured size. Draws
// nothing, keeping the picture shown, when that widget has no tooltip.
void tooltip_paint(platform::WindowHandle window);

// The tooltip timer: every 100 ms it looks at the hovered widget and opens, moves or closes the
// tooltip window.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "platform/window.h"

// The period of the host window's tooltip timer, and the step of the hover count.
inline constexpr std::uint32_t tooltip_tick_ms = 100;

// The timer procedure of a host window (timer id 0, every 100 ms). Does nothing while no window
// of the program has the keyboard focus. When it opens a tooltip it returns only once the tooltip
// window is gone, having been run again meanwhile by the tooltip's message loop.
void tooltip_tick(platform::WindowHandle window, std::uint32_t message, std::uint32_t timer_id,
                  std::uint32_t time);

// Turns a cursor position (screen coordinates) into the tooltip's top-left corner: 20 pixels
// below the cursor, kept inside the screen by the size of the tooltip painted last.
void tooltip_place(platform::Point& point);

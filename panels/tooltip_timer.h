// The tooltip timer: every 100 ms it looks at the hovered widget and opens, moves or closes the
// tooltip window.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "platform/window.h"

// The period of the host window's tooltip timer, and the step of the hover count.
inline constexpr std::uint32_t tooltip_tick_ms = 100;

// Starts the host window's tooltip timer (timer id 0, every 100 ms) and has the host wake it
// when the pointer moves.
void tooltip_timer_start(platform::WindowHandle window);
// The pointer moved over the host: a stopped timer starts again, its ticks coming when they would
// have come had it never stopped.
void tooltip_timer_wake(platform::WindowHandle window);

// The timer procedure. Does nothing while no window of the program has the keyboard focus. A tick
// that finds nothing to wait for (no tooltip up, the pointer on the widget it was on at the last
// tick, and that widget has no tooltip or its tooltip's time is over) stops the timer instead,
// until the pointer moves. When it opens a tooltip it returns only once the tooltip window is
// gone, having been run again meanwhile by the tooltip's message loop.
void tooltip_tick(platform::WindowHandle window, std::uint32_t message, std::uint32_t timer_id,
                  std::uint32_t time);

// Turns a cursor position (screen coordinates) into the tooltip's top-left corner: 20 pixels
// below the cursor, kept inside the screen by the size of the tooltip painted last.
void tooltip_place(platform::Point& point);

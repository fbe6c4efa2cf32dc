// Creating a host window with its HostWindow record and running the program's message loop.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/window.h"

// Registers the class "WidgetQelm" with the procedure (unless it exists), creates the layered
// host window, centred on the screen when centre is 1, attaches its record, and runs the
// message loop until the quit request. Returns 0; a class or window that cannot be made ends
// it at once.
std::int32_t host_window_run(std::int32_t id, std::int32_t width, std::int32_t height,
                             std::string_view title, std::string_view background,
                             platform::WindowProc procedure, std::int32_t centre);

// The name of the host windows' class.
inline constexpr std::string_view host_window_class = "WidgetQelm";

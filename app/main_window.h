// The main window's own procedure: it builds the window's widgets, carries out the commands of
// its buttons, and passes every message on to the host window procedure.
#pragma once

#include <cstdint>

#include "platform/window.h"

std::int32_t main_window_proc(platform::WindowHandle hwnd, std::uint32_t message,
                              std::uint32_t wparam, std::int32_t lparam);

// Command ids: the ids of the five picture buttons, and the help panel's "Fermer" label.
namespace command_id {
inline constexpr std::uint32_t close = 1;
inline constexpr std::uint32_t minimise = 2;
inline constexpr std::uint32_t new_board = 3;
inline constexpr std::uint32_t reset_scores = 4;
inline constexpr std::uint32_t help = 5;
inline constexpr std::uint32_t close_help = 8;
}  // namespace command_id

// Forgets the main window's widgets and pictures: a fresh start.
void reset_main_window();

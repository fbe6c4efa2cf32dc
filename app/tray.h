// The notification-area icon that stands in for the main window while it is hidden.
#pragma once

#include <cstdint>

#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"

// The message the icon sends the main window; lparam says what the mouse did.
inline constexpr std::uint32_t tray_message = platform::msg::user + 100;
// The message a later start in the same folder has the main window receive.
inline constexpr std::uint32_t come_forward_message = platform::msg::user + 101;

// The one icon record of the program, filled at the first minimise and reused afterwards.
struct TrayIconRecord {
    std::uint32_t size = 0;  // 0 until filled
    platform::TrayIcon icon;
};
extern TrayIconRecord tray_icon;

// Fills the icon record on first use, then shows the icon. Returns 0, or -1 when the icon could
// not be shown.
std::int32_t tray_add(platform::WindowHandle hwnd);

// Hides the window behind the icon; where the desktop has no notification area, or the icon
// cannot be shown, iconifies it instead, so that the player always has a way back.
void minimise_to_tray(platform::WindowHandle hwnd);
// Shows the window again and removes the icon.
void restore_from_tray(platform::WindowHandle hwnd);
// Brings the window back from wherever it is, behind the icon or iconified, and in front of the
// other programs' windows (as far as the desktop lets a program do so). While a modal box or
// dialog is up the window is only shown: the box stays the one that takes the keyboard.
void come_forward(platform::WindowHandle hwnd);

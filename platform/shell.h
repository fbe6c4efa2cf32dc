// The desktop's shell services: the program's start and end, modal message boxes and the
// notification-area icon.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace platform {

// What the desktop is told of the program: the name of its desktop entry (without ".desktop"),
// so that window lists match the entry, and the embedded PNG picture its windows show as their
// icon. Empty: nothing is told.
struct ProgramIdentity {
    std::string desktop_id;
    std::string icon_resource;
};

// Prepares the platform before any window exists; false when it cannot run at all (no display).
bool platform_start(const ProgramIdentity& identity = {});
// Releases what the platform still holds; called once, after the last message loop.
void platform_stop();

// Message box types and results; the values are those of the Windows desktop.
inline constexpr std::uint32_t message_box_ok = 0;
inline constexpr std::int32_t message_box_result_ok = 1;

// Shows a modal box with the text, the caption and one OK button, owned by the owner window (or
// by none), and returns when the user has answered. The owner is disabled while the box is up;
// messages of the other windows are still dispatched meanwhile. If a quit request arrives, the
// box closes and the request is posted again for the outer loop.
std::int32_t message_box(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                         std::uint32_t type);

// The notification-area icon. While it is shown, a click on it posts callback_message to the
// window, with wparam = id and lparam = the mouse message (msg::lbutton_down, msg::rbutton_down,
// ...).
struct TrayIcon {
    WindowHandle window = 0;
    std::uint32_t id = 0;
    std::uint32_t callback_message = 0;
    std::string icon_resource;  // the name of an embedded PNG picture
    std::u16string tip;
};

// False when the desktop has no notification area.
bool tray_available();
bool tray_icon_add(const TrayIcon& icon);
bool tray_icon_delete(WindowHandle window, std::uint32_t id);

}  // namespace platform

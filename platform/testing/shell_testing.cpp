// Message boxes, the notification-area icon and the program's start and end, as journal entries.
#include "platform/shell.h"

#include "platform/testing/test_world.h"
#include "platform/window.h"

namespace platform {

bool platform_start(const ProgramIdentity& identity) {
    testing::world().identity = identity;
    return true;
}

void platform_stop() {}

std::int32_t message_box(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                         std::uint32_t type) {
    testing::Event box{.kind = testing::EventKind::message_box,
                       .window = owner,
                       .value = type,
                       .text = std::u16string(text),
                       .caption = std::u16string(caption)};
    testing::record(box);
    // The owner cannot be used while the box is up.
    const bool owner_was_enabled = owner != 0 && is_window_enabled(owner);
    const bool owner_had_focus = owner != 0 && focus_window() == owner;
    if (owner_was_enabled) {
        enable_window(owner, false);
    }
    const auto& handler = testing::world().message_box_handler;
    const std::int32_t result = handler ? handler(box) : message_box_result_ok;
    if (owner_was_enabled && is_window(owner)) {
        enable_window(owner, true);
        if (owner_had_focus) {
            set_focus(owner);
        }
    }
    return result;
}

bool tray_available() {
    return testing::world().tray_available;
}

bool tray_icon_add(const TrayIcon& icon) {
    if (!testing::world().tray_available) {
        return false;
    }
    testing::record(
        {.kind = testing::EventKind::tray_add,
         .window = icon.window,
         .value = icon.id,
         .text = icon.tip,
         .caption = std::u16string(icon.icon_resource.begin(), icon.icon_resource.end())});
    return true;
}

bool tray_icon_delete(WindowHandle window, std::uint32_t id) {
    testing::record({.kind = testing::EventKind::tray_delete, .window = window, .value = id});
    return true;
}

}  // namespace platform

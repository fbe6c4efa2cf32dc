// Minimising to the notification area and coming back, by the icon or at a later start's request.
#include "app/tray.h"

#include "widgets/host_window_proc.h"

TrayIconRecord tray_icon;

namespace {

constexpr std::uint32_t tray_icon_id = 1;

void fill_tray_icon(platform::WindowHandle hwnd) {
    tray_icon.size = sizeof(platform::TrayIcon);
    tray_icon.icon.window = hwnd;
    tray_icon.icon.id = tray_icon_id;
    tray_icon.icon.callback_message = tray_message;
    tray_icon.icon.icon_resource = "SYSTRAY";
    tray_icon.icon.tip = u"Vormelin";
}

}  // namespace

std::int32_t tray_add(platform::WindowHandle hwnd) {
    if (tray_icon.size == 0) {
        fill_tray_icon(hwnd);
    }
    return platform::tray_icon_add(tray_icon.icon) ? 0 : -1;
}

void minimise_to_tray(platform::WindowHandle hwnd) {
    // Without an icon to click, a hidden window could never come back: iconify it instead.
    if (!platform::tray_available()) {
        host_drop_hover(hwnd);
        platform::show_window(hwnd, platform::ShowCommand::minimize);
        return;
    }
    platform::show_window(hwnd, platform::ShowCommand::hide);
    host_drop_hover(hwnd);
    if (tray_add(hwnd) != 0) {
        platform::show_window(hwnd, platform::ShowCommand::minimize);
    }
}

void restore_from_tray(platform::WindowHandle hwnd) {
    platform::show_window(hwnd, platform::ShowCommand::show);
    platform::tray_icon_delete(tray_icon.icon.window, tray_icon.icon.id);
}

void come_forward(platform::WindowHandle hwnd) {
    if (!platform::is_window_visible(hwnd)) {
        restore_from_tray(hwnd);
    } else {
        platform::show_window(hwnd, platform::ShowCommand::show);
    }
    if (platform::is_window_enabled(hwnd)) {
        platform::set_foreground_window(hwnd);
    }
}

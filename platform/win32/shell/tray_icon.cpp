// The notification-area icon on the shell's own: Shell_NotifyIconW in its classic version, where
// a click reaches the window as the callback message with wparam = the icon's id and lparam = the
// mouse message, exactly what the platform promises.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <map>
#include <utility>

#include "platform/shell.h"
#include "platform/win32/shell/win32_shell.h"

namespace platform {
namespace {

using IconKey = std::pair<WindowHandle, std::uint32_t>;

// The icons shown, to be destroyed once their notification-area icon is gone.
std::map<IconKey, HICON>& shown_icons() {
    static std::map<IconKey, HICON> icons;
    return icons;
}

NOTIFYICONDATAW notify_data(WindowHandle window, std::uint32_t id) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = win32::hwnd_of(window);
    data.uID = id;
    return data;
}

// The tip is cut to what the shell holds, its last character kept for the terminating null.
void copy_tip(NOTIFYICONDATAW& data, std::u16string_view tip) {
    const std::size_t room = std::size(data.szTip) - 1;
    const std::size_t length = std::min(tip.size(), room);
    std::copy_n(tip.begin(), length, data.szTip);
    data.szTip[length] = L'\0';
}

}  // namespace

bool tray_available() {
    return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

bool tray_icon_add(const TrayIcon& icon) {
    if (!tray_available() || !IsWindow(win32::hwnd_of(icon.window))) {
        return false;
    }
    NOTIFYICONDATAW data = notify_data(icon.window, icon.id);
    data.uFlags = NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = icon.callback_message;
    data.hIcon = win32::resource_icon(icon.icon_resource, GetSystemMetrics(SM_CXSMICON));
    if (data.hIcon != nullptr) {
        data.uFlags |= NIF_ICON;
    }
    copy_tip(data, icon.tip);
    const IconKey key{icon.window, icon.id};
    auto& icons = shown_icons();
    const auto shown = icons.find(key);
    // An icon shown again under the same key is changed in place rather than added twice.
    const DWORD action = shown == icons.end() ? NIM_ADD : NIM_MODIFY;
    if (!Shell_NotifyIconW(action, &data)) {
        if (data.hIcon != nullptr) {
            DestroyIcon(data.hIcon);
        }
        return false;
    }
    if (shown != icons.end()) {
        if (shown->second != nullptr) {
            DestroyIcon(shown->second);
        }
        shown->second = data.hIcon;
    } else {
        icons.emplace(key, data.hIcon);
    }
    return true;
}

bool tray_icon_delete(WindowHandle window, std::uint32_t id) {
    auto& icons = shown_icons();
    const auto shown = icons.find({window, id});
    if (shown == icons.end()) {
        return false;
    }
    NOTIFYICONDATAW data = notify_data(window, id);
    const bool deleted = Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
    // The shell may already have dropped it (its window gone): the picture goes either way.
    if (shown->second != nullptr) {
        DestroyIcon(shown->second);
    }
    icons.erase(shown);
    return deleted;
}

}  // namespace platform

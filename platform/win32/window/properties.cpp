// Named pointers attached to windows (the system's window properties) and the program's user
// data (the window's own user-data slot).
#include <algorithm>
#include <vector>

#include "platform/win32/window/win32_window.h"

namespace platform {
namespace {

// Every name the program has used: the system leaves properties behind a destroyed window, and
// the names of its own must not be touched.
std::vector<std::wstring>& property_names() {
    static std::vector<std::wstring> names;
    return names;
}

}  // namespace

namespace win32 {

void remove_properties(HWND hwnd) {
    for (const std::wstring& name : property_names()) {
        RemovePropW(hwnd, name.c_str());
    }
}

}  // namespace win32

bool set_window_property(WindowHandle window, std::string_view name, void* value) {
    if (!is_window(window) || name.empty()) {
        return false;
    }
    const std::wstring wide = win32::wide_ascii(name);
    if (std::ranges::find(property_names(), wide) == property_names().end()) {
        property_names().push_back(wide);
    }
    return SetPropW(win32::to_hwnd(window), wide.c_str(), static_cast<HANDLE>(value)) != 0;
}

void* window_property(WindowHandle window, std::string_view name) {
    if (!is_window(window) || name.empty()) {
        return nullptr;
    }
    return GetPropW(win32::to_hwnd(window), win32::wide_ascii(name).c_str());
}

void set_window_user_data(WindowHandle window, void* value) {
    if (is_window(window)) {
        SetWindowLongPtrW(win32::to_hwnd(window), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(value));
    }
}

void* window_user_data(WindowHandle window) {
    if (!is_window(window)) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetWindowLongPtrW(win32::to_hwnd(window), GWLP_USERDATA));
}

}  // namespace platform

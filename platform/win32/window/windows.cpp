// Windows and controls: creation, destruction in the order the program relies on, their
// relations, visibility and enabling.
#include <algorithm>
#include <vector>

#include "platform/win32/window/win32_window.h"

namespace platform {
namespace win32 {
namespace {

// The system lists a thread's windows in stacking order; the program wants creation order.
std::vector<HWND>& top_level_windows() {
    static std::vector<HWND> windows;
    return windows;
}

// Windows inside destroy_window, so that a procedure asking for it again meanwhile is refused.
std::vector<HWND>& windows_being_destroyed() {
    static std::vector<HWND> windows;
    return windows;
}

bool is_child(HWND hwnd) {
    return (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) != 0;
}

// Owned windows newest first, then children, so that later windows go before the ones they may
// depend on; the system would tell a parent before its children.
std::vector<HWND> dependants_of(HWND hwnd) {
    std::vector<HWND> dependants;
    for (auto window = top_level_windows().rbegin(); window != top_level_windows().rend();
         ++window) {
        if (GetWindow(*window, GW_OWNER) == hwnd) {
            dependants.push_back(*window);
        }
    }
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        dependants.push_back(child);
    }
    return dependants;
}

}  // namespace

void remember_top_level(HWND hwnd) {
    auto& windows = top_level_windows();
    if (std::ranges::find(windows, hwnd) == windows.end()) {
        windows.push_back(hwnd);
    }
}

void forget_window(HWND hwnd) {
    std::erase(top_level_windows(), hwnd);
    forget_timers_of(hwnd);
}

}  // namespace win32

WindowHandle create_window(const WindowSpec& spec) {
    const bool child = (spec.style & style::child) != 0;
    const HWND parent = win32::to_hwnd(spec.parent);
    if ((child || spec.parent != 0) && !IsWindow(parent)) {
        return 0;
    }
    // A child's menu handle is its control id.
    const HMENU menu_or_id =
        child ? reinterpret_cast<HMENU>(static_cast<std::intptr_t>(spec.control_id)) : nullptr;
    const HWND hwnd =
        CreateWindowExW(spec.ex_style, win32::wide_ascii(spec.class_name).c_str(),
                        win32::wide_text(spec.text), spec.style, spec.x, spec.y, spec.width,
                        spec.height, parent, menu_or_id, GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) {
        return 0;
    }
    if (!child) {
        win32::remember_top_level(hwnd);
    }
    return win32::to_handle(hwnd);
}

bool destroy_window(WindowHandle window) {
    const HWND hwnd = win32::to_hwnd(window);
    auto& destroying = win32::windows_being_destroyed();
    if (!IsWindow(hwnd) || std::ranges::find(destroying, hwnd) != destroying.end()) {
        return false;
    }
    destroying.push_back(hwnd);
    for (const HWND dependant : win32::dependants_of(hwnd)) {
        destroy_window(win32::to_handle(dependant));
    }
    // Built-in controls never pass through the trampoline, which removes its windows' properties.
    win32::remove_properties(hwnd);
    const bool destroyed = DestroyWindow(hwnd) != 0;
    win32::forget_window(hwnd);
    std::erase(destroying, hwnd);
    return destroyed;
}

bool is_window(WindowHandle window) {
    return window != 0 && IsWindow(win32::to_hwnd(window));
}

WindowHandle window_parent(WindowHandle window) {
    const HWND hwnd = win32::to_hwnd(window);
    if (!is_window(window)) {
        return 0;
    }
    return win32::to_handle(win32::is_child(hwnd) ? GetAncestor(hwnd, GA_PARENT)
                                                  : GetWindow(hwnd, GW_OWNER));
}

// The built-in controls answer with the names the program made them with.
std::string window_class_name(WindowHandle window) {
    wchar_t name[257] = {};
    const int length = is_window(window) ? GetClassNameW(win32::to_hwnd(window), name, 257) : 0;
    std::string ascii;
    for (int i = 0; i < length; ++i) {
        ascii.push_back(static_cast<char>(name[i]));
    }
    for (const std::string_view control : {static_class, edit_class, button_class}) {
        if (std::ranges::equal(ascii, control, [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) == b;
            })) {
            return std::string(control);
        }
    }
    return ascii;
}

bool show_window(WindowHandle window, ShowCommand command) {
    if (!is_window(window)) {
        return false;
    }
    const int show = command == ShowCommand::hide   ? SW_HIDE
                     : command == ShowCommand::show ? SW_SHOW
                                                    : SW_MINIMIZE;
    return ShowWindow(win32::to_hwnd(window), show) != 0;
}

bool is_window_visible(WindowHandle window) {
    return is_window(window) && IsWindowVisible(win32::to_hwnd(window));
}

bool enable_window(WindowHandle window, bool enable) {
    if (!is_window(window)) {
        return false;
    }
    const HWND hwnd = win32::to_hwnd(window);
    const bool was_disabled = EnableWindow(hwnd, enable ? TRUE : FALSE) != 0;
    // A disabled window cannot hold the keyboard, nor can a control inside it.
    const HWND focus = GetFocus();
    if (!enable && focus != nullptr && (focus == hwnd || IsChild(hwnd, focus))) {
        SetFocus(nullptr);
    }
    return was_disabled;
}

bool is_window_enabled(WindowHandle window) {
    return is_window(window) && IsWindowEnabled(win32::to_hwnd(window));
}

std::vector<WindowHandle> thread_windows() {
    std::vector<WindowHandle> handles;
    for (const HWND hwnd : win32::top_level_windows()) {
        if (IsWindow(hwnd) && !win32::is_child(hwnd)) {
            handles.push_back(win32::to_handle(hwnd));
        }
    }
    return handles;
}

}  // namespace platform

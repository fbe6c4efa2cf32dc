// The trampoline between the system and a platform window procedure, and the default handling.
//
// A platform procedure takes numbers only; pointers and handles the system passes in wparam or
// lparam are narrowed to 32 bits on the way. The message being handled is kept with its full
// parameters, so that default_window_proc gives the system back exactly what it sent.
#include <vector>

#include "platform/messages.h"
#include "platform/win32/window/win32_window.h"

namespace platform::win32 {
namespace {

struct Handling {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

// Messages being handled, innermost last: procedures send messages to each other.
std::vector<Handling>& handling() {
    static std::vector<Handling> stack;
    return stack;
}

bool is_platform_message(UINT message) {
    switch (message) {
        case msg::create:
        case msg::destroy:
        case msg::set_focus:
        case msg::kill_focus:
        case msg::paint:
        case msg::close:
        case msg::erase_background:
        case msg::nc_lbutton_down:
        case msg::key_down:
        case msg::key_up:
        case msg::character:
        case msg::command:
        case msg::timer:
        case msg::dpi_changed:
        case msg::mouse_move:
        case msg::lbutton_down:
        case msg::lbutton_up:
        case msg::rbutton_down:
        case msg::rbutton_up:
            return true;
        default:
            return message >= msg::user && message <= 0xFFFFu;
    }
}

// The parameters as the platform procedure gets them.
std::uint32_t platform_wparam(UINT message, WPARAM wparam) {
    if (message == WM_CHAR) {
        return windows_1252_of(static_cast<wchar_t>(wparam));
    }
    return static_cast<std::uint32_t>(wparam);
}

std::int32_t platform_lparam(UINT message, LPARAM lparam) {
    // The creation record is a pointer, of no use to a procedure that takes numbers.
    return message == WM_CREATE ? 0 : narrow_lparam(lparam);
}

LRESULT call_platform(WindowProc procedure, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    handling().push_back({hwnd, message, wparam, lparam});
    const std::int32_t result =
        procedure(to_handle(hwnd), message, platform_wparam(message, wparam),
                  platform_lparam(message, lparam));
    handling().pop_back();
    return static_cast<LRESULT>(result);
}

// The desktop's move loop starts from the point in lparam; a press the program forwards
// without one starts from where the cursor is.
LPARAM caption_press_point(LPARAM lparam) {
    if (lparam != 0) {
        return lparam;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    return MAKELPARAM(cursor.x, cursor.y);
}

}  // namespace

bool reaches_platform(UINT message) {
    return is_platform_message(message);
}

LRESULT CALLBACK window_trampoline(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0) {
        remember_top_level(hwnd);
    }
    if (message == WM_NCDESTROY) {
        remove_properties(hwnd);
        forget_window(hwnd);
    }
    const WindowProc procedure = platform_procedure(hwnd);
    if (procedure == nullptr || !reaches_platform(message)) {
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    // A character outside Windows-1252 has nothing to tell the program.
    if (message == WM_CHAR && windows_1252_of(static_cast<wchar_t>(wparam)) == 0) {
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    return call_platform(procedure, hwnd, message, wparam, lparam);
}

}  // namespace platform::win32

namespace platform {

std::int32_t default_window_proc(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                                 std::int32_t lparam) {
    const HWND hwnd = win32::to_hwnd(window);
    WPARAM full_wparam = win32::to_wparam(wparam);
    LPARAM full_lparam = win32::to_lparam(lparam);
    const auto& stack = win32::handling();
    if (!stack.empty() && stack.back().hwnd == hwnd && stack.back().message == message) {
        full_wparam = stack.back().wparam;
        full_lparam = stack.back().lparam;
    }
    if (message == msg::nc_lbutton_down && wparam == hit_caption) {
        full_lparam = win32::caption_press_point(full_lparam);
    }
    return win32::narrow_result(DefWindowProcW(hwnd, message, full_wparam, full_lparam));
}

}  // namespace platform

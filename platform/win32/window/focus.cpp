// Keyboard focus, mouse capture, the active window, and where the cursor and the screen are.
#include "platform/win32/window/win32_window.h"

namespace platform {

WindowHandle set_focus(WindowHandle window) {
    if (window != 0 && !is_window_enabled(window)) {
        return 0;
    }
    return win32::to_handle(SetFocus(win32::to_hwnd(window)));
}

WindowHandle focus_window() {
    return win32::to_handle(GetFocus());
}

WindowHandle set_capture(WindowHandle window) {
    if (!is_window(window)) {
        return capture_window();
    }
    return win32::to_handle(SetCapture(win32::to_hwnd(window)));
}

void release_capture() {
    ReleaseCapture();
}

WindowHandle capture_window() {
    return win32::to_handle(GetCapture());
}

// Only a window of this program counts: another program's is none of its business.
WindowHandle foreground_window() {
    const HWND hwnd = GetForegroundWindow();
    DWORD process = 0;
    if (hwnd == nullptr || GetWindowThreadProcessId(hwnd, &process) == 0 ||
        process != GetCurrentProcessId()) {
        return 0;
    }
    return win32::to_handle(hwnd);
}

bool set_foreground_window(WindowHandle window) {
    return is_window(window) && SetForegroundWindow(win32::to_hwnd(window));
}

void bring_window_to_top(WindowHandle window) {
    if (is_window(window)) {
        BringWindowToTop(win32::to_hwnd(window));
    }
}

Point cursor_position() {
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
}

Size screen_size() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace platform

// The thread's message queue on the system's: posting, sending, retrieving, translating and
// dispatching, the quit request, and loops nested on top of the main one.
#include <array>

#include "platform/win32/window/win32_window.h"

namespace platform {
namespace win32 {
namespace {

struct Retrieved {
    Message message;
    MSG raw{};
};

// The messages retrieved last, so that translating and dispatching one of them hands the system
// its own record (a typed character in UTF-16, pointers in full) rather than a rebuilt one.
// Nested loops retrieve a few more before an outer loop dispatches its own.
std::array<Retrieved, 8>& retrieved() {
    static std::array<Retrieved, 8> ring{};
    return ring;
}
std::size_t next_slot = 0;

bool same_message(const Message& a, const Message& b) {
    return a.window == b.window && a.message == b.message && a.wparam == b.wparam &&
           a.lparam == b.lparam && a.time == b.time && a.point == b.point;
}

void keep_retrieved(const Message& message, const MSG& raw) {
    retrieved()[next_slot] = {message, raw};
    next_slot = (next_slot + 1) % retrieved().size();
}

}  // namespace

Message message_of(const MSG& raw) {
    Message message;
    message.window = to_handle(raw.hwnd);
    message.message = raw.message;
    message.wparam = raw.message == WM_CHAR ? windows_1252_of(static_cast<wchar_t>(raw.wParam))
                                            : static_cast<std::uint32_t>(raw.wParam);
    message.lparam = narrow_lparam(raw.lParam);
    message.time = raw.time;
    message.point = {raw.pt.x, raw.pt.y};
    message.character = raw.message == WM_KEYDOWN ? character_of_key(raw) : 0;
    return message;
}

MSG system_message_of(const Message& message) {
    for (const Retrieved& kept : retrieved()) {
        if (kept.raw.message != 0 && same_message(kept.message, message)) {
            return kept.raw;
        }
    }
    MSG raw{};
    raw.hwnd = to_hwnd(message.window);
    raw.message = message.message;
    raw.wParam = to_wparam(message.wparam);
    raw.lParam = to_lparam(message.lparam);
    raw.time = message.time;
    raw.pt = {message.point.x, message.point.y};
    return raw;
}

}  // namespace win32

bool post_message(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                  std::int32_t lparam) {
    if (window != 0 && !is_window(window)) {
        return false;
    }
    return PostMessageW(win32::to_hwnd(window), message, win32::to_wparam(wparam),
                        win32::to_lparam(lparam)) != 0;
}

std::int32_t send_message(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                          std::int32_t lparam) {
    if (!is_window(window)) {
        return 0;
    }
    return win32::narrow_result(SendMessageW(win32::to_hwnd(window), message,
                                             win32::to_wparam(wparam), win32::to_lparam(lparam)));
}

bool get_message(Message& out) {
    MSG raw{};
    const BOOL got = GetMessageW(&raw, nullptr, 0, 0);
    if (got == -1) {
        // Nothing can be retrieved any more: end the loop as a failed program would.
        out = {};
        out.message = msg::quit;
        out.wparam = static_cast<std::uint32_t>(-1);
        return false;
    }
    out = win32::message_of(raw);
    win32::keep_retrieved(out, raw);
    return got != 0;
}

void translate_message(const Message& message) {
    const MSG raw = win32::system_message_of(message);
    TranslateMessage(&raw);
}

std::int32_t dispatch_message(const Message& message) {
    if (message.message == msg::timer) {
        const HWND hwnd = win32::to_hwnd(message.window);
        if (const TimerProc procedure = win32::timer_procedure(hwnd, message.wparam)) {
            procedure(message.window, msg::timer, message.wparam, GetTickCount());
            return 0;
        }
    }
    const MSG raw = win32::system_message_of(message);
    return win32::narrow_result(DispatchMessageW(&raw));
}

void post_quit_message(std::int32_t exit_code) {
    PostQuitMessage(exit_code);
}

}  // namespace platform

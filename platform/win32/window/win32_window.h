// What the files of the USER32 window service share: handles and texts crossing to the system,
// the message a platform procedure is handling, and the program's own books (the top-level
// windows in creation order, the timers that have a procedure).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/message_queue.h"
#include "platform/types.h"
#include "platform/window.h"

namespace platform::win32 {

// Window handles are significant in their low 32 bits; the system sign-extends them.
inline HWND to_hwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window)));
}
inline WindowHandle to_handle(HWND hwnd) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(hwnd));
}
inline WPARAM to_wparam(std::uint32_t wparam) {
    return static_cast<WPARAM>(wparam);
}
inline LPARAM to_lparam(std::int32_t lparam) {
    return static_cast<LPARAM>(lparam);
}
inline std::int32_t narrow_lparam(LPARAM lparam) {
    return static_cast<std::int32_t>(lparam);
}
inline std::int32_t narrow_result(LRESULT result) {
    return static_cast<std::int32_t>(result);
}

// Class and property names are ASCII.
std::wstring wide_ascii(std::string_view name);
// UTF-16 texts are the system's own wide strings.
inline const wchar_t* wide_text(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// The Windows-1252 code of a UTF-16 character, 0 when it has none.
std::uint8_t windows_1252_of(wchar_t character);
// The Windows-1252 character a key press types, 0 for none, without changing the keyboard state.
std::uint8_t character_of_key(const MSG& key_down);

// A message as the program sees it, and the system's message it came from.
Message message_of(const MSG& raw);
// The system's message behind a program's message: the one retrieved last when it is that one,
// else rebuilt from its numbers.
MSG system_message_of(const Message& message);

// Whether a system message reaches a platform window procedure (the messages the program has
// names for, and its own); the others get the system's default handling alone.
bool reaches_platform(UINT message);

// The procedure of a window of a class registered by the program; null for other windows.
WindowProc platform_procedure(HWND hwnd);
// The trampoline of every class the program registers.
LRESULT CALLBACK window_trampoline(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Top-level windows in the order they were made.
void remember_top_level(HWND hwnd);
void forget_window(HWND hwnd);

// The procedure of a timer set with one, null otherwise.
TimerProc timer_procedure(HWND hwnd, UINT_PTR timer_id);
void forget_timers_of(HWND hwnd);

// Destroys the properties the program attached to a window, which the system leaves behind.
void remove_properties(HWND hwnd);

}  // namespace platform::win32

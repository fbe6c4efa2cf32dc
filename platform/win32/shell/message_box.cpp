// Modal message boxes: MessageBoxW, whose own loop dispatches the messages of the thread's other
// windows, disables the owner while the box is up, and on a quit request ends the box and posts
// the request again for the loop below.
#include <windows.h>

#include <string>

#include "platform/shell.h"
#include "platform/win32/shell/win32_shell.h"

namespace platform {
namespace {

bool is_topmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

}  // namespace

std::int32_t message_box(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                         std::uint32_t type) {
    // A box owned by a window that has gone would not be shown at all: it is shown unowned.
    HWND owner_window = owner != 0 ? GetAncestor(win32::hwnd_of(owner), GA_ROOT) : nullptr;
    if (owner_window != nullptr && !IsWindow(owner_window)) {
        owner_window = nullptr;
    }
    // The game window stays above every other window: a box that is not above it too would be
    // hidden behind it, with the game disabled.
    if (owner_window == nullptr || is_topmost(owner_window)) {
        type |= MB_TOPMOST | MB_SETFOREGROUND;
    }
    const std::wstring wide_text = win32::wide_from_u16(text);
    const std::wstring wide_caption = win32::wide_from_u16(caption);
    const bool owner_was_enabled = owner_window != nullptr && IsWindowEnabled(owner_window);
    const int result = MessageBoxW(owner_window, wide_text.c_str(), wide_caption.c_str(), type);
    // A box ended by a quit request may leave its owner disabled (Wine does): a game whose window
    // takes no input any more could only be killed.
    if (owner_was_enabled && IsWindow(owner_window) && !IsWindowEnabled(owner_window)) {
        EnableWindow(owner_window, TRUE);
    }
    return result;
}

}  // namespace platform

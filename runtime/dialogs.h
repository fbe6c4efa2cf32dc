// Modal services that stop the game until the player answers: message boxes and the one-line
// name dialog. Both are modal for the whole thread: the thread's other windows are disabled
// while they are up.
//
// Texts are Windows-1252 (runtime/text.h); what the player types that the code page cannot hold
// comes back as "?".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

// The foreground window when it is one of ours, else 0 (another program is in front).
platform::WindowHandle foreground_owner();

// Disables every visible, enabled top-level window of the calling thread except the foreground
// window, and remembers each one; restore_thread_windows enables again those the calling thread
// remembered.
void disable_thread_windows();
void restore_thread_windows();

// A modal box owned by foreground_owner(); returns the platform's result (1 for OK). The type is
// passed on unchanged (0: one OK button, no icon).
std::int32_t show_message_box(std::string_view caption, std::string_view text, std::uint32_t type);
// A box with one OK button.
std::int32_t show_message(std::string_view caption, std::string_view text);

// Asks for one line of text in a small dialog centred on the screen; the field starts with the
// default text, the caret at its end. Returns the field's text when the player confirms (OK or
// Enter), unchanged and possibly empty, and the empty text when the dialog is cancelled (Escape,
// a close request or a quit request, which is then posted again for the caller's loop).
std::string show_input_requester(std::string_view title, std::string_view prompt,
                                 std::string_view default_text);

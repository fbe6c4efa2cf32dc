// Message boxes, modal for the whole thread.
#include "platform/shell.h"
#include "runtime/dialogs.h"
#include "runtime/text.h"

std::int32_t show_message_box(std::string_view caption, std::string_view text, std::uint32_t type) {
    // Converted before anything runs: the box's loop may run code that changes the caller's texts.
    const std::u16string wide_caption = to_wide(caption);
    const std::u16string wide_text = to_wide(text);
    disable_thread_windows();
    const std::int32_t result =
        platform::message_box(foreground_owner(), wide_text, wide_caption, type);
    restore_thread_windows();
    return result;
}

std::int32_t show_message(std::string_view caption, std::string_view text) {
    return show_message_box(caption, text, platform::message_box_ok);
}

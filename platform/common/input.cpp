// Input and changes reported by the window system, turned into queued messages.
#include "platform/common/native.h"
#include "platform/common/window_system.h"
#include "platform/message_queue.h"
#include "platform/messages.h"

namespace platform::common {

void native_focus_changed(WindowHandle window) {
    if (window != 0 && find_window(window) == nullptr) {
        window = 0;
    }
    move_focus(window, FocusSource::window_system);
}

void native_window_moved(WindowHandle window, Point top_left) {
    if (auto* record = find_window(window)) {
        const std::int32_t width = record->rect.right - record->rect.left;
        const std::int32_t height = record->rect.bottom - record->rect.top;
        record->rect = {top_left.x, top_left.y, top_left.x + width, top_left.y + height};
    }
}

void native_close_requested(WindowHandle window) {
    post_message(window, msg::close, 0, 0);
}

void post_mouse(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                Point screen_position) {
    const WindowHandle capture = window_system().capture;
    const WindowHandle target = capture != 0 ? capture : window;
    const WindowRecord* record = find_window(target);
    if (record == nullptr || !record->enabled) {
        return;
    }
    const Point origin = client_origin(*record);
    post_message(target, message, wparam,
                 make_point_lparam(screen_position.x - origin.x, screen_position.y - origin.y));
}

void post_key(WindowHandle window, std::uint32_t message, std::uint32_t virtual_key,
              std::uint8_t character, KeyRepeat repeat) {
    const WindowHandle focus = window_system().focus;
    const WindowHandle target = focus != 0 ? focus : window;
    const WindowRecord* record = find_window(target);
    if (record == nullptr || !record->enabled) {
        return;
    }
    post_message(target, message, virtual_key,
                 repeat == KeyRepeat::repeat ? key_state::repeated : key_state::pressed);
    if (message == msg::key_down && !window_system().queue.empty()) {
        window_system().queue.back().character = character;
    }
}

}  // namespace platform::common

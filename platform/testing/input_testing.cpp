// Scripted input and message loops for tests.
#include <optional>

#include "platform/common/window_system.h"
#include "platform/message_queue.h"
#include "platform/testing/test_world.h"

namespace platform::testing {
namespace {

Point to_screen(WindowHandle window, Point client) {
    const auto* record = common::find_window(window);
    const Point origin = record ? common::client_origin(*record) : Point{};
    return {origin.x + client.x, origin.y + client.y};
}

void post_mouse_at(WindowHandle window, std::uint32_t message, std::uint32_t wparam, Point client) {
    const Point screen = to_screen(window, client);
    world().cursor = screen;
    common::post_mouse(window, message, wparam, screen);
}

// Whether get_message would hand out something without waiting.
bool work_pending() {
    const auto& system = common::window_system();
    if (!system.queue.empty() || system.quit_requested) {
        return true;
    }
    for (const auto& [handle, record] : system.windows) {
        if (record->invalid && is_window_visible(handle)) {
            return true;
        }
    }
    return false;
}

}  // namespace

constexpr std::uint32_t left_button_held = 1;

void mouse_move(WindowHandle window, Point client) {
    post_mouse_at(window, msg::mouse_move, 0, client);
}

void mouse_down(WindowHandle window, Point client) {
    post_mouse_at(window, msg::lbutton_down, left_button_held, client);
}

void mouse_up(WindowHandle window, Point client) {
    post_mouse_at(window, msg::lbutton_up, 0, client);
}

void key_press(WindowHandle window, std::uint32_t virtual_key, std::uint8_t character) {
    common::post_key(window, msg::key_down, virtual_key, character);
    common::post_key(window, msg::key_up, virtual_key, 0);
}

void key_repeat(WindowHandle window, std::uint32_t virtual_key, std::uint8_t character) {
    common::post_key(window, msg::key_down, virtual_key, character, common::KeyRepeat::repeat);
}

bool pump() {
    Message message;
    while (work_pending()) {
        if (!get_message(message)) {
            return false;
        }
        translate_message(message);
        dispatch_message(message);
    }
    return true;
}

bool run_for(std::uint32_t milliseconds) {
    const std::uint32_t deadline = world().clock + milliseconds;
    Message message;
    for (;;) {
        if (!work_pending()) {
            const auto& timers = common::window_system().timers;
            std::optional<std::uint32_t> next_due;
            for (const auto& timer : timers) {
                if (!next_due || common::ticks_between(timer.due, *next_due) < 0) {
                    next_due = timer.due;
                }
            }
            if (!next_due || common::ticks_between(*next_due, deadline) > 0) {
                world().clock = deadline;
                return true;
            }
        }
        if (!get_message(message)) {
            return false;
        }
        translate_message(message);
        dispatch_message(message);
    }
}

}  // namespace platform::testing

// The thread's message queue: posting, sending, retrieving in the desktop's order, dispatching.
#include "platform/message_queue.h"

#include <algorithm>
#include <limits>

#include "platform/clock.h"
#include "platform/common/native.h"
#include "platform/common/window_system.h"

namespace platform {
namespace {

Message make_message(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                     std::int32_t lparam) {
    Message queued;
    queued.window = window;
    queued.message = message;
    queued.wparam = wparam;
    queued.lparam = lparam;
    queued.time = tick_count();
    queued.point = native::cursor_position();
    return queued;
}

// A visible window waiting for its paint, in creation order.
common::WindowRecord* window_to_paint() {
    for (auto& [handle, record] : common::window_system().windows) {
        if (record->invalid && is_window_visible(handle)) {
            return record.get();
        }
    }
    return nullptr;
}

common::Timer* next_timer() {
    auto& timers = common::window_system().timers;
    const auto earliest = std::ranges::min_element(
        timers, [now = tick_count()](const common::Timer& a, const common::Timer& b) {
            return common::ticks_between(a.due, now) < common::ticks_between(b.due, now);
        });
    return earliest == timers.end() ? nullptr : &*earliest;
}

// The built-in controls draw themselves; their messages only get the default handling, which
// validates them when they are painted.
std::int32_t control_procedure(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                               std::int32_t lparam) {
    return default_window_proc(window, message, wparam, lparam);
}

}  // namespace

bool post_message(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                  std::int32_t lparam) {
    if (window != 0 && !is_window(window)) {
        return false;
    }
    common::window_system().queue.push_back(make_message(window, message, wparam, lparam));
    return true;
}

std::int32_t send_message(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                          std::int32_t lparam) {
    const auto* record = common::find_window(window);
    if (record == nullptr) {
        return 0;
    }
    const WindowProc procedure = record->procedure ? record->procedure : control_procedure;
    return procedure(window, message, wparam, lparam);
}

bool get_message(Message& out) {
    auto& system = common::window_system();
    for (;;) {
        if (!system.queue.empty()) {
            out = system.queue.front();
            system.queue.pop_front();
            return true;
        }
        if (system.quit_requested) {
            system.quit_requested = false;
            out = make_message(0, msg::quit, static_cast<std::uint32_t>(system.quit_code), 0);
            return false;
        }
        if (const auto* record = window_to_paint()) {
            out = make_message(record->handle, msg::paint, 0, 0);
            return true;
        }
        common::Timer* timer = next_timer();
        const std::uint32_t now = tick_count();
        if (timer != nullptr && common::ticks_between(timer->due, now) <= 0) {
            timer->due = now + timer->period_ms;
            out = make_message(timer->window, msg::timer, timer->id, 0);
            return true;
        }
        native::wait_for_events(
            timer == nullptr ? native::wait_forever
                             : static_cast<std::uint32_t>(common::ticks_between(timer->due, now)));
    }
}

void translate_message(const Message& message) {
    if (message.message == msg::key_down && message.character != 0) {
        // The character comes next, before anything queued after the key.
        Message character =
            make_message(message.window, msg::character, message.character, message.lparam);
        common::window_system().queue.push_front(character);
    }
}

std::int32_t dispatch_message(const Message& message) {
    if (message.message == msg::timer) {
        for (const auto& timer : common::window_system().timers) {
            if (timer.window == message.window && timer.id == message.wparam &&
                timer.procedure != nullptr) {
                const TimerProc procedure = timer.procedure;
                procedure(message.window, msg::timer, message.wparam, tick_count());
                return 0;
            }
        }
    }
    return send_message(message.window, message.message, message.wparam, message.lparam);
}

void post_quit_message(std::int32_t exit_code) {
    auto& system = common::window_system();
    system.quit_requested = true;
    system.quit_code = exit_code;
}

std::int32_t default_window_proc(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                                 std::int32_t) {
    switch (message) {
        case msg::close:
            destroy_window(window);
            break;
        case msg::nc_lbutton_down:
            if (wparam == hit_caption) {
                if (auto* record = common::find_window(window)) {
                    native::begin_move(*record);
                }
            }
            break;
        case msg::paint:
            begin_paint(window);
            end_paint(window);
            break;
        default:
            break;
    }
    return 0;
}

bool set_timer(WindowHandle window, std::uint32_t timer_id, std::uint32_t period_ms,
               TimerProc procedure) {
    if (window != 0 && !is_window(window)) {
        return false;
    }
    auto& timers = common::window_system().timers;
    std::erase_if(timers, [&](const common::Timer& timer) {
        return timer.window == window && timer.id == timer_id;
    });
    const std::uint32_t period = std::max<std::uint32_t>(period_ms, 1);
    timers.push_back({window, timer_id, period, tick_count() + period, procedure});
    return true;
}

bool kill_timer(WindowHandle window, std::uint32_t timer_id) {
    const auto erased = std::erase_if(common::window_system().timers, [&](const common::Timer& t) {
        return t.window == window && t.id == timer_id;
    });
    return erased > 0;
}

}  // namespace platform

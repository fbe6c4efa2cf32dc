// The recording procedure and the time-limited loops of the window service's tests.
#include "platform/win32/window/tests/recording.h"

namespace platform::testing {
namespace {

std::int32_t recording_proc(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                            std::int32_t lparam) {
    const Received got{window, message, wparam, lparam};
    received().push_back(got);
    std::int32_t result = 0;
    if (reaction() && reaction()(got, result)) {
        return result;
    }
    return default_window_proc(window, message, wparam, lparam);
}

bool& time_is_up() {
    static bool up = false;
    return up;
}

void time_up(WindowHandle, std::uint32_t, std::uint32_t, std::uint32_t) {
    time_is_up() = true;
}

// The window that carries the time limit of run_until, out of the way of every test's windows.
WindowHandle clock_window() {
    static WindowHandle window = 0;
    if (!is_window(window)) {
        window = make_window(style::popup, 0, 0);
    }
    return window;
}

constexpr std::uint32_t time_limit_timer = 0x7157;

}  // namespace

std::vector<Received>& received() {
    static std::vector<Received> list;
    return list;
}

std::function<bool(const Received&, std::int32_t&)>& reaction() {
    static std::function<bool(const Received&, std::int32_t&)> react;
    return react;
}

void register_recorder() {
    if (!window_class_exists(recorder_class)) {
        register_window_class({.name = recorder_class, .procedure = recording_proc});
    }
}

WindowHandle make_window(std::uint32_t style, WindowHandle parent, std::uint32_t ex_style,
                         std::int32_t control_id) {
    return create_window({.ex_style = ex_style,
                          .class_name = recorder_class,
                          .style = style,
                          .x = 100,
                          .y = 50,
                          .width = 200,
                          .height = 100,
                          .parent = parent,
                          .control_id = control_id});
}

std::vector<std::uint32_t> messages_of(WindowHandle window) {
    std::vector<std::uint32_t> messages;
    for (const Received& got : received()) {
        if (got.window == window) {
            messages.push_back(got.message);
        }
    }
    return messages;
}

std::vector<Received> received_of(WindowHandle window, std::uint32_t message) {
    std::vector<Received> list;
    for (const Received& got : received()) {
        if (got.window == window && got.message == message) {
            list.push_back(got);
        }
    }
    return list;
}

bool run_until(const std::function<bool()>& done, std::uint32_t timeout_ms) {
    time_is_up() = false;
    set_timer(clock_window(), time_limit_timer, timeout_ms, time_up);
    run_nested_loop([&] { return done() || time_is_up(); });
    kill_timer(clock_window(), time_limit_timer);
    return done();
}

void run_for(std::uint32_t milliseconds) {
    run_until([] { return false; }, milliseconds);
}

void start_recording() {
    register_recorder();
    received().clear();
    reaction() = nullptr;
}

void destroy_every_window() {
    reaction() = nullptr;
    for (const WindowHandle window : thread_windows()) {
        if (window != clock_window()) {
            destroy_window(window);
        }
    }
    received().clear();
}

}  // namespace platform::testing

// A window procedure that writes every message it gets to a list, for tests of the window system.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/message_queue.h"
#include "platform/testing/test_platform.h"
#include "platform/window.h"

namespace platform::testing {

struct Received {
    WindowHandle window = 0;
    std::uint32_t message = 0;
    std::uint32_t wparam = 0;
    std::int32_t lparam = 0;
    friend bool operator==(const Received&, const Received&) = default;
};

inline std::vector<Received>& received() {
    static std::vector<Received> list;
    return list;
}

// Lets a test react to one message inside the procedure; returning true skips the default.
inline std::function<bool(const Received&)>& reaction() {
    static std::function<bool(const Received&)> react;
    return react;
}

inline std::int32_t recording_proc(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                                   std::int32_t lparam) {
    const Received got{window, message, wparam, lparam};
    received().push_back(got);
    if (reaction() && reaction()(got)) {
        return 0;
    }
    return default_window_proc(window, message, wparam, lparam);
}

// Resets the world and registers the class "Recorder" with the recording procedure.
inline void start_recording_world() {
    reset();
    received().clear();
    reaction() = nullptr;
    register_window_class({.name = "Recorder", .procedure = recording_proc});
}

// Layered, like the game's windows, so that only an explicit invalidation brings a paint.
inline WindowHandle make_window(std::uint32_t style = style::popup | style::visible,
                                WindowHandle parent = 0,
                                std::uint32_t ex_style = ex_style::layered) {
    return create_window({.ex_style = ex_style,
                          .class_name = "Recorder",
                          .style = style,
                          .x = 100,
                          .y = 50,
                          .width = 200,
                          .height = 100,
                          .parent = parent});
}

inline std::vector<std::uint32_t> messages_of(WindowHandle window) {
    std::vector<std::uint32_t> messages;
    for (const auto& got : received()) {
        if (got.window == window) {
            messages.push_back(got.message);
        }
    }
    return messages;
}

}  // namespace platform::testing

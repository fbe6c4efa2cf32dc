// A window procedure that writes down every message it gets, and a loop that runs the thread's
// messages for a while, for the tests of the window service on the desktop.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/message_queue.h"
#include "platform/window.h"

namespace platform::testing {

struct Received {
    WindowHandle window = 0;
    std::uint32_t message = 0;
    std::uint32_t wparam = 0;
    std::int32_t lparam = 0;
    friend bool operator==(const Received&, const Received&) = default;
};

std::vector<Received>& received();
// Lets a test answer one message itself: a result instead of the default handling.
std::function<bool(const Received&, std::int32_t& result)>& reaction();

// The class "Recorder", registered once for the program with the recording procedure.
inline constexpr const char* recorder_class = "Recorder";
void register_recorder();

WindowHandle make_window(std::uint32_t style = style::popup | style::visible,
                         WindowHandle parent = 0, std::uint32_t ex_style = ex_style::layered,
                         std::int32_t control_id = 0);

// The messages of one window, or its messages of one kind, in the order they came.
std::vector<std::uint32_t> messages_of(WindowHandle window);
std::vector<Received> received_of(WindowHandle window, std::uint32_t message);

// Runs the thread's messages until `done` or until the time is up; false when the time ran out.
bool run_until(const std::function<bool()>& done, std::uint32_t timeout_ms = 2000);
// Runs the thread's messages for that long.
void run_for(std::uint32_t milliseconds);

// Each test starts with nothing recorded and ends with its windows destroyed.
void start_recording();
void destroy_every_window();

}  // namespace platform::testing

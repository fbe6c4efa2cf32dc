// The thread's message queue and its timers. The main loop is written with get_message,
// translate_message and dispatch_message; the nested ones run run_nested_loop.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/messages.h"
#include "platform/types.h"

namespace platform {

// Called instead of the window procedure when a timer created with one fires.
using TimerProc = void (*)(WindowHandle window, std::uint32_t message, std::uint32_t timer_id,
                           std::uint32_t time);

bool post_message(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                  std::int32_t lparam);
// Calls the window procedure at once and returns its result; 0 for a window that does not exist.
std::int32_t send_message(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                          std::int32_t lparam);

// Waits for the next message and returns false when it is msg::quit (out.wparam then holds the
// exit code). Posted messages come first, then the quit request, then paints, then timers.
bool get_message(Message& out);
// Posts msg::character for a msg::key_down that types a character.
void translate_message(const Message& message);
// Calls the procedure of the message's window (or the timer procedure) and returns its result.
std::int32_t dispatch_message(const Message& message);
// Asks the loop to end: the next get_message with no posted message left returns false.
// Requests made before one is retrieved merge into one.
void post_quit_message(std::int32_t exit_code);

// The loop of a window that runs on top of another loop (a box, a dialog, a tooltip): runs the
// thread's messages until `finished` is true. Loops nest in any order, so it never ends on a
// quit request of its own: a quit request it meets is the program's, and it posts it again for
// the loop below and returns false. `take`, when given, sees each message first and returns true
// for one it has handled itself.
bool run_nested_loop(const std::function<bool()>& finished,
                     const std::function<bool(const Message&)>& take = nullptr);

// What a window procedure returns for a message it does not handle itself: msg::close destroys
// the window, msg::nc_lbutton_down with hit_caption moves it with the mouse until the button is
// released, msg::paint validates it.
std::int32_t default_window_proc(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                                 std::int32_t lparam);

// A timer fires every period: msg::timer is queued for the window when the queue is otherwise
// idle. Setting an existing (window, id) pair again restarts it.
bool set_timer(WindowHandle window, std::uint32_t timer_id, std::uint32_t period_ms,
               TimerProc procedure);
bool kill_timer(WindowHandle window, std::uint32_t timer_id);

}  // namespace platform

// Windows of the shell's tests, and waiting for what they receive.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/types.h"

namespace shell_tests {

// A plain popup window of this thread (hidden unless shown), always on top when asked.
HWND make_window(bool topmost);

// Dispatches the thread's messages until `done` is true or the time is up; whether it became true.
bool pump_until(const std::function<bool()>& done, DWORD timeout_ms);

// How many times the window's procedure got `message` since the window was made.
int times_received(HWND window, UINT message);

// Where Wine differs from what Windows documents, the tests accept Wine's way.
bool running_under_wine();

}  // namespace shell_tests

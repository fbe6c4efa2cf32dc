// Timers on the system's: the system queues msg::timer for the window when the queue is
// otherwise idle; a timer made with a procedure is found here when its message is dispatched.
#include <vector>

#include "platform/win32/window/win32_window.h"

namespace platform {
namespace {

struct TimerWithProcedure {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    TimerProc procedure = nullptr;
};

std::vector<TimerWithProcedure>& timers_with_procedure() {
    static std::vector<TimerWithProcedure> timers;
    return timers;
}

void forget_timer(HWND hwnd, UINT_PTR id) {
    std::erase_if(timers_with_procedure(), [&](const TimerWithProcedure& timer) {
        return timer.hwnd == hwnd && timer.id == id;
    });
}

}  // namespace

namespace win32 {

TimerProc timer_procedure(HWND hwnd, UINT_PTR timer_id) {
    for (const TimerWithProcedure& timer : timers_with_procedure()) {
        if (timer.hwnd == hwnd && timer.id == timer_id) {
            return timer.procedure;
        }
    }
    return nullptr;
}

void forget_timers_of(HWND hwnd) {
    std::erase_if(timers_with_procedure(),
                  [&](const TimerWithProcedure& timer) { return timer.hwnd == hwnd; });
}

}  // namespace win32

// Timers belong to a window: a thread timer would get an id of the system's choosing, which the
// program could not kill by its own.
bool set_timer(WindowHandle window, std::uint32_t timer_id, std::uint32_t period_ms,
               TimerProc procedure) {
    if (!is_window(window)) {
        return false;
    }
    const HWND hwnd = win32::to_hwnd(window);
    if (SetTimer(hwnd, timer_id, period_ms, nullptr) == 0) {
        return false;
    }
    forget_timer(hwnd, timer_id);
    if (procedure != nullptr) {
        timers_with_procedure().push_back({hwnd, timer_id, procedure});
    }
    return true;
}

bool kill_timer(WindowHandle window, std::uint32_t timer_id) {
    const HWND hwnd = win32::to_hwnd(window);
    forget_timer(hwnd, timer_id);
    return window != 0 && KillTimer(hwnd, timer_id) != 0;
}

}  // namespace platform

// The process-wide state of the common window bookkeeping, private to platform/common.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/accelerators.h"
#include "platform/common/window_table.h"
#include "platform/message_queue.h"
#include "platform/messages.h"

namespace platform::common {

struct Timer {
    WindowHandle window = 0;
    std::uint32_t id = 0;
    std::uint32_t period_ms = 0;
    std::uint32_t due = 0;  // tick count at which it fires next
    TimerProc procedure = nullptr;
};

struct WindowSystem {
    std::vector<WindowClass> classes;
    // Ordered by handle, which is creation order. unique_ptr keeps records in place.
    std::map<WindowHandle, std::unique_ptr<WindowRecord>> windows;
    WindowHandle next_handle = 1;
    WindowHandle focus = 0;
    WindowHandle capture = 0;
    std::deque<Message> queue;
    bool quit_requested = false;
    std::int32_t quit_code = 0;
    std::vector<Timer> timers;
    std::map<AcceleratorTable, std::vector<Accelerator>> accelerator_tables;
    AcceleratorTable next_accelerator_table = 1;
};

WindowSystem& window_system();

const WindowClass* find_window_class(std::string_view name);
ControlKind control_kind_of_class(std::string_view name);

// The focus moves to the window (0: none) with the kill-focus and set-focus messages; the
// backend is told only when the change did not come from it.
enum class FocusSource : std::uint8_t { program, window_system };
WindowHandle move_focus(WindowHandle window, FocusSource source);
// Whether the focus is on the window or on one of its child controls.
bool focus_is_in(WindowHandle window);

// Signed difference a - b of two tick counts, correct across the wrap-around.
inline std::int32_t ticks_between(std::uint32_t a, std::uint32_t b) {
    return static_cast<std::int32_t>(a - b);
}

}  // namespace platform::common

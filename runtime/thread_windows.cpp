// The thread's windows made unusable while a modal box or dialog is up, and usable again after.
#include <algorithm>
#include <thread>
#include <vector>

#include "platform/window.h"
#include "runtime/dialogs.h"

namespace {

struct DisabledWindow {
    std::thread::id thread;
    platform::WindowHandle window = 0;
};

// Windows disabled by disable_thread_windows and not yet enabled again, for every thread.
std::vector<DisabledWindow>& disabled_windows() {
    static std::vector<DisabledWindow> windows;
    return windows;
}

}  // namespace

platform::WindowHandle foreground_owner() {
    // The platform answers 0 when the window in front belongs to another program.
    return platform::foreground_window();
}

void disable_thread_windows() {
    const std::thread::id thread = std::this_thread::get_id();
    const platform::WindowHandle foreground = platform::foreground_window();
    for (const platform::WindowHandle window : platform::thread_windows()) {
        if (window != foreground && platform::is_window_visible(window) &&
            platform::is_window_enabled(window)) {
            platform::enable_window(window, false);
            disabled_windows().push_back({thread, window});
        }
    }
}

void restore_thread_windows() {
    const std::thread::id thread = std::this_thread::get_id();
    auto& windows = disabled_windows();
    for (const DisabledWindow& entry : windows) {
        if (entry.thread == thread) {
            platform::enable_window(entry.window, true);
        }
    }
    std::erase_if(windows, [&](const DisabledWindow& entry) { return entry.thread == thread; });
}

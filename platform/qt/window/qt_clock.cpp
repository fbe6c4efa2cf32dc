// The tick count and sleeping, on the real clock.
#include <chrono>
#include <thread>

#include "platform/clock.h"

namespace platform {

std::uint32_t tick_count() {
    const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
}

void sleep_ms(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace platform

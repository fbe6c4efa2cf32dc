// Time: a millisecond tick count and a sleep that blocks the thread without handling messages.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start; wraps around after about 49 days.
std::uint32_t tick_count();
void sleep_ms(std::uint32_t milliseconds);

}  // namespace platform

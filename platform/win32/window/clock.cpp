// The clock on the system's tick count; a sleep that handles no message.
#include <windows.h>

#include "platform/clock.h"

namespace platform {

std::uint32_t tick_count() {
    return GetTickCount();
}

void sleep_ms(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

}  // namespace platform

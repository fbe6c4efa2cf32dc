// Keyboard accelerators: keys that a modal loop turns into commands for one window.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/messages.h"
#include "platform/types.h"

namespace platform {

struct Accelerator {
    std::uint32_t virtual_key = 0;
    std::uint16_t command = 0;
};

using AcceleratorTable = std::uint32_t;  // 0 means none

AcceleratorTable create_accelerator_table(const std::vector<Accelerator>& accelerators);
bool destroy_accelerator_table(AcceleratorTable table);

// When the message is a key press (msg::key_down, for any window of the thread) of a key of the
// table, sends the window msg::command with the command in the low word and 1 in the high word,
// and returns true: the message is then not to be translated or dispatched.
bool translate_accelerator(WindowHandle window, AcceleratorTable table, const Message& message);

}  // namespace platform

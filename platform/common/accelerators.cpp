// Accelerator tables and their translation into commands.
#include "platform/accelerators.h"

#include "platform/common/window_system.h"
#include "platform/message_queue.h"

namespace platform {

AcceleratorTable create_accelerator_table(const std::vector<Accelerator>& accelerators) {
    auto& system = common::window_system();
    const AcceleratorTable table = system.next_accelerator_table++;
    system.accelerator_tables[table] = accelerators;
    return table;
}

bool destroy_accelerator_table(AcceleratorTable table) {
    return common::window_system().accelerator_tables.erase(table) > 0;
}

bool translate_accelerator(WindowHandle window, AcceleratorTable table, const Message& message) {
    if (message.message != msg::key_down || !is_window(window)) {
        return false;
    }
    const auto& tables = common::window_system().accelerator_tables;
    const auto found = tables.find(table);
    if (found == tables.end()) {
        return false;
    }
    for (const Accelerator& accelerator : found->second) {
        if (accelerator.virtual_key == message.wparam) {
            send_message(window, msg::command, accelerator.command | (1u << 16), 0);
            return true;
        }
    }
    return false;
}

}  // namespace platform

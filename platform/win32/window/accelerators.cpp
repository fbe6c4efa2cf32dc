// Accelerator tables on the system's. The program's table numbers index a list of the system's
// handles, so that a number never names a destroyed table or another program's.
#include <vector>

#include "platform/accelerators.h"
#include "platform/win32/window/win32_window.h"

namespace platform {
namespace {

// Slot n holds table n + 1; a destroyed table leaves its slot empty for the next one.
std::vector<HACCEL>& tables() {
    static std::vector<HACCEL> list;
    return list;
}

HACCEL table_of(AcceleratorTable table) {
    return table == 0 || table > tables().size() ? nullptr : tables()[table - 1];
}

}  // namespace

AcceleratorTable create_accelerator_table(const std::vector<Accelerator>& accelerators) {
    std::vector<ACCEL> entries;
    for (const Accelerator& accelerator : accelerators) {
        entries.push_back(
            {FVIRTKEY, static_cast<WORD>(accelerator.virtual_key), accelerator.command});
    }
    HACCEL handle = entries.empty()
                        ? nullptr
                        : CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size()));
    if (handle == nullptr) {
        return 0;
    }
    auto& list = tables();
    for (std::size_t slot = 0; slot < list.size(); ++slot) {
        if (list[slot] == nullptr) {
            list[slot] = handle;
            return static_cast<AcceleratorTable>(slot + 1);
        }
    }
    list.push_back(handle);
    return static_cast<AcceleratorTable>(list.size());
}

bool destroy_accelerator_table(AcceleratorTable table) {
    HACCEL handle = table_of(table);
    if (handle == nullptr) {
        return false;
    }
    tables()[table - 1] = nullptr;
    return DestroyAcceleratorTable(handle) != 0;
}

bool translate_accelerator(WindowHandle window, AcceleratorTable table, const Message& message) {
    HACCEL handle = table_of(table);
    if (message.message != msg::key_down || handle == nullptr || !is_window(window)) {
        return false;
    }
    MSG raw = win32::system_message_of(message);
    return TranslateAcceleratorW(win32::to_hwnd(window), handle, &raw) != 0;
}

}  // namespace platform

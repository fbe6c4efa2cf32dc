// The state of the test backend, private to platform/testing.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/testing/test_platform.h"

namespace platform::testing {

struct EditState {
    std::u16string text;
    EditSelection selection;
    bool dialog_font = false;
};

struct TestWorld {
    std::uint32_t clock = 0;
    Size screen{1024, 768};
    float pixel_ratio = 1.0F;
    Point cursor;
    WindowHandle foreground = 0;
    bool tray_available = true;
    bool starved = false;
    bool keep_pictures = true;
    std::uint32_t midi_open_result = 0;
    std::uint32_t midi_send_result = 0;
    bool midi_open = false;
    std::vector<Event> journal;
    std::map<WindowHandle, Picture> last_pictures;
    std::map<WindowHandle, EditState> edits;
    std::function<void()> idle_handler;
    std::function<std::int32_t(const Event&)> message_box_handler;
    ProgramIdentity identity;
    FolderClaim claim_result = FolderClaim::claimed;
    std::optional<std::string> claimed_folder;
    WindowHandle come_forward_window = 0;
    std::uint32_t come_forward_message = 0;
    bool come_forward_waiting = false;
};

TestWorld& world();
void record(Event event);

}  // namespace platform::testing

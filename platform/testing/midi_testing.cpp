// A MIDI output that records what it is sent and answers with the results the test chose.
#include "platform/midi.h"

#include "platform/testing/test_world.h"

namespace platform {

std::uint32_t midi_output_open() {
    auto& world = testing::world();
    testing::record({.kind = testing::EventKind::midi_open, .value = world.midi_open_result});
    world.midi_open = world.midi_open_result == midi_no_error;
    return world.midi_open_result;
}

void midi_output_load() {
    testing::record({.kind = testing::EventKind::midi_load});
}

std::uint32_t midi_output_send(std::uint32_t short_message) {
    testing::record({.kind = testing::EventKind::midi_message, .value = short_message});
    return testing::world().midi_send_result;
}

}  // namespace platform

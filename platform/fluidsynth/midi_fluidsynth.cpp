// The MIDI output of the real program: short messages played by the FluidSynth synthesizer.
#include "platform/fluidsynth/synth.h"
#include "platform/midi.h"

namespace platform {
namespace {

// The desktop's codes for a device that cannot be opened and for a closed output.
constexpr std::uint32_t no_device = 2;
constexpr std::uint32_t invalid_handle = 5;
constexpr std::uint32_t invalid_parameter = 11;

}  // namespace

std::uint32_t midi_output_open() {
    return fluidsynth::open_synth(fluidsynth::Output::sound_server) ? midi_no_error : no_device;
}

std::uint32_t midi_output_send(std::uint32_t short_message) {
    if (!fluidsynth::synth_open()) {
        return invalid_handle;
    }
    return fluidsynth::play_short_message(short_message) ? midi_no_error : invalid_parameter;
}

}  // namespace platform

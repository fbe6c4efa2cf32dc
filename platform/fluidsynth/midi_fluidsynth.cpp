// The MIDI output of the real program: short messages played by the FluidSynth synthesizer,
// heard through the game's audio output on the desktop's sound server.
#include "platform/fluidsynth/midi_output.h"
#include "platform/fluidsynth/sound_font.h"
#include "platform/fluidsynth/synth.h"
#include "platform/midi.h"
#include "platform/pulseaudio/audio_output.h"

namespace platform {
namespace {

// The desktop's codes for a device that cannot be opened, a closed output, a message it cannot
// play, and an output that cannot play now (here: no sound server).
constexpr std::uint32_t no_device = 2;
constexpr std::uint32_t invalid_handle = 5;
constexpr std::uint32_t invalid_parameter = 11;
constexpr std::uint32_t not_ready = 67;

pulseaudio::AudioSource synth_source() {
    return {.sample_rate = fluidsynth::synth_sample_rate(),
            .render = fluidsynth::render,
            .sounding = fluidsynth::sounding};
}

bool strikes_note(std::uint32_t message) {
    return (message & 0xF0u) == 0x90 && ((message >> 16) & 0x7Fu) != 0;
}

// Without a sound server every message fails. Those that set the synthesizer up still reach it,
// so that the instruments are right when the server is back; a note is dropped, for it would
// ring late.
std::uint32_t send_unplayable(std::uint32_t message) {
    if (!strikes_note(message)) {
        fluidsynth::play_short_message(message);
    }
    return not_ready;
}

}  // namespace

std::uint32_t midi_output_open() {
    if (fluidsynth::synth_open()) {
        return midi_no_error;
    }
    if (!fluidsynth::open_synth(fluidsynth::find_sound_font())) {
        return no_device;
    }
    if (!pulseaudio::open_output(synth_source())) {
        fluidsynth::close_synth();
        return no_device;
    }
    return midi_no_error;
}

std::uint32_t midi_output_send(std::uint32_t short_message) {
    if (!fluidsynth::synth_open()) {
        return invalid_handle;
    }
    const bool playable =
        strikes_note(short_message) ? pulseaudio::start_note() : pulseaudio::output_playable();
    if (!playable) {
        return send_unplayable(short_message);
    }
    return fluidsynth::play_short_message(short_message) ? midi_no_error : invalid_parameter;
}

namespace fluidsynth {

void close_midi_output() {
    pulseaudio::close_output();
    close_synth();
}

}  // namespace fluidsynth
}  // namespace platform

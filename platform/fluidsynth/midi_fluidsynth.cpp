// The MIDI output of the real program: short messages played by the FluidSynth synthesizer,
// heard through the game's audio output on the desktop's sound server. Opening checks only what
// decides whether the output can sound at all (a sound font, a sound server that answers); the
// synthesizer is made afterwards, in the background.
#include "platform/fluidsynth/midi_output.h"
#include "platform/fluidsynth/sound_font.h"
#include "platform/fluidsynth/synth.h"
#include "platform/fluidsynth/synth_loader.h"
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

using fluidsynth::SynthStage;

struct OutputRecord {
    bool open = false;
    std::string sound_font;  // what the synthesizer is made with; empty: the system's
};

OutputRecord& output() {
    static OutputRecord record;
    return record;
}

pulseaudio::AudioSource synth_source() {
    return {.sample_rate = fluidsynth::synth_sample_rate,
            .render = fluidsynth::render,
            .sounding = fluidsynth::sounding};
}

bool is_note(std::uint32_t message) {
    return (message & 0xE0u) == 0x80;
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

std::uint32_t send_to_synth(std::uint32_t message) {
    const bool playable =
        strikes_note(message) ? pulseaudio::start_note() : pulseaudio::output_playable();
    if (!playable) {
        return send_unplayable(message);
    }
    return fluidsynth::play_short_message(message) ? midi_no_error : invalid_parameter;
}

// The stage of the synthesizer that a message meets. Before it is ready a note is dropped, for
// it would sound late (and that is no failure: the synthesizer is on its way), and what sets the
// synthesizer up is kept for it.
SynthStage stage_met_by(std::uint32_t message) {
    return is_note(message) ? fluidsynth::synth_stage() : fluidsynth::keep_for_synth(message);
}

// Opens the audio output for a synthesizer to be made with the sound font (empty: the system's).
std::uint32_t open_output_for(const std::string& sound_font) {
    if (!pulseaudio::open_output(synth_source())) {
        return no_device;
    }
    output() = {.open = true, .sound_font = sound_font};
    return midi_no_error;
}

}  // namespace

std::uint32_t midi_output_open() {
    if (output().open) {
        return midi_no_error;
    }
    return fluidsynth::sound_font_present() ? open_output_for({}) : no_device;
}

void midi_output_load() {
    if (output().open) {
        fluidsynth::start_synth_load(output().sound_font);
    }
}

std::uint32_t midi_output_send(std::uint32_t short_message) {
    if (!output().open) {
        return invalid_handle;
    }
    if (!fluidsynth::plays_kind_of(short_message)) {
        return invalid_parameter;
    }
    switch (stage_met_by(short_message)) {
        case SynthStage::ready:
            return send_to_synth(short_message);
        case SynthStage::failed:
            return no_device;
        default:
            return midi_no_error;
    }
}

namespace fluidsynth {

std::uint32_t open_midi_output(const std::string& sound_font) {
    if (output().open) {
        return midi_no_error;
    }
    return sound_font.empty() ? no_device : open_output_for(sound_font);
}

void close_midi_output() {
    forget_synth_load();
    pulseaudio::close_output();
    close_synth();
    output() = OutputRecord{};
}

}  // namespace fluidsynth
}  // namespace platform

// FluidSynth with the default sound font and the desktop's sound server.
#include "platform/fluidsynth/synth.h"

#include <fluidsynth.h>

#include <filesystem>

namespace platform::fluidsynth {
namespace {

struct SynthState {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;
};

SynthState& state() {
    static SynthState synth_state;
    return synth_state;
}

void quiet_fluidsynth_logging() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
}

// The desktop's sound server: PulseAudio, or PipeWire through its PulseAudio service.
fluid_audio_driver_t* open_audio(fluid_settings_t* settings, fluid_synth_t* synth) {
    fluid_settings_setstr(settings, "audio.driver", "pulseaudio");
    return new_fluid_audio_driver(settings, synth);
}

}  // namespace

bool open_synth(Output output, const std::string& sound_font) {
    if (synth_open()) {
        return true;
    }
    quiet_fluidsynth_logging();
    std::error_code error;
    if (!std::filesystem::is_regular_file(sound_font, error)) {
        return false;
    }
    SynthState& synth_state = state();
    synth_state.settings = new_fluid_settings();
    // Samples are read when a program first needs them, which keeps start-up quick.
    fluid_settings_setint(synth_state.settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(synth_state.settings, "audio.period-size", 256);
    fluid_settings_setstr(synth_state.settings, "audio.pulseaudio.media-role", "game");
    synth_state.synth = new_fluid_synth(synth_state.settings);
    const bool ready = synth_state.synth != nullptr &&
                       fluid_synth_sfload(synth_state.synth, sound_font.c_str(), 1) != FLUID_FAILED;
    if (ready && output == Output::sound_server) {
        synth_state.driver = open_audio(synth_state.settings, synth_state.synth);
    }
    if (!ready || (output == Output::sound_server && synth_state.driver == nullptr)) {
        close_synth();
        return false;
    }
    return true;
}

void close_synth() {
    SynthState& synth_state = state();
    if (synth_state.driver != nullptr) {
        delete_fluid_audio_driver(synth_state.driver);
    }
    if (synth_state.synth != nullptr) {
        delete_fluid_synth(synth_state.synth);
    }
    if (synth_state.settings != nullptr) {
        delete_fluid_settings(synth_state.settings);
    }
    synth_state = SynthState{};
}

bool synth_open() {
    return state().synth != nullptr;
}

bool play_short_message(std::uint32_t message) {
    fluid_synth_t* synth = state().synth;
    if (synth == nullptr) {
        return false;
    }
    const int status = static_cast<int>(message & 0xF0u);
    const int channel = static_cast<int>(message & 0x0Fu);
    const int data1 = static_cast<int>((message >> 8) & 0x7Fu);
    const int data2 = static_cast<int>((message >> 16) & 0x7Fu);
    switch (status) {
        case 0x80:
            // Releasing a note that no longer sounds is not a failure of the output.
            fluid_synth_noteoff(synth, channel, data1);
            return true;
        case 0x90:
            if (data2 == 0) {
                fluid_synth_noteoff(synth, channel, data1);
                return true;
            }
            return fluid_synth_noteon(synth, channel, data1, data2) == FLUID_OK;
        case 0xB0:
            return fluid_synth_cc(synth, channel, data1, data2) == FLUID_OK;
        case 0xC0:
            return fluid_synth_program_change(synth, channel, data1) == FLUID_OK;
        case 0xE0:
            return fluid_synth_pitch_bend(synth, channel, data1 | (data2 << 7)) == FLUID_OK;
        default:
            return false;
    }
}

std::vector<std::int16_t> render(std::size_t frames) {
    std::vector<std::int16_t> samples(frames * 2);
    if (fluid_synth_t* synth = state().synth) {
        fluid_synth_write_s16(synth, static_cast<int>(frames), samples.data(), 0, 2, samples.data(),
                              1, 2);
    }
    return samples;
}

}  // namespace platform::fluidsynth

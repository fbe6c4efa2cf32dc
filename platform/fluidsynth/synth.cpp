// FluidSynth with a sound font, without an audio driver of its own.
#include "platform/fluidsynth/synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <filesystem>

namespace platform::fluidsynth {
namespace {

struct SynthState {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
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

fluid_settings_t* synth_settings() {
    fluid_settings_t* settings = new_fluid_settings();
    // Samples are read when a program first needs them, which keeps start-up quick.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    return settings;
}

}  // namespace

bool open_synth(const std::string& sound_font) {
    if (synth_open()) {
        return true;
    }
    quiet_fluidsynth_logging();
    std::error_code error;
    if (!std::filesystem::is_regular_file(sound_font, error)) {
        return false;
    }
    SynthState& synth_state = state();
    synth_state.settings = synth_settings();
    synth_state.synth = new_fluid_synth(synth_state.settings);
    if (synth_state.synth == nullptr ||
        fluid_synth_sfload(synth_state.synth, sound_font.c_str(), 1) == FLUID_FAILED) {
        close_synth();
        return false;
    }
    return true;
}

void close_synth() {
    SynthState& synth_state = state();
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

std::uint32_t synth_sample_rate() {
    double rate = 44100.0;
    if (state().settings != nullptr) {
        fluid_settings_getnum(state().settings, "synth.sample-rate", &rate);
    }
    return static_cast<std::uint32_t>(rate);
}

void render(float* samples, std::size_t frames) {
    fluid_synth_t* synth = state().synth;
    if (synth == nullptr) {
        std::fill_n(samples, frames * 2, 0.0f);
        return;
    }
    fluid_synth_write_float(synth, static_cast<int>(frames), samples, 0, 2, samples, 1, 2);
}

bool sounding() {
    fluid_synth_t* synth = state().synth;
    return synth != nullptr && fluid_synth_get_active_voice_count(synth) > 0;
}

}  // namespace platform::fluidsynth

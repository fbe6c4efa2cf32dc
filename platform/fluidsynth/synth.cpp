// FluidSynth with a sound font, without an audio driver of its own, sized to the game's notes.
#include "platform/fluidsynth/synth.h"

#include "platform/fluidsynth/fluid_library.h"
#include "platform/fluidsynth/font_files.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <optional>

namespace platform::fluidsynth {
namespace {

// A note of the game's xylophone sounds on two voices for 1.7 s, and a cascade strikes one every
// 100 ms: 32 voices play 15 strikes and the end of a game without cutting a note short. (The
// default is 256 voices, at 13 KB each.)
constexpr int voices = 32;

struct SynthState {
    const FluidLibrary* fluid = nullptr;  // set before the synthesizer is published
    fluid_settings_t* settings = nullptr;
    // Published once the sound font is loaded; the sound thread reads it too.
    std::atomic<fluid_synth_t*> synth{nullptr};
    std::uint16_t programmed_channels = 0;  // bit n: channel n was given a program
    std::string font_path;
    // The font cut to the presets asked for at the start, while the whole font is not loaded;
    // it lives as long as the synthesizer, which reads samples through it.
    std::optional<FontCut> cut;
    bool whole_font_tried = false;  // loaded, or tried once and failed: not tried again
};

SynthState& state() {
    static SynthState synth_state;
    return synth_state;
}

const FluidLibrary& fluid() {
    return *state().fluid;
}

void quiet_fluidsynth_logging() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
        fluid().set_log_function(level, nullptr, nullptr);
    }
}

fluid_settings_t* synth_settings() {
    fluid_settings_t* settings = fluid().new_settings();
    // Samples are read when a program first needs them, not with the sound font.
    fluid().settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid().settings_setnum(settings, "synth.sample-rate", synth_sample_rate);
    fluid().settings_setint(settings, "synth.polyphony", voices);
    // Nothing reaches the chorus (a channel's chorus send starts at 0, and the sound font's
    // instruments add none), so it would only cost time at every block. The reverb stays: the
    // notes are heard with it.
    fluid().settings_setint(settings, "synth.chorus.active", 0);
    return settings;
}

// Loads the font cut to the presets wanted; false when it cannot be cut or loaded so.
bool load_cut_font(fluid_synth_t* synth, fluid_settings_t* settings,
                   std::span<const Preset> wanted) {
    SynthState& synth_state = state();
    if (wanted.empty()) {
        return false;
    }
    synth_state.cut = cut_sound_font(synth_state.font_path, wanted);
    fluid_sfloader_t* loader = synth_state.cut ? new_cut_font_loader(fluid(), settings) : nullptr;
    if (loader == nullptr) {
        synth_state.cut.reset();
        return false;
    }
    fluid().add_sfloader(synth, loader);
    register_cut_font(&*synth_state.cut);
    if (fluid().sfload(synth, cut_font_name(*synth_state.cut).c_str(), 0) == FLUID_FAILED) {
        register_cut_font(nullptr);
        synth_state.cut.reset();
        return false;
    }
    return true;
}

bool load_whole_font(fluid_synth_t* synth) {
    SynthState& synth_state = state();
    synth_state.whole_font_tried = true;
    return fluid().sfload(synth, synth_state.font_path.c_str(), 0) != FLUID_FAILED;
}

fluid_synth_t* new_synth_with_font(fluid_settings_t* settings, std::span<const Preset> wanted) {
    fluid_synth_t* synth = fluid().new_synth(settings);
    // Without giving the channels their instruments: see give_default_program.
    if (synth != nullptr && !load_cut_font(synth, settings, wanted) && !load_whole_font(synth)) {
        fluid().delete_synth(synth);
        return nullptr;
    }
    return synth;
}

// A program, or a bank, that the cut font may not hold is about to be chosen: the whole font is
// loaded first (over the cut, so that FluidSynth finds its presets there), once.
void load_whole_font_unless_cut_holds(fluid_synth_t* synth, std::optional<Preset> preset) {
    const SynthState& synth_state = state();
    if (!synth_state.cut || synth_state.whole_font_tried ||
        (preset && cut_holds(*synth_state.cut, *preset))) {
        return;
    }
    load_whole_font(synth);
}

constexpr int drum_channel = 9;
constexpr int bank_select = 0;
constexpr int bank_select_fine = 32;

Preset preset_for_program(int channel, int program) {
    return {static_cast<std::uint16_t>(channel == drum_channel ? 128 : 0),
            static_cast<std::uint16_t>(program)};
}

std::uint16_t channel_bit(int channel) {
    return static_cast<std::uint16_t>(1u << channel);
}

// A channel never given a program plays program 0, or the drum kit on channel 10, as after a
// reset of the synthesizer.
void give_default_program(fluid_synth_t* synth, int channel) {
    if ((state().programmed_channels & channel_bit(channel)) == 0) {
        load_whole_font_unless_cut_holds(synth, preset_for_program(channel, 0));
        fluid().program_change(synth, channel, 0);
        state().programmed_channels |= channel_bit(channel);
    }
}

bool note_on(fluid_synth_t* synth, int channel, int key, int velocity) {
    if (velocity == 0) {
        fluid().noteoff(synth, channel, key);
        return true;
    }
    give_default_program(synth, channel);
    return fluid().noteon(synth, channel, key, velocity) == FLUID_OK;
}

bool program_change(fluid_synth_t* synth, int channel, int program) {
    load_whole_font_unless_cut_holds(synth, preset_for_program(channel, program));
    state().programmed_channels |= channel_bit(channel);
    return fluid().program_change(synth, channel, program) == FLUID_OK;
}

bool control_change(fluid_synth_t* synth, int channel, int control, int value) {
    if (control == bank_select || control == bank_select_fine) {
        load_whole_font_unless_cut_holds(synth, std::nullopt);
    }
    return fluid().cc(synth, channel, control, value) == FLUID_OK;
}

}  // namespace

std::vector<Preset> presets_chosen_by(std::span<const std::uint32_t> messages) {
    std::vector<Preset> presets;
    std::uint16_t programmed = 0;
    auto add = [&presets](Preset preset) {
        if (std::find(presets.begin(), presets.end(), preset) == presets.end()) {
            presets.push_back(preset);
        }
    };
    for (const std::uint32_t message : messages) {
        const int channel = static_cast<int>(message & 0x0Fu);
        const int data1 = static_cast<int>((message >> 8) & 0x7Fu);
        const int data2 = static_cast<int>((message >> 16) & 0x7Fu);
        switch (message & 0xF0u) {
            case 0xB0:
                if (data1 == bank_select || data1 == bank_select_fine) {
                    return {};
                }
                break;
            case 0xC0:
                add(preset_for_program(channel, data1));
                programmed |= channel_bit(channel);
                break;
            case 0x90:
                if (data2 != 0 && (programmed & channel_bit(channel)) == 0) {
                    add(preset_for_program(channel, 0));
                    programmed |= channel_bit(channel);
                }
                break;
            default:
                break;
        }
    }
    return presets;
}

bool open_synth(const std::string& sound_font, std::span<const Preset> wanted) {
    if (synth_open()) {
        return true;
    }
    std::error_code error;
    SynthState& synth_state = state();
    synth_state.fluid = fluid_library();
    if (synth_state.fluid == nullptr || !std::filesystem::is_regular_file(sound_font, error)) {
        return false;
    }
    quiet_fluidsynth_logging();
    synth_state.settings = synth_settings();
    synth_state.font_path = sound_font;
    synth_state.whole_font_tried = false;
    fluid_synth_t* synth = new_synth_with_font(synth_state.settings, wanted);
    if (synth == nullptr) {
        close_synth();
        return false;
    }
    synth_state.programmed_channels = 0;
    synth_state.synth = synth;
    return true;
}

void close_synth() {
    SynthState& synth_state = state();
    if (fluid_synth_t* synth = synth_state.synth.exchange(nullptr)) {
        fluid().delete_synth(synth);
    }
    register_cut_font(nullptr);
    synth_state.cut.reset();
    if (synth_state.settings != nullptr) {
        fluid().delete_settings(synth_state.settings);
        synth_state.settings = nullptr;
    }
}

bool synth_open() {
    return state().synth != nullptr;
}

bool play_short_message(std::uint32_t message) {
    fluid_synth_t* synth = state().synth;
    if (synth == nullptr) {
        return false;
    }
    const int channel = static_cast<int>(message & 0x0Fu);
    const int data1 = static_cast<int>((message >> 8) & 0x7Fu);
    const int data2 = static_cast<int>((message >> 16) & 0x7Fu);
    switch (message & 0xF0u) {
        case 0x80:
            // Releasing a note that no longer sounds is not a failure of the output.
            fluid().noteoff(synth, channel, data1);
            return true;
        case 0x90:
            return note_on(synth, channel, data1, data2);
        case 0xB0:
            return control_change(synth, channel, data1, data2);
        case 0xC0:
            return program_change(synth, channel, data1);
        case 0xE0:
            return fluid().pitch_bend(synth, channel, data1 | (data2 << 7)) == FLUID_OK;
        default:
            return false;
    }
}

bool plays_kind_of(std::uint32_t message) {
    const std::uint32_t kind = message & 0xF0u;
    return kind == 0x80 || kind == 0x90 || kind == 0xB0 || kind == 0xC0 || kind == 0xE0;
}

int channel_program(int channel) {
    fluid_synth_t* synth = state().synth;
    int font = 0;
    int bank = 0;
    int program = -1;
    if (synth == nullptr ||
        fluid().get_program(synth, channel, &font, &bank, &program) != FLUID_OK) {
        return -1;
    }
    return program;
}

void render(float* samples, std::size_t frames) {
    fluid_synth_t* synth = state().synth;
    if (synth == nullptr) {
        std::fill_n(samples, frames * 2, 0.0f);
        return;
    }
    fluid().write_float(synth, static_cast<int>(frames), samples, 0, 2, samples, 1, 2);
}

bool sounding() {
    return sounding_voices() > 0;
}

int sounding_voices() {
    fluid_synth_t* synth = state().synth;
    return synth == nullptr ? 0 : fluid().active_voice_count(synth);
}

}  // namespace platform::fluidsynth

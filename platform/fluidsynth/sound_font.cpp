// Where the General MIDI sound font is: FluidSynth's own default first, then the usual places of
// the system's default font.
#include "platform/fluidsynth/sound_font.h"

#include <filesystem>

#include "platform/fluidsynth/fluid_library.h"

namespace platform::fluidsynth {
namespace {

// Debian's and Ubuntu's default font, then Fedora's and Arch's, then the common font by name.
constexpr const char* system_sound_fonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/soundfonts/default.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",
};

// FluidSynth's "synth.default-soundfont", as its build or its packager set it; empty when the
// library cannot be opened.
std::string configured_sound_font() {
    const FluidLibrary* fluid = fluid_library();
    if (fluid == nullptr) {
        return {};
    }
    fluid_settings_t* settings = fluid->new_settings();
    char* value = nullptr;
    std::string configured;
    if (settings != nullptr &&
        fluid->settings_dupstr(settings, "synth.default-soundfont", &value) == FLUID_OK &&
        value != nullptr) {
        configured = value;
    }
    fluid->free(value);
    fluid->delete_settings(settings);
    return configured;
}

}  // namespace

std::vector<std::string> sound_font_candidates(const std::string& configured) {
    std::vector<std::string> candidates;
    if (!configured.empty()) {
        candidates.push_back(configured);
    }
    candidates.insert(candidates.end(), std::begin(system_sound_fonts),
                      std::end(system_sound_fonts));
    return candidates;
}

std::string first_existing_file(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    return {};
}

std::string find_sound_font() {
    return first_existing_file(sound_font_candidates(configured_sound_font()));
}

bool sound_font_present() {
    // The configured font is asked of the library only when no system font is there.
    return !first_existing_file(sound_font_candidates("")).empty() || !find_sound_font().empty();
}

}  // namespace platform::fluidsynth

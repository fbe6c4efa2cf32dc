// A sound font cut down to the presets the game plays. FluidSynth builds tables for every preset
// of a font it loads (about 5 MiB for the system's General MIDI font, for some 130 presets), and
// the game plays three. The cut font is the file itself up to its preset data, followed by preset
// data that names only the presets wanted; the instruments and the sample headers are copied as
// they are, so the samples are still read from the file at their own places.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::fluidsynth {

// A preset as a program change finds it: its bank (128 for the drum kits) and program.
struct Preset {
    std::uint16_t bank = 0;
    std::uint16_t program = 0;
    auto operator<=>(const Preset&) const = default;
};

struct FontCut {
    std::string path;              // the font file
    std::uint64_t kept_bytes = 0;  // the file's bytes up to its preset data, read from the file
    std::uint8_t header[12] = {};  // the file's first 12 bytes, with the new RIFF size
    std::vector<std::uint8_t> preset_data;  // the new preset data ("LIST" ... "pdta" ...)
    std::vector<Preset> presets;            // the presets wanted that the font holds
    std::uint64_t size() const { return kept_bytes + preset_data.size(); }
};

// The font at `path` cut to the presets wanted; nullopt when the file cannot be read or is not a
// sound font laid out as the cut needs (preset data last, records of the standard sizes, indices
// in range), in which case the font is to be loaded whole.
std::optional<FontCut> cut_sound_font(const std::string& path, std::span<const Preset> wanted);

// Whether the cut holds the preset.
bool cut_holds(const FontCut& cut, Preset preset);

}  // namespace platform::fluidsynth

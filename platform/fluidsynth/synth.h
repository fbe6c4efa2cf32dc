// The General MIDI synthesizer behind the MIDI output: FluidSynth with the system's default
// sound font, played through the desktop's sound server.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::fluidsynth {

// Where Debian puts the default General MIDI sound font.
inline constexpr const char* default_sound_font = "/usr/share/sounds/sf2/default-GM.sf2";

enum class Output : std::uint8_t {
    sound_server,  // play through the desktop's sound server
    none,          // no audio output: only render(), for tests
};

// Creates the synthesizer with the sound font and, for Output::sound_server, its audio output.
// False when the sound font cannot be loaded or no audio output can be opened.
bool open_synth(Output output, const std::string& sound_font = default_sound_font);
void close_synth();
bool synth_open();

// Plays one short MIDI message; false when no synthesizer is open or the message is not one
// it can play.
bool play_short_message(std::uint32_t message);

// Renders stereo samples (interleaved) of what the synthesizer is playing, for a synthesizer
// opened without audio output.
std::vector<std::int16_t> render(std::size_t frames);

}  // namespace platform::fluidsynth

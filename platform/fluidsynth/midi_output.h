// What the real MIDI output offers beyond platform/midi.h, for its tests and benchmarks.
#pragma once

#include <cstdint>
#include <string>

namespace platform::fluidsynth {

// midi_output_open with a given sound font (empty: there is none).
std::uint32_t open_midi_output(const std::string& sound_font);
// Ends the audio output and the synthesizer, after waiting for a load in progress; the output can
// be opened again.
void close_midi_output();

}  // namespace platform::fluidsynth

// What the real MIDI output offers beyond platform/midi.h, for its tests and benchmarks.
#pragma once

namespace platform::fluidsynth {

// Ends the audio output and the synthesizer; the output can be opened again.
void close_midi_output();

}  // namespace platform::fluidsynth

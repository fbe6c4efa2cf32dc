// The General MIDI synthesizer behind the MIDI output: FluidSynth with a sound font. It makes
// samples only when asked (render); playing them is the audio output's business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::fluidsynth {

// Creates the synthesizer with the sound font; false when the font cannot be loaded. Opening an
// open synthesizer changes nothing.
bool open_synth(const std::string& sound_font);
void close_synth();
bool synth_open();

// Plays one short MIDI message; false when no synthesizer is open or the message is not one
// it can play.
bool play_short_message(std::uint32_t message);

// The rate of the samples that render() makes.
std::uint32_t synth_sample_rate();
// Renders the next `frames` stereo frames, interleaved; silence when no synthesizer is open.
// Safe on another thread than the one that plays messages.
void render(float* samples, std::size_t frames);
// Whether a note still sounds (a voice of the synthesizer is still active).
bool sounding();

}  // namespace platform::fluidsynth

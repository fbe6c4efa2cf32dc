// The General MIDI synthesizer behind the MIDI output: FluidSynth with a sound font. It makes
// samples only when asked (render); playing them is the audio output's business.
//
// Messages are played by one thread at a time (the one that made the synthesizer, then the
// game's); render() and sounding() may run meanwhile on the sound thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/fluidsynth/font_cut.h"

namespace platform::fluidsynth {

// The rate of the samples that render() makes.
inline constexpr std::uint32_t synth_sample_rate = 44100;

// Creates the synthesizer with the sound font; false when the font cannot be loaded. Opening an
// open synthesizer changes nothing. A channel has no instrument until it is given a program or
// strikes its first note, which gives it the General MIDI default (as after a reset), so that
// the samples of instruments never played are never read.
//
// With presets wanted, only they are loaded, from the font cut to them (see font_cut.h); the
// first program or bank chosen later that the cut may not hold loads the whole font, on the
// thread that plays the message, before the message is played. Without, or when the font cannot
// be cut, the whole font is loaded.
bool open_synth(const std::string& sound_font, std::span<const Preset> wanted = {});
void close_synth();
bool synth_open();

// Plays one short MIDI message; false when no synthesizer is open or the message is not one
// it can play.
bool play_short_message(std::uint32_t message);
// Whether the synthesizer plays a message of this kind (note off and on, controller, program
// change, pitch bend).
bool plays_kind_of(std::uint32_t message);
// The program a channel plays (for tests); -1 when no synthesizer is open.
int channel_program(int channel);

// The presets that messages choose, in the order first chosen: their programs, and the default
// program of a channel that strikes a note before it is given one. Empty when they choose a bank,
// which the synthesizer's cut could not answer for.
std::vector<Preset> presets_chosen_by(std::span<const std::uint32_t> messages);

// Renders the next `frames` stereo frames, interleaved; silence when no synthesizer is open.
// Safe on another thread than the one that plays messages.
void render(float* samples, std::size_t frames);
// Whether a note still sounds (a voice of the synthesizer is still active), and on how many
// voices notes sound now.
bool sounding();
int sounding_voices();

}  // namespace platform::fluidsynth

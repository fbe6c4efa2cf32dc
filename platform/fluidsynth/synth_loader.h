// The synthesizer made on a thread of its own, so that the game never waits for its sound font,
// and the messages that wait for it meanwhile.
#pragma once

#include <cstdint>
#include <string>

namespace platform::fluidsynth {

enum class SynthStage : std::uint8_t { not_started, loading, ready, failed };

// Starts making the synthesizer with the sound font (empty: the system's, found then) on a thread
// of its own, and returns at once. Does nothing once started.
void start_synth_load(const std::string& sound_font);
SynthStage synth_stage();
// Before the synthesizer is ready (not started or loading): keeps a message for it, to be played
// once it is made, after those kept before. Returns the stage the message met; it is kept only
// in those two stages.
SynthStage keep_for_synth(std::uint32_t message);
// Waits until a started load has ended (tests, benchmarks, the output's close).
void wait_for_synth_load();
// Waits for a started load, forgets the kept messages and goes back to not_started; the
// synthesizer itself is closed by close_synth.
void forget_synth_load();

}  // namespace platform::fluidsynth

// When the audio stream runs: from a struck note until the output has been quiet for a while.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::pulseaudio {

// What counts as the end of the sound: no note sounds any more and the rendered samples have
// stayed below a level for a stretch. The stretch lets a reverberation's tail die away after
// the last voice has ended, without cutting it.
struct SilenceRule {
    float quiet_peak = 0.0f;           // a sample below this (in absolute value) is silence
    std::uint32_t frames_to_stop = 0;  // this many quiet frames end the stream
};

// One block of samples as it was handed to the stream.
struct BlockLevel {
    std::uint32_t frames = 0;
    float peak = 0.0f;      // the loudest sample of the block, in absolute value
    bool sounding = false;  // whether a note still sounds after the block
};

struct StreamSchedule {
    bool running = false;
    std::uint32_t quiet_frames = 0;  // frames handed since the sound last was loud or sounding
};

// A note is struck: true when the stream has to be started for it.
bool strike_note(StreamSchedule& schedule);
// A block was handed to the running stream: true when the stream has to stop now.
bool block_played(StreamSchedule& schedule, const SilenceRule& rule, const BlockLevel& level);
// The stream ended without being stopped (its sound server went away).
void stream_lost(StreamSchedule& schedule);

// The loudest of the samples, in absolute value.
float peak_of(const float* samples, std::size_t count);

}  // namespace platform::pulseaudio

// When the audio stream runs: from a struck note until the output has been quiet for a while.
#include "platform/pulseaudio/stream_schedule.h"

#include <algorithm>
#include <cmath>

namespace platform::pulseaudio {

bool strike_note(StreamSchedule& schedule) {
    // A note struck during the tail of the last one starts the count of quiet frames again.
    schedule.quiet_frames = 0;
    const bool start = !schedule.running;
    schedule.running = true;
    return start;
}

bool block_played(StreamSchedule& schedule, const SilenceRule& rule, const BlockLevel& level) {
    if (!schedule.running) {
        return false;
    }
    if (level.sounding || level.peak >= rule.quiet_peak) {
        schedule.quiet_frames = 0;
        return false;
    }
    schedule.quiet_frames += level.frames;
    if (schedule.quiet_frames < rule.frames_to_stop) {
        return false;
    }
    schedule = StreamSchedule{};
    return true;
}

void stream_lost(StreamSchedule& schedule) {
    schedule = StreamSchedule{};
}

float peak_of(const float* samples, std::size_t count) {
    float peak = 0.0f;
    for (std::size_t i = 0; i < count; ++i) {
        peak = std::max(peak, std::fabs(samples[i]));
    }
    return peak;
}

}  // namespace platform::pulseaudio

// The audio output's state, shared by its connection and its stream; every field is read and
// written with the client library's loop locked.
#pragma once

#include <pulse/pulseaudio.h>

#include "platform/pulseaudio/audio_output.h"
#include "platform/pulseaudio/stream_schedule.h"

namespace platform::pulseaudio {

struct OutputState {
    pa_threaded_mainloop* loop = nullptr;
    pa_context* context = nullptr;  // the client, connected or not; null when it could not be made
    pa_stream* stream = nullptr;    // the running stream, or null
    AudioSource source;
    SilenceRule silence;
    StreamSchedule schedule;
    bool deadline_passed = false;  // set when a wait for the server's answer has lasted too long
};

OutputState& output_state();

// Holds the loop's lock for the time of a scope; the sound thread's callbacks run under it.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop); }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

// With the loop locked. Whether the client is connected; one that was lost connects again.
bool connection_ready(OutputState& state);
// When the stream stops: after 300 ms below -80 dB with no note sounding.
SilenceRule stream_silence_rule(std::uint32_t sample_rate);
// With the loop locked. Creates and connects a playback stream; false when that fails at once.
bool start_stream(OutputState& state);
// With the loop locked. Ends the running stream, if any.
void stop_stream(OutputState& state);

}  // namespace platform::pulseaudio

// The audio output's playback stream: started by a struck note, fed from the synthesizer on the
// sound thread, and stopped once the sound has died away.
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>

#include "platform/pulseaudio/audio_output.h"
#include "platform/pulseaudio/output_state.h"

namespace platform::pulseaudio {
namespace {

constexpr std::uint8_t channels = 2;
constexpr std::size_t frame_bytes = channels * sizeof(float);
// The server holds about 20 ms and asks for more every 5 ms: a note struck while the stream
// runs is handed to the server within 5 ms (a new stream is asked for its first sound at once),
// and a busy machine still has 15 ms to answer before the sound breaks up.
constexpr pa_usec_t held_sound = 20 * PA_USEC_PER_MSEC;
constexpr pa_usec_t request_size = 5 * PA_USEC_PER_MSEC;

// Below this level a sample is silence (-80 dB): about 3 steps of a 16-bit output.
constexpr float quiet_peak = 1e-4f;
// How long the sound stays below that level, with no note sounding, before the stream stops.
constexpr std::uint32_t quiet_ms_to_stop = 300;

std::atomic<void (*)()> sound_handed_observer{nullptr};

pa_sample_spec sample_spec(const AudioSource& source) {
    return {.format = PA_SAMPLE_FLOAT32NE, .rate = source.sample_rate, .channels = channels};
}

pa_buffer_attr buffer_attributes(const pa_sample_spec& spec) {
    constexpr std::uint32_t server_default = static_cast<std::uint32_t>(-1);
    return {.maxlength = server_default,
            .tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(held_sound, &spec)),
            .prebuf = server_default,
            .minreq = static_cast<std::uint32_t>(pa_usec_to_bytes(request_size, &spec)),
            .fragsize = server_default};
}

pa_proplist* stream_properties() {
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "game");
    pa_proplist_sets(properties, PA_PROP_MEDIA_ICON_NAME, "vormelin");
    return properties;
}

BlockLevel render_block(const AudioSource& source, float* samples, std::size_t frames) {
    source.render(samples, frames);
    return {.frames = static_cast<std::uint32_t>(frames),
            .peak = peak_of(samples, frames * channels),
            .sounding = source.sounding()};
}

// Renders one block into the server's buffer and hands it over; returns the bytes handed (all
// of `bytes` when the server gives no room, so that the request ends).
std::size_t hand_block(OutputState& state, pa_stream* stream, std::size_t bytes) {
    void* data = nullptr;
    std::size_t size = bytes;
    if (pa_stream_begin_write(stream, &data, &size) < 0 || data == nullptr) {
        return bytes;
    }
    const std::size_t frames = std::min(size, bytes) / frame_bytes;
    if (frames == 0) {
        pa_stream_cancel_write(stream);
        return bytes;
    }
    const BlockLevel level = render_block(state.source, static_cast<float*>(data), frames);
    pa_stream_write(stream, data, frames * frame_bytes, nullptr, 0, PA_SEEK_RELATIVE);
    void (*observer)() = sound_handed_observer.load();
    if (level.peak >= state.silence.quiet_peak && observer != nullptr) {
        observer();
    }
    if (block_played(state.schedule, state.silence, level)) {
        stop_stream(state);
    }
    return frames * frame_bytes;
}

void on_write(pa_stream* stream, std::size_t bytes, void* userdata) {
    auto& state = *static_cast<OutputState*>(userdata);
    while (bytes > 0 && state.stream == stream) {
        bytes -= hand_block(state, stream, bytes);
    }
}

// A stream that has ended, stopped or lost with its server, is let go here: the library keeps
// it until its end has been confirmed.
void on_stream_state(pa_stream* stream, void* userdata) {
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) {
        return;
    }
    auto& state = *static_cast<OutputState*>(userdata);
    if (state.stream == stream) {
        state.stream = nullptr;
        stream_lost(state.schedule);
    }
    pa_stream_unref(stream);
}

}  // namespace

SilenceRule stream_silence_rule(std::uint32_t sample_rate) {
    return {.quiet_peak = quiet_peak, .frames_to_stop = sample_rate * quiet_ms_to_stop / 1000};
}

bool start_stream(OutputState& state) {
    const pa_sample_spec spec = sample_spec(state.source);
    pa_proplist* properties = stream_properties();
    pa_stream* stream =
        pa_stream_new_with_proplist(state.context, "Vormelin", &spec, nullptr, properties);
    pa_proplist_free(properties);
    if (stream == nullptr) {
        return false;
    }
    pa_stream_set_state_callback(stream, on_stream_state, &state);
    pa_stream_set_write_callback(stream, on_write, &state);
    const pa_buffer_attr attributes = buffer_attributes(spec);
    if (pa_stream_connect_playback(stream, nullptr, &attributes, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0) {
        pa_stream_unref(stream);
        return false;
    }
    state.stream = stream;
    return true;
}

void stop_stream(OutputState& state) {
    if (state.stream == nullptr) {
        return;
    }
    // What the server still holds is the silence after the sound: it need not be played.
    pa_stream_disconnect(state.stream);
    state.stream = nullptr;
}

bool start_note() {
    OutputState& state = output_state();
    if (state.loop == nullptr) {
        return false;
    }
    LoopLock lock(state.loop);
    if (!connection_ready(state)) {
        return false;
    }
    const bool stream_needed = strike_note(state.schedule);
    if (!stream_needed || start_stream(state)) {
        return true;
    }
    stream_lost(state.schedule);
    return false;
}

bool stream_running() {
    OutputState& state = output_state();
    if (state.loop == nullptr) {
        return false;
    }
    LoopLock lock(state.loop);
    return state.stream != nullptr;
}

void set_sound_handed_observer(void (*observer)()) {
    sound_handed_observer = observer;
}

}  // namespace platform::pulseaudio

// The audio output's client of the sound server: opened once, connected again lazily when the
// server was lost, and never waited for longer than a bound.
#include <pulse/pulseaudio.h>

#include "platform/pulseaudio/audio_output.h"
#include "platform/pulseaudio/output_state.h"

namespace platform::pulseaudio {
namespace {

constexpr const char* application_name = "Vormelin";
// At start-up the game may wait for its sound; during a turn a server that has gone answers at
// once, and one that is alive within a few milliseconds.
constexpr pa_usec_t opening_wait = 1000 * PA_USEC_PER_MSEC;
constexpr pa_usec_t reconnecting_wait = 10 * PA_USEC_PER_MSEC;

pa_proplist* client_properties() {
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, application_name);
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, "vormelin");
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, "vormelin");
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "game");
    return properties;
}

void on_context_state(pa_context*, void* userdata) {
    pa_threaded_mainloop_signal(static_cast<OutputState*>(userdata)->loop, 0);
}

void on_deadline(pa_mainloop_api*, pa_time_event*, const timeval*, void* userdata) {
    auto* state = static_cast<OutputState*>(userdata);
    state->deadline_passed = true;
    pa_threaded_mainloop_signal(state->loop, 0);
}

pa_context_state_t context_state(const OutputState& state) {
    return state.context == nullptr ? PA_CONTEXT_FAILED : pa_context_get_state(state.context);
}

bool settled(pa_context_state_t state) {
    return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
}

// Waits until the client is connected or has failed, `bound` at most; true when connected.
bool wait_for_connection(OutputState& state, pa_usec_t bound) {
    state.deadline_passed = false;
    pa_time_event* deadline =
        pa_context_rttime_new(state.context, pa_rtclock_now() + bound, on_deadline, &state);
    while (!settled(context_state(state)) && !state.deadline_passed) {
        pa_threaded_mainloop_wait(state.loop);
    }
    pa_threaded_mainloop_get_api(state.loop)->time_free(deadline);
    return context_state(state) == PA_CONTEXT_READY;
}

void drop_context(OutputState& state) {
    if (state.context == nullptr) {
        return;
    }
    // Its streams end with it, and their own callbacks let them go.
    pa_context_set_state_callback(state.context, nullptr, nullptr);
    pa_context_disconnect(state.context);
    pa_context_unref(state.context);
    state.context = nullptr;
}

// Starts connecting a new client in place of the old one; false when that fails at once.
bool connect(OutputState& state, pa_context_flags_t flags) {
    drop_context(state);
    pa_proplist* properties = client_properties();
    state.context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(state.loop),
                                                 application_name, properties);
    pa_proplist_free(properties);
    if (state.context == nullptr) {
        return false;
    }
    pa_context_set_state_callback(state.context, on_context_state, &state);
    return pa_context_connect(state.context, nullptr, flags, nullptr) >= 0;
}

bool start_loop(pa_threaded_mainloop* loop) {
    pa_threaded_mainloop_set_name(loop, "vormelin-sound");
    return pa_threaded_mainloop_start(loop) >= 0;
}

}  // namespace

OutputState& output_state() {
    static OutputState state;
    return state;
}

bool connection_ready(OutputState& state) {
    const pa_context_state_t current = context_state(state);
    if (current == PA_CONTEXT_READY) {
        return true;
    }
    if (PA_CONTEXT_IS_GOOD(current)) {
        return false;  // still connecting: a late answer is not waited for again
    }
    // A server that comes back in the middle of a game is not started by the game itself:
    // starting one would block the turn.
    return connect(state, PA_CONTEXT_NOAUTOSPAWN) && wait_for_connection(state, reconnecting_wait);
}

bool open_output(const AudioSource& source) {
    OutputState& state = output_state();
    if (state.loop != nullptr) {
        return true;
    }
    state.source = source;
    state.silence = stream_silence_rule(source.sample_rate);
    state.loop = pa_threaded_mainloop_new();
    bool ready = state.loop != nullptr && start_loop(state.loop);
    if (ready) {
        LoopLock lock(state.loop);
        ready = connect(state, PA_CONTEXT_NOFLAGS) && wait_for_connection(state, opening_wait);
    }
    if (!ready) {
        close_output();
    }
    return ready;
}

void close_output() {
    OutputState& state = output_state();
    if (state.loop == nullptr) {
        state = OutputState{};
        return;
    }
    {
        LoopLock lock(state.loop);
        stop_stream(state);
        drop_context(state);
    }
    pa_threaded_mainloop_stop(state.loop);
    pa_threaded_mainloop_free(state.loop);
    state = OutputState{};
}

bool output_playable() {
    OutputState& state = output_state();
    if (state.loop == nullptr) {
        return false;
    }
    LoopLock lock(state.loop);
    return connection_ready(state);
}

}  // namespace platform::pulseaudio

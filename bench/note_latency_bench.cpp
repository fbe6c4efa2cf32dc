// How long a note waits for the sound server: from the note-on call to the first block of its
// sound handed to the server, through the real MIDI output and a private PulseAudio server with
// a null sink. From an idle output (the stream is created for the note) and while the stream
// still runs at the quiet end of the last note's tail.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/fluidsynth/midi_output.h"
#include "platform/fluidsynth/synth_loader.h"
#include "platform/midi.h"
#include "platform/pulseaudio/audio_output.h"
#include "tests/support/sound_server.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Past this time after a strike the game's note is below the level of silence, while its voice
// still keeps the stream running.
constexpr auto quiet_tail = 1200ms;
// Notes come at any moment between two of the server's requests: each strike comes this much
// later than the last (modulo 10 ms), so that the strikes spread over that time.
constexpr auto strike_spread = 1300us;

// When the first block with sound was handed after the strike (0: not yet).
std::atomic<Clock::rep> sound_handed_at{0};

void note_sound_handed() {
    Clock::rep not_yet = 0;
    sound_handed_at.compare_exchange_strong(not_yet, Clock::now().time_since_epoch().count());
}

// Strikes the game's note on channel 0 and returns the seconds from its note-on call to its
// first sound handed to the server (a second at most: then it counts as lost).
double time_a_strike() {
    platform::midi_output_send(0x7F3680);
    sound_handed_at = 0;
    const auto start = Clock::now();
    platform::midi_output_send(0x7F3690);
    while (sound_handed_at == 0 && Clock::now() - start < 1s) {
        std::this_thread::sleep_for(50us);
    }
    const Clock::time_point handed{Clock::duration{sound_handed_at.load()}};
    return std::chrono::duration<double>((sound_handed_at == 0 ? start + 1s : handed) - start)
        .count();
}

void wait_until_idle() {
    while (platform::pulseaudio::stream_running()) {
        std::this_thread::sleep_for(10ms);
    }
}

void record(benchmark::State& state, double seconds, double& worst) {
    worst = std::max(worst, seconds);
    state.SetIterationTime(seconds);
}

void BM_NoteFromIdleOutput(benchmark::State& state) {
    double worst = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        wait_until_idle();
        state.ResumeTiming();
        record(state, time_a_strike(), worst);
    }
    state.counters["worst_ms"] = worst * 1000.0;
}
BENCHMARK(BM_NoteFromIdleOutput)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_NoteWhileTheStreamRuns(benchmark::State& state) {
    double worst = 0.0;
    // An idle null sink wakes up only every second or two, and a new stream waits for that; a
    // sound card's sink does not. Two strikes first, to be past that wait.
    time_a_strike();
    std::this_thread::sleep_for(quiet_tail);
    time_a_strike();
    auto spread = 0us;
    for (auto _ : state) {
        state.PauseTiming();
        spread = (spread + strike_spread) % 10000us;
        std::this_thread::sleep_for(quiet_tail + spread);
        if (!platform::pulseaudio::stream_running()) {
            state.SkipWithError("the stream ended before the next note");
            return;
        }
        state.ResumeTiming();
        record(state, time_a_strike(), worst);
    }
    state.counters["worst_ms"] = worst * 1000.0;
}
BENCHMARK(BM_NoteWhileTheStreamRuns)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    test_support::SoundServer server;
    if (!server.start() || platform::midi_output_open() != platform::midi_no_error) {
        std::fputs("note_latency_bench: no private sound server or no MIDI output\n", stderr);
        return 1;
    }
    platform::midi_output_send(0x000DC0);  // the game's xylophone on channel 0
    platform::midi_output_load();
    platform::fluidsynth::wait_for_synth_load();
    platform::pulseaudio::set_sound_handed_observer(note_sound_handed);
    benchmark::RunSpecifiedBenchmarks();
    platform::fluidsynth::close_midi_output();
    benchmark::Shutdown();
    return 0;
}

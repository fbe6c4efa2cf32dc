// Start-up's share of the sound: creating the synthesizer and loading the default General MIDI
// sound font (without the audio output, which only adds the connection to the sound server).
#include <benchmark/benchmark.h>

#include "platform/fluidsynth/sound_font.h"
#include "platform/fluidsynth/synth.h"

namespace {

void BM_OpenSynthesizerWithSoundFont(benchmark::State& state) {
    for (auto _ : state) {
        if (!platform::fluidsynth::open_synth(platform::fluidsynth::find_sound_font())) {
            state.SkipWithError("no sound font");
            return;
        }
        state.PauseTiming();
        platform::fluidsynth::close_synth();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenSynthesizerWithSoundFont)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();

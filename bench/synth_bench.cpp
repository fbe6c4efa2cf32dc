// The sound's share of the start: what start-up itself does of it before the window (checking
// that a sound font is there, besides connecting to the sound server), and what the background
// load does once the window is up: FluidSynth's library opened (the first time only), the
// synthesizer made with the default General MIDI sound font and given the game's three
// instruments, whose samples are then read.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/fluidsynth/sound_font.h"
#include "platform/fluidsynth/synth.h"

namespace {

// The start-up's check that a sound font is there (without opening FluidSynth's library).
void BM_SoundFontPresent(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::fluidsynth::sound_font_present());
    }
}
BENCHMARK(BM_SoundFontPresent)->Unit(benchmark::kMicrosecond);

// The start-up's program changes: channel 0 program 0, then the xylophone, the vibraphone and
// the orchestra hit of channels 0, 1 and 2.
void give_the_games_instruments() {
    for (const std::uint32_t message : {0x0000C0u, 0x000DC0u, 0x000BC1u, 0x0037C2u}) {
        platform::fluidsynth::play_short_message(message);
    }
}

void BM_MakeTheGamesSynthesizer(benchmark::State& state) {
    const std::string sound_font = platform::fluidsynth::find_sound_font();
    for (auto _ : state) {
        if (!platform::fluidsynth::open_synth(sound_font)) {
            state.SkipWithError("no sound font");
            return;
        }
        give_the_games_instruments();
        state.PauseTiming();
        platform::fluidsynth::close_synth();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MakeTheGamesSynthesizer)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();

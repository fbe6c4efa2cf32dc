// The sound's share of the start: what start-up itself does of it before the window (checking
// that a sound font is there, besides connecting to the sound server), and what the background
// load does once the window is up: FluidSynth's library opened (the first time only), the
// synthesizer made with the default General MIDI sound font (cut to the game's presets, as the
// game loads it, or whole) and given the game's three instruments, whose samples are then read.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

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
constexpr std::uint32_t games_instruments[] = {0x0000C0u, 0x000DC0u, 0x000BC1u, 0x0037C2u};

void make_synthesizer(benchmark::State& state, bool cut_to_the_games_presets) {
    const std::string sound_font = platform::fluidsynth::find_sound_font();
    const std::vector<platform::fluidsynth::Preset> presets =
        cut_to_the_games_presets ? platform::fluidsynth::presets_chosen_by(games_instruments)
                                 : std::vector<platform::fluidsynth::Preset>{};
    for (auto _ : state) {
        if (!platform::fluidsynth::open_synth(sound_font, presets)) {
            state.SkipWithError("no sound font");
            return;
        }
        for (const std::uint32_t message : games_instruments) {
            platform::fluidsynth::play_short_message(message);
        }
        state.PauseTiming();
        platform::fluidsynth::close_synth();
        state.ResumeTiming();
    }
}

// As the game makes it: the font cut to the presets its start chose.
void BM_MakeTheGamesSynthesizer(benchmark::State& state) {
    make_synthesizer(state, true);
}
BENCHMARK(BM_MakeTheGamesSynthesizer)->Unit(benchmark::kMillisecond)->Iterations(20);

// With the whole font, as before the cut.
void BM_MakeTheSynthesizerWithTheWholeFont(benchmark::State& state) {
    make_synthesizer(state, false);
}
BENCHMARK(BM_MakeTheSynthesizerWithTheWholeFont)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();

// The synthesizer made on a thread of its own, so that the game never waits for its sound font,
// and the messages that wait for it meanwhile.
#include "platform/fluidsynth/synth_loader.h"

#include <malloc.h>
#include <pthread.h>

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/fluidsynth/sound_font.h"
#include "platform/fluidsynth/synth.h"

namespace platform::fluidsynth {
namespace {

struct Loader {
    std::mutex lock;  // guards `kept` and every change of the stage
    std::vector<std::uint32_t> kept;
    std::atomic<SynthStage> stage{SynthStage::not_started};
    std::thread worker;

    // The game may end while the sound font loads: the loading thread ends first.
    ~Loader() { join(); }
    void join() {
        if (worker.joinable()) {
            worker.join();
        }
    }
};

Loader& loader() {
    static Loader synth_loader;
    return synth_loader;
}

bool waiting_for_synth(SynthStage stage) {
    return stage == SynthStage::not_started || stage == SynthStage::loading;
}

// Plays the kept messages, and those kept meanwhile, then lets the game play its messages itself.
// The lock is held only to take them: a program change may read its samples from the disk, and
// the game must not wait for that.
void play_kept_messages(Loader& state) {
    std::vector<std::uint32_t> batch;
    while (true) {
        {
            std::lock_guard guard(state.lock);
            if (state.kept.empty()) {
                state.stage = SynthStage::ready;
                return;
            }
            batch.swap(state.kept);
        }
        for (const std::uint32_t message : batch) {
            play_short_message(message);
        }
        batch.clear();
    }
}

void fail_load(Loader& state) {
    std::lock_guard guard(state.lock);
    state.kept.clear();
    state.stage = SynthStage::failed;
}

// The presets that the messages kept so far choose: the game gives its channels their programs
// as it starts, before the synthesizer is made, so these are the ones it plays.
std::vector<Preset> presets_kept_for(Loader& state) {
    std::lock_guard guard(state.lock);
    return presets_chosen_by(state.kept);
}

void load(const std::string& sound_font) {
    pthread_setname_np(pthread_self(), "vormelin-synth");
    Loader& state = loader();
    if (open_synth(sound_font.empty() ? find_sound_font() : sound_font, presets_kept_for(state))) {
        play_kept_messages(state);
    } else {
        fail_load(state);
    }
    malloc_trim(0);
}

}  // namespace

void start_synth_load(const std::string& sound_font) {
    Loader& state = loader();
    std::lock_guard guard(state.lock);
    if (state.stage != SynthStage::not_started) {
        return;
    }
    state.stage = SynthStage::loading;
    try {
        state.worker = std::thread(load, sound_font);
    } catch (const std::system_error&) {
        state.stage = SynthStage::failed;  // no thread to be had: no sound either
    }
}

SynthStage synth_stage() {
    return loader().stage;
}

SynthStage keep_for_synth(std::uint32_t message) {
    Loader& state = loader();
    std::lock_guard guard(state.lock);
    const SynthStage stage = state.stage;
    if (waiting_for_synth(stage)) {
        state.kept.push_back(message);
    }
    return stage;
}

void wait_for_synth_load() {
    loader().join();
}

void forget_synth_load() {
    Loader& state = loader();
    state.join();
    std::lock_guard guard(state.lock);
    state.kept.clear();
    state.stage = SynthStage::not_started;
}

}  // namespace platform::fluidsynth

// The FluidSynth library, opened when the synthesizer is made rather than with the game.
#include "platform/fluidsynth/fluid_library.h"

#include <dlfcn.h>

namespace platform::fluidsynth {
namespace {

// The library's run-time name, the one its development link points to (set by the build).
constexpr const char* library_name = VORMELIN_FLUIDSYNTH_LIBRARY;

template <typename Function>
bool find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// Every function the output calls, or false.
bool find_functions(void* library, FluidLibrary& fluid) {
    return find(library, "new_fluid_settings", fluid.new_settings) &&
           find(library, "delete_fluid_settings", fluid.delete_settings) &&
           find(library, "fluid_settings_setint", fluid.settings_setint) &&
           find(library, "fluid_settings_setnum", fluid.settings_setnum) &&
           find(library, "fluid_settings_dupstr", fluid.settings_dupstr) &&
           find(library, "fluid_free", fluid.free) &&
           find(library, "fluid_set_log_function", fluid.set_log_function) &&
           find(library, "new_fluid_synth", fluid.new_synth) &&
           find(library, "delete_fluid_synth", fluid.delete_synth) &&
           find(library, "fluid_synth_sfload", fluid.sfload) &&
           find(library, "new_fluid_defsfloader", fluid.new_defsfloader) &&
           find(library, "delete_fluid_sfloader", fluid.delete_sfloader) &&
           find(library, "fluid_sfloader_set_callbacks", fluid.sfloader_set_callbacks) &&
           find(library, "fluid_synth_add_sfloader", fluid.add_sfloader) &&
           find(library, "fluid_synth_noteon", fluid.noteon) &&
           find(library, "fluid_synth_noteoff", fluid.noteoff) &&
           find(library, "fluid_synth_cc", fluid.cc) &&
           find(library, "fluid_synth_program_change", fluid.program_change) &&
           find(library, "fluid_synth_pitch_bend", fluid.pitch_bend) &&
           find(library, "fluid_synth_get_program", fluid.get_program) &&
           find(library, "fluid_synth_write_float", fluid.write_float) &&
           find(library, "fluid_synth_get_active_voice_count", fluid.active_voice_count);
}

const FluidLibrary* open_library() {
    // Kept open for the rest of the process.
    void* library = dlopen(library_name, RTLD_NOW | RTLD_LOCAL);
    static FluidLibrary fluid;
    if (library == nullptr || !find_functions(library, fluid)) {
        return nullptr;
    }
    return &fluid;
}

}  // namespace

const FluidLibrary* fluid_library() {
    static const FluidLibrary* const library = open_library();
    return library;
}

}  // namespace platform::fluidsynth

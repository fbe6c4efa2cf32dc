// The FluidSynth library, opened when the synthesizer is made rather than with the game: it maps
// some thirty shared libraries of its own (audio drivers, file formats, a shell), which thus stay
// off the start-up path, and out of a game that has no sound at all.
#pragma once

#include <fluidsynth.h>

namespace platform::fluidsynth {

// The library's functions that the output calls, with their declared types.
struct FluidLibrary {
    decltype(&::new_fluid_settings) new_settings = nullptr;
    decltype(&::delete_fluid_settings) delete_settings = nullptr;
    decltype(&::fluid_settings_setint) settings_setint = nullptr;
    decltype(&::fluid_settings_setnum) settings_setnum = nullptr;
    decltype(&::fluid_settings_dupstr) settings_dupstr = nullptr;
    decltype(&::fluid_free) free = nullptr;
    decltype(&::fluid_set_log_function) set_log_function = nullptr;
    decltype(&::new_fluid_synth) new_synth = nullptr;
    decltype(&::delete_fluid_synth) delete_synth = nullptr;
    decltype(&::fluid_synth_sfload) sfload = nullptr;
    decltype(&::new_fluid_defsfloader) new_defsfloader = nullptr;
    decltype(&::delete_fluid_sfloader) delete_sfloader = nullptr;
    decltype(&::fluid_sfloader_set_callbacks) sfloader_set_callbacks = nullptr;
    decltype(&::fluid_synth_add_sfloader) add_sfloader = nullptr;
    decltype(&::fluid_synth_noteon) noteon = nullptr;
    decltype(&::fluid_synth_noteoff) noteoff = nullptr;
    decltype(&::fluid_synth_cc) cc = nullptr;
    decltype(&::fluid_synth_program_change) program_change = nullptr;
    decltype(&::fluid_synth_pitch_bend) pitch_bend = nullptr;
    decltype(&::fluid_synth_get_program) get_program = nullptr;
    decltype(&::fluid_synth_write_float) write_float = nullptr;
    decltype(&::fluid_synth_get_active_voice_count) active_voice_count = nullptr;
};

// The library, opened at the first call (from any thread, once); null when it, or one of the
// functions, cannot be had.
const FluidLibrary* fluid_library();

}  // namespace platform::fluidsynth

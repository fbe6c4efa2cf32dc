// The files FluidSynth's sound font loader reads: a cut font under a name of its own, made of the
// font file's first part and the cut's preset data, and any other font straight from its file.
#pragma once

#include <string>

#include "platform/fluidsynth/fluid_library.h"
#include "platform/fluidsynth/font_cut.h"

namespace platform::fluidsynth {

// The name to load the cut by. It is served while the cut is the one registered.
std::string cut_font_name(const FontCut& cut);
// The cut the loader serves from now on (null: none). It must live for as long as a synthesizer
// made with it: the samples of a program are read when the program is first chosen.
void register_cut_font(const FontCut* cut);
// FluidSynth's sound font loader, reading through the files above; null when it cannot be made.
// The synthesizer it is added to owns it.
fluid_sfloader_t* new_cut_font_loader(const FluidLibrary& fluid, fluid_settings_t* settings);

}  // namespace platform::fluidsynth

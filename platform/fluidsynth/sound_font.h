// Where the General MIDI sound font is: FluidSynth's own default first, then the usual places of
// the system's default font.
#pragma once

#include <string>
#include <vector>

namespace platform::fluidsynth {

// The places to look, in order: the configured default (when there is one), then the system's.
std::vector<std::string> sound_font_candidates(const std::string& configured);
// The first candidate that is a regular file (or a link to one); empty when none is.
std::string first_existing_file(const std::vector<std::string>& candidates);
// The sound font to play with; empty when there is none.
std::string find_sound_font();
// Whether find_sound_font will find one; quick, and without opening the library where a system
// font is found.
bool sound_font_present();

}  // namespace platform::fluidsynth

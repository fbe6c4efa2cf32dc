// The MIDI output on WINMM's MIDI mapper, the General MIDI synthesizer the system chose. The
// mapper is ready as soon as it is open, so there is nothing to load.
#include <windows.h>

#include <mmsystem.h>

#include "platform/midi.h"
#include "platform/win32/shell/win32_shell.h"

namespace platform {
namespace {

HMIDIOUT& output() {
    static HMIDIOUT out = nullptr;
    return out;
}

}  // namespace

std::uint32_t midi_output_open() {
    if (output() != nullptr) {
        return midi_no_error;
    }
    HMIDIOUT out = nullptr;
    const MMRESULT result = midiOutOpen(&out, MIDI_MAPPER, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        return result;
    }
    output() = out;
    return midi_no_error;
}

void midi_output_load() {}

std::uint32_t midi_output_send(std::uint32_t short_message) {
    if (output() == nullptr) {
        return MMSYSERR_INVALHANDLE;
    }
    return midiOutShortMsg(output(), short_message);
}

namespace win32 {

void midi_output_close() {
    if (output() == nullptr) {
        return;
    }
    midiOutReset(output());
    midiOutClose(output());
    output() = nullptr;
}

}  // namespace win32
}  // namespace platform

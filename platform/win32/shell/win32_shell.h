// What the shell's files share: the crossing of window handles and texts to the Windows API, the
// icons made from embedded pictures, and the MIDI output closed at the end of the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace platform::win32 {

// A window handle is a 32-bit number: USER32 handles are sign-extended 32-bit values, so that is
// how one becomes an HWND again, and the low 32 bits are all it takes the other way.
inline HWND hwnd_of(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window)));
}
inline WindowHandle handle_of(HWND hwnd) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(hwnd));
}

// UTF-8 as UTF-16 for the system; an invalid byte becomes U+FFFD.
std::wstring wide_from_utf8(std::string_view text);
// UTF-16 as the system's wide characters (the same code units on Windows).
std::wstring wide_from_u16(std::u16string_view text);

// An icon of size × size pixels from the embedded PNG picture `name` (its second set when the
// size is over the first's), or null when there is no such picture. GDI+ must be running.
HICON resource_icon(std::string_view name, int size);

// Ends the MIDI output if it is open (silencing what still sounds).
void midi_output_close();

}  // namespace platform::win32

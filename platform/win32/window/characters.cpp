// Characters crossing between the system's UTF-16 and the program's ASCII names and
// Windows-1252 typed characters.
#include "platform/win32/window/win32_window.h"

namespace platform::win32 {

std::wstring wide_ascii(std::string_view name) {
    std::wstring wide;
    wide.reserve(name.size());
    for (const char c : name) {
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

std::uint8_t windows_1252_of(wchar_t character) {
    if (character == 0) {
        return 0;
    }
    char code = 0;
    BOOL lost = FALSE;
    const int written =
        WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &character, 1, &code, 1, nullptr, &lost);
    return written == 1 && !lost ? static_cast<std::uint8_t>(code) : 0;
}

std::uint8_t character_of_key(const MSG& key_down) {
    BYTE keys[256] = {};
    if (!GetKeyboardState(keys)) {
        return 0;
    }
    wchar_t typed[4] = {};
    const UINT scan_code = (static_cast<UINT>(key_down.lParam) >> 16) & 0xFFu;
    // Flag 4: the keyboard's dead-key state is left as it is for TranslateMessage.
    const int count = ToUnicode(static_cast<UINT>(key_down.wParam), scan_code, keys, typed, 4, 4);
    return count == 1 ? windows_1252_of(typed[0]) : 0;
}

}  // namespace platform::win32

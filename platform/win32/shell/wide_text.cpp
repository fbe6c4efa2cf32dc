// Texts crossing to the Windows API.
#include "platform/win32/shell/win32_shell.h"

namespace platform::win32 {

std::wstring wide_from_utf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
    return wide;
}

std::wstring wide_from_u16(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace platform::win32

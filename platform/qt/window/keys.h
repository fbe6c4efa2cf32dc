// Qt key codes and texts as the program's virtual keys and Windows-1252 characters.
#pragma once

#include <QString>

#include <cstdint>

namespace platform::qt {

// 0 for keys the program has no code for.
std::uint32_t virtual_key_of(int qt_key);
// The Windows-1252 byte of the first character typed, 0 for none or one it cannot hold.
std::uint8_t character_of(const QString& text);

}  // namespace platform::qt

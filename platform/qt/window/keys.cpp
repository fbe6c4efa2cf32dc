// Qt key codes and texts as the program's virtual keys and Windows-1252 characters.
#include "platform/qt/window/keys.h"

#include <Qt>

#include "platform/messages.h"

namespace platform::qt {

std::uint32_t virtual_key_of(int qt_key) {
    if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) ||
        (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)) {
        return static_cast<std::uint32_t>(qt_key);  // the same codes
    }
    if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F12) {
        return 112u + static_cast<std::uint32_t>(qt_key - Qt::Key_F1);
    }
    switch (qt_key) {
        case Qt::Key_Backspace:
            return vk::back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return vk::tab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vk::enter;
        case Qt::Key_Escape:
            return vk::escape;
        case Qt::Key_Space:
            return vk::space;
        case Qt::Key_Left:
            return vk::left;
        case Qt::Key_Up:
            return vk::up;
        case Qt::Key_Right:
            return vk::right;
        case Qt::Key_Down:
            return vk::down;
        case Qt::Key_Delete:
            return vk::delete_key;
        default:
            return 0;
    }
}

std::uint8_t character_of(const QString& text) {
    if (text.isEmpty()) {
        return 0;
    }
    const char16_t unit = text.at(0).unicode();
    // ASCII and the Latin-1 letters are the same bytes in Windows-1252; the program only ever
    // reads characters through this message, and none outside these ranges.
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<std::uint8_t>(unit);
    }
    return 0;
}

}  // namespace platform::qt

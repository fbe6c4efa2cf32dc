// Message numbers, key codes and the queued message record of the platform's message queue.
//
// The numbers are those of the Windows desktop, so that event numbers seen by widgets are the
// message numbers themselves; the names are our own.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

namespace msg {
inline constexpr std::uint32_t create = 1;
inline constexpr std::uint32_t destroy = 2;
inline constexpr std::uint32_t set_focus = 7;   // wparam: the window that lost the focus
inline constexpr std::uint32_t kill_focus = 8;  // wparam: the window that gets the focus, or 0
inline constexpr std::uint32_t paint = 15;
inline constexpr std::uint32_t close = 16;
inline constexpr std::uint32_t quit = 18;
inline constexpr std::uint32_t erase_background = 20;
inline constexpr std::uint32_t nc_lbutton_down = 161;  // wparam hit_caption: move the window
inline constexpr std::uint32_t key_down = 256;         // wparam: virtual key; lparam: key_state
inline constexpr std::uint32_t key_up = 257;
inline constexpr std::uint32_t character = 258;  // wparam: Windows-1252 code of the character
inline constexpr std::uint32_t command = 273;    // wparam: low word id, high word notification
inline constexpr std::uint32_t timer = 275;      // wparam: timer id
// The screen the window is on now shows another number of device pixels per logical pixel (see
// window_pixel_ratio); posted once the window has moved there.
inline constexpr std::uint32_t dpi_changed = 0x02E0;
inline constexpr std::uint32_t mouse_move = 512;  // lparam: x low word, y high word (client)
inline constexpr std::uint32_t lbutton_down = 513;
inline constexpr std::uint32_t lbutton_up = 514;
inline constexpr std::uint32_t rbutton_down = 516;
inline constexpr std::uint32_t rbutton_up = 517;
inline constexpr std::uint32_t user = 1024;
}  // namespace msg

// wparam of msg::nc_lbutton_down: the press is on the caption, so the window moves with the mouse.
inline constexpr std::uint32_t hit_caption = 2;

// Virtual key codes carried by msg::key_down.
namespace vk {
inline constexpr std::uint32_t back = 8;
inline constexpr std::uint32_t tab = 9;
inline constexpr std::uint32_t enter = 13;
inline constexpr std::uint32_t escape = 27;
inline constexpr std::uint32_t space = 32;
inline constexpr std::uint32_t left = 37;
inline constexpr std::uint32_t up = 38;
inline constexpr std::uint32_t right = 39;
inline constexpr std::uint32_t down = 40;
inline constexpr std::uint32_t delete_key = 46;
}  // namespace vk

// lparam of msg::key_down and msg::key_up: a repeat count of 1, and for a key_down the desktop's
// bit that says the key was already down, so that an auto-repeat can be told from a press.
namespace key_state {
inline constexpr std::int32_t pressed = 1;
inline constexpr std::int32_t repeated = 1 | (1 << 30);
}  // namespace key_state

// Whether a key message's key was already down: an auto-repeat of a held key.
inline bool is_key_repeat(std::int32_t lparam) {
    return (static_cast<std::uint32_t>(lparam) & (1u << 30)) != 0;
}

struct Message {
    WindowHandle window = 0;
    std::uint32_t message = 0;
    std::uint32_t wparam = 0;
    std::int32_t lparam = 0;
    std::uint32_t time = 0;  // tick count when it was queued
    Point point;             // cursor position, screen coordinates, when it was queued
    // For msg::key_down: the Windows-1252 character the key types (0 for none), which
    // translate_message turns into a msg::character message.
    std::uint8_t character = 0;
};

// Packs a client position into an lparam: x in the low 16 bits, y in the high 16 bits.
inline std::int32_t make_point_lparam(std::int32_t x, std::int32_t y) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(x) & 0xFFFFu) |
                                     (static_cast<std::uint32_t>(y) << 16));
}

// Reads the position back with the sign of each half kept.
inline Point point_from_lparam(std::int32_t lparam) {
    const auto bits = static_cast<std::uint32_t>(lparam);
    return {static_cast<std::int16_t>(bits & 0xFFFFu), static_cast<std::int16_t>(bits >> 16)};
}

}  // namespace platform

// The game's icon: a square of four cells (three bricks and a ball). The same drawing is the
// notification-area icon (32 pixels) and the icon of the desktop entry (16 to 512 pixels).
#pragma once

#include <QImage>
#include <array>

// Drawn as shapes at the size asked, never scaled from another size, so that every edge falls on
// a pixel boundary and the small sizes stay sharp. `size` must be even.
QImage app_icon_picture(int size);

// The sizes of the desktop entry's icon, one picture each in the hicolor theme.
inline constexpr std::array<int, 8> desktop_icon_sizes{16, 24, 32, 48, 64, 128, 256, 512};

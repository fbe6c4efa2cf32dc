// The part of a picture with per-pixel alpha that a window without compositing can show.
#pragma once

#include <QImage>

namespace platform::qt {

// The pixels at least half opaque, as the set bits of a one-bit picture (Qt::color1), ready to
// become a window's mask. Below that, the frame's soft shadow would show as a dark band where no
// compositing manager blends it with the desktop.
QImage opaque_part(const QImage& picture);

}  // namespace platform::qt

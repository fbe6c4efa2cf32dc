// The part of a picture with per-pixel alpha that a window without compositing can show.
#pragma once

#include <QImage>

namespace platform::qt {

// The pixels of a part of a premultiplied ARGB picture that are at least half opaque, as the
// set bits of a one-bit picture of the part's size (Qt::color1), ready to become a window's
// mask. Below that, the frame's soft shadow would show as a dark band where no compositing
// manager blends it with the desktop.
QImage opaque_part(const QImage& picture, const QRect& part);

// A one-bit picture of that size with no bit set, the form opaque_part makes.
QImage blank_mask(const QSize& size);
// The bits of one row of such a mask from `count` premultiplied ARGB pixels.
void mark_opaque_pixels(const QRgb* pixels, int count, uchar* bits);

// Whether two such one-bit pictures hold the same bits (QImage's own comparison goes pixel by
// pixel through one-bit pictures, milliseconds for a window's).
bool same_bits(const QImage& a, const QImage& b);

}  // namespace platform::qt

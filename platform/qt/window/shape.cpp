// The part of a picture with per-pixel alpha that a window without compositing can show.
#include "platform/qt/window/shape.h"

#include <QColor>

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform::qt {

namespace {

// Eight pixels' bits in a byte: the top bit of each ARGB value is the top bit of its alpha.
uchar eight_bits(const QRgb* eight) {
#if defined(__SSE2__)
    // The sign bits of four 32-bit values at once: the picture is read at memory speed.
    const __m128 low = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(eight)));
    const __m128 high =
        _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(eight + 4)));
    return static_cast<uchar>(_mm_movemask_ps(low) | (_mm_movemask_ps(high) << 4));
#else
    unsigned value = 0;
    for (int bit = 0; bit < 8; ++bit) {
        value |= (eight[bit] >> 31) << bit;
    }
    return static_cast<uchar>(value);
#endif
}

}  // namespace

// A set bit for each pixel at least half opaque.
void mark_opaque_pixels(const QRgb* pixels, int count, uchar* bits) {
    const int whole_bytes = count / 8;
    for (int byte = 0; byte < whole_bytes; ++byte) {
        bits[byte] = eight_bits(pixels + 8 * byte);
    }
    unsigned rest = 0;
    for (int x = 8 * whole_bytes; x < count; ++x) {
        rest |= (pixels[x] >> 31) << (x - 8 * whole_bytes);
    }
    if (count % 8 != 0) {
        bits[whole_bytes] = static_cast<uchar>(rest);
    }
}

QImage blank_mask(const QSize& size) {
    QImage mask(size, QImage::Format_MonoLSB);
    mask.setColorCount(2);
    mask.setColor(0, QColor(Qt::color0).rgba());
    mask.setColor(1, QColor(Qt::color1).rgba());
    mask.fill(0);
    return mask;
}

QImage opaque_part(const QImage& picture, const QRect& part) {
    const QRect inside = part & picture.rect();
    QImage mask = blank_mask(part.size());
    if (picture.format() != QImage::Format_ARGB32_Premultiplied || inside != part) {
        return mask;  // the canvases of this layer are all premultiplied ARGB, and hold the part
    }
    for (int y = 0; y < part.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(part.y() + y));
        mark_opaque_pixels(row + part.x(), part.width(), mask.scanLine(y));
    }
    return mask;
}

}  // namespace platform::qt

namespace platform::qt {

bool same_bits(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.format() != b.format() || a.isNull() != b.isNull()) {
        return false;
    }
    const auto row_bytes = static_cast<std::size_t>((a.width() + 7) / 8);
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), row_bytes) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace platform::qt

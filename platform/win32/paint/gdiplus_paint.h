// The GDI+ records behind the opaque drawing handles of platform/graphics.h, shared by the files
// of the Windows drawing services (and their tests, which read pixels through them).
#pragma once

#include "platform/win32/paint/windows_words.h"
// After the Windows headers, which it needs.
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/graphics.h"

namespace platform {

namespace gdip = Gdiplus::DllExports;

// A top-down DIB section of premultiplied BGRA device pixels, and a GDI+ bitmap over the same
// memory, so that what GDI+ draws is what the layered update shows, alpha included.
struct Canvas {
    HBITMAP dib = nullptr;
    std::uint32_t* bits = nullptr;  // device_width × device_height, owned by the DIB section
    std::int32_t device_width = 0;
    std::int32_t device_height = 0;
    std::int32_t scale = 1;
    Gdiplus::GpBitmap* bitmap = nullptr;
};

// Premultiplied BGRA pixels (as 0xAARRGGBB words) of a canvas of one scale.
struct Pattern {
    std::vector<std::uint32_t> pixels;
    std::int32_t device_width = 0;
    std::int32_t device_height = 0;
    std::int32_t scale = 1;
};

struct BitmapDisposer {
    void operator()(Gdiplus::GpBitmap* bitmap) const { gdip::GdipDisposeImage(bitmap); }
};
using BitmapHandle = std::unique_ptr<Gdiplus::GpBitmap, BitmapDisposer>;

// Decoded pixels in memory of our own (premultiplied, PARGB), with a GDI+ bitmap over them; no
// bitmap when the bytes did not decode. Moving it keeps the pixels where the bitmap sees them.
struct OwnedPixels {
    std::vector<std::uint32_t> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
    BitmapHandle bitmap;
};

// A variant of an image drawn at a whole multiple of its size. It keeps its PNG bytes and is
// decoded only when first drawn on a canvas of its scale: on a screen of ratio 1 the dense
// pictures would otherwise take four times the memory of the ones shown.
struct ImageVariant {
    std::int32_t scale = 0;
    std::vector<std::uint8_t> png;
    // A cache of the bytes, filled by drawing, which takes the image as const.
    mutable OwnedPixels decoded;
    mutable bool decode_tried = false;
};

// The image at its own size, and its variants by increasing scale.
struct Image {
    OwnedPixels pixels;
    std::vector<ImageVariant> variants;
};

struct Graphics {
    Canvas* canvas = nullptr;
    Gdiplus::GpGraphics* graphics = nullptr;
    // Aliased straight lines are filled as the pixels they cover (see draw_line).
    bool smooth = false;
};

// The image itself, or its variant for drawing on a canvas of that scale (decoded then if it has
// not been yet; a variant whose bytes turn out not to decode gives the image itself).
const OwnedPixels& image_for_scale(const Image& image, std::int32_t scale);

// The width and height a PNG's header gives; nothing when the bytes do not start as a PNG.
std::optional<Size> png_size(std::span<const std::uint8_t> bytes);

// Pixels decoded by GDI+ into memory of our own; empty (no bitmap) when they do not decode.
OwnedPixels decode_png(std::span<const std::uint8_t> bytes);

struct FontFamily {
    Gdiplus::GpFontFamily* family = nullptr;
};

struct Font {
    Gdiplus::GpFont* font = nullptr;
};

struct StringFormat {
    StringAlignment alignment = StringAlignment::near;
    StringWrapping wrapping = StringWrapping::wrap;
};

}  // namespace platform

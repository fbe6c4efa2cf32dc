// Helpers of the GDI+ drawing tests: the modes the program paints with, where ink landed, and
// PNG bytes made by GDI+'s own encoder.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/graphics.h"
#include "platform/win32/paint/gdiplus_paint.h"
// After the Windows headers, which it needs.
#include <shlwapi.h>

namespace platform {

// Wine's GDI+ differs from Windows' in a few documented ways (see the tests that ask).
inline bool running_under_wine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

inline Graphics* aliased_graphics(Canvas* canvas) {
    Graphics* graphics = graphics_create(canvas);
    graphics_set_smoothing_mode(graphics, SmoothingMode::none);
    graphics_set_pixel_offset_mode(graphics, PixelOffsetMode::none);
    graphics_set_interpolation_mode(graphics, InterpolationMode::nearest_neighbor);
    return graphics;
}

// A premultiplied device pixel as the canvas holds it.
inline std::uint32_t device_pixel(const Canvas* canvas, int x, int y) {
    return canvas
        ->bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas->device_width) +
               static_cast<std::size_t>(x)];
}

inline void set_device_pixel(Canvas* canvas, int x, int y, std::uint32_t premultiplied) {
    canvas->bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas->device_width) +
                 static_cast<std::size_t>(x)] = premultiplied;
}

inline std::uint32_t alpha_of(Argb colour) {
    return colour >> 24;
}

// Each of the four channels within `tolerance` of the expected one.
inline bool channels_near(std::uint32_t actual, std::uint32_t expected, int tolerance = 1) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int difference = static_cast<int>((actual >> shift) & 0xFF) -
                               static_cast<int>((expected >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance) {
            return false;
        }
    }
    return true;
}

// The rectangle around the pixels that differ from the background; {w, h, 0, 0} when none do.
inline Rect inked_bounds(const Canvas* canvas, Argb background = 0) {
    const Size size = canvas_size(canvas);
    Rect bounds{size.cx, size.cy, 0, 0};
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            if (canvas_pixel(canvas, x, y) != background) {
                bounds = {std::min(bounds.left, x), std::min(bounds.top, y),
                          std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1)};
            }
        }
    }
    return bounds;
}

inline int partly_covered_pixels(const Canvas* canvas) {
    const Size size = canvas_size(canvas);
    int count = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const std::uint32_t alpha = alpha_of(canvas_pixel(canvas, x, y));
            count += alpha > 0 && alpha < 255 ? 1 : 0;
        }
    }
    return count;
}

// The bytes of an image file of `side` × `side` pixels of one colour (not premultiplied),
// written by GDI+'s encoder of that format (PNG unless another one is named).
inline std::vector<std::uint8_t> encoded_square(
    Argb colour, int side,
    const CLSID& encoder = CLSID{
        0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}}) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(side * side), colour);
    Gdiplus::GpBitmap* bitmap = nullptr;
    gdip::GdipCreateBitmapFromScan0(side, side, side * 4, PixelFormat32bppARGB,
                                    reinterpret_cast<BYTE*>(pixels.data()), &bitmap);
    IStream* stream = SHCreateMemStream(nullptr, 0);
    std::vector<std::uint8_t> bytes;
    if (bitmap != nullptr && stream != nullptr &&
        gdip::GdipSaveImageToStream(bitmap, stream, &encoder, nullptr) == Gdiplus::Ok) {
        STATSTG status{};
        stream->Stat(&status, STATFLAG_NONAME);
        bytes.resize(static_cast<std::size_t>(status.cbSize.QuadPart));
        stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        ULONG read = 0;
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
        bytes.resize(read);
    }
    if (stream != nullptr) {
        stream->Release();
    }
    gdip::GdipDisposeImage(bitmap);
    return bytes;
}

inline const CLSID bmp_encoder{
    0x557cf400, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

}  // namespace platform

// Canvases: DIB sections of premultiplied BGRA that GDI+ draws into and the layered update shows.

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "platform/graphics.h"
#include "platform/win32/paint/gdiplus_paint.h"
#include "platform/win32/paint/win32_paint.h"

namespace platform {
namespace {

constexpr std::int32_t largest_scale = 8;

// The DIB's memory holds 4 bytes a pixel and is addressed with 32-bit strides.
bool fits_in_memory(std::int64_t device_width, std::int64_t device_height) {
    return device_width * 4 <= INT_MAX && device_width * device_height * 4 <= INT_MAX;
}

HBITMAP create_top_down_dib(std::int32_t width, std::int32_t height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

std::size_t byte_count(const Canvas& canvas) {
    return static_cast<std::size_t>(canvas.device_width) *
           static_cast<std::size_t>(canvas.device_height) * sizeof(std::uint32_t);
}

}  // namespace

Canvas* canvas_create(std::int32_t width, std::int32_t height, std::int32_t scale) {
    if (width <= 0 || height <= 0 || scale < 1 || scale > largest_scale ||
        !fits_in_memory(std::int64_t{width} * scale, std::int64_t{height} * scale)) {
        return nullptr;
    }
    auto* canvas = new Canvas{nullptr, nullptr, width * scale, height * scale, scale, nullptr};
    void* bits = nullptr;
    canvas->dib = create_top_down_dib(canvas->device_width, canvas->device_height, &bits);
    if (canvas->dib == nullptr) {
        delete canvas;
        return nullptr;
    }
    canvas->bits = static_cast<std::uint32_t*>(bits);
    std::memset(canvas->bits, 0, byte_count(*canvas));
    if (gdip::GdipCreateBitmapFromScan0(canvas->device_width, canvas->device_height,
                                        canvas->device_width * 4, PixelFormat32bppPARGB,
                                        static_cast<BYTE*>(bits), &canvas->bitmap) != Gdiplus::Ok) {
        DeleteObject(canvas->dib);
        delete canvas;
        return nullptr;
    }
    return canvas;
}

void canvas_delete(Canvas* canvas) {
    if (canvas == nullptr) {
        return;
    }
    gdip::GdipDisposeImage(canvas->bitmap);
    DeleteObject(canvas->dib);
    delete canvas;
}

Canvas* canvas_copy(const Canvas* canvas) {
    if (canvas == nullptr) {
        return nullptr;
    }
    Canvas* copy = canvas_create(canvas->device_width / canvas->scale,
                                 canvas->device_height / canvas->scale, canvas->scale);
    if (copy != nullptr) {
        GdiFlush();
        std::memcpy(copy->bits, canvas->bits, byte_count(*canvas));
    }
    return copy;
}

Size canvas_size(const Canvas* canvas) {
    if (canvas == nullptr) {
        return {};
    }
    return {canvas->device_width / canvas->scale, canvas->device_height / canvas->scale};
}

std::int32_t canvas_scale(const Canvas* canvas) {
    return canvas != nullptr ? canvas->scale : 0;
}

std::int32_t canvas_scale_for(float pixel_ratio) {
    // A ratio a rounding error above a whole number is that number.
    constexpr float tolerance = 0.01F;
    if (!(pixel_ratio > 1.0F + tolerance)) {
        return 1;
    }
    return static_cast<std::int32_t>(
        std::ceil(std::min(pixel_ratio - tolerance, static_cast<float>(largest_scale))));
}

namespace {

std::uint32_t unpremultiply_channel(std::uint32_t channel, std::uint32_t alpha) {
    return std::min<std::uint32_t>((channel * 255 + alpha / 2) / alpha, 255);
}

Argb unpremultiply(std::uint32_t pixel) {
    const std::uint32_t alpha = pixel >> 24;
    if (alpha == 255 || alpha == 0) {
        return alpha == 0 ? 0 : pixel;
    }
    const std::uint32_t red = unpremultiply_channel((pixel >> 16) & 0xFF, alpha);
    const std::uint32_t green = unpremultiply_channel((pixel >> 8) & 0xFF, alpha);
    const std::uint32_t blue = unpremultiply_channel(pixel & 0xFF, alpha);
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

}  // namespace

Argb canvas_pixel(const Canvas* canvas, std::int32_t x, std::int32_t y) {
    if (canvas == nullptr || x < 0 || y < 0) {
        return 0;
    }
    const Size size = canvas_size(canvas);
    if (x >= size.cx || y >= size.cy) {
        return 0;
    }
    GdiFlush();
    const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas->scale);
    const std::size_t column =
        static_cast<std::size_t>(x) * static_cast<std::size_t>(canvas->scale);
    return unpremultiply(
        canvas->bits[row * static_cast<std::size_t>(canvas->device_width) + column]);
}

}  // namespace platform

namespace platform::win32 {

CanvasBitmap canvas_bitmap(const Canvas* canvas) {
    if (canvas == nullptr) {
        return {};
    }
    return {canvas->dib, canvas->device_width, canvas->device_height, canvas->scale};
}

}  // namespace platform::win32

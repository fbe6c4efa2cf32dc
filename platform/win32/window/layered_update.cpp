// The layered update: a canvas's DIB section shown as the whole picture of a layered window,
// with per-pixel alpha, through a memory device context.

// Before the system's headers, which define `near` as nothing.
#include "platform/graphics.h"

#include <algorithm>
#include <cmath>

#include "platform/win32/paint/win32_paint.h"
#include "platform/win32/window/win32_window.h"

namespace platform {
namespace {

bool is_layered(HWND hwnd) {
    return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

// A top-down 32-bit DIB section of the given size; its pixels through `bits`.
HBITMAP make_dib(std::int32_t width, std::int32_t height, std::uint32_t*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<std::uint32_t*>(pixels);
    return bitmap;
}

// The canvas at one device pixel per logical pixel: each factor × factor square of premultiplied
// pixels averaged, channel by channel, which is the smooth reduction of a whole scale.
HBITMAP reduced_copy(const win32::CanvasBitmap& canvas, std::int32_t factor) {
    DIBSECTION section{};
    if (GetObjectW(canvas.bitmap, sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBits == nullptr) {
        return nullptr;
    }
    const auto* source = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    const std::int32_t width = canvas.device_width / factor;
    const std::int32_t height = canvas.device_height / factor;
    std::uint32_t* target = nullptr;
    HBITMAP reduced = make_dib(width, height, target);
    if (reduced == nullptr) {
        return nullptr;
    }
    GdiFlush();  // the canvas's drawing is in its pixels before they are read
    const std::uint32_t count = static_cast<std::uint32_t>(factor * factor);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint32_t sums[4] = {};
            for (std::int32_t dy = 0; dy < factor; ++dy) {
                const std::uint32_t* row = source + (y * factor + dy) * canvas.device_width;
                for (std::int32_t dx = 0; dx < factor; ++dx) {
                    const std::uint32_t pixel = row[x * factor + dx];
                    for (int channel = 0; channel < 4; ++channel) {
                        sums[channel] += (pixel >> (8 * channel)) & 0xFFu;
                    }
                }
            }
            std::uint32_t averaged = 0;
            for (int channel = 0; channel < 4; ++channel) {
                averaged |= ((sums[channel] + count / 2) / count) << (8 * channel);
            }
            target[y * width + x] = averaged;
        }
    }
    return reduced;
}

void push_picture(HWND hwnd, HBITMAP picture, SIZE size, POINT origin, BlendFunction blend) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ previous = SelectObject(memory, picture);
    BLENDFUNCTION function{blend.operation, blend.flags, blend.constant_alpha, blend.alpha_format};
    UpdateLayeredWindow(hwnd, screen, nullptr, &size, memory, &origin, 0, &function, ULW_ALPHA);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    GdiFlush();
}

}  // namespace

void update_layered_window(WindowHandle window, const Canvas* canvas, Size size,
                           Point source_origin, BlendFunction blend) {
    const HWND hwnd = win32::to_hwnd(window);
    if (!is_window(window) || canvas == nullptr || !is_layered(hwnd)) {
        return;
    }
    const win32::CanvasBitmap bitmap = win32::canvas_bitmap(canvas);
    const auto ratio = static_cast<std::int32_t>(std::lround(window_pixel_ratio(window)));
    if (bitmap.bitmap == nullptr || bitmap.scale < 1 || ratio < 1 || bitmap.scale % ratio != 0) {
        return;
    }
    const std::int32_t factor = bitmap.scale / ratio;
    HBITMAP picture = factor == 1 ? bitmap.bitmap : reduced_copy(bitmap, factor);
    if (picture == nullptr) {
        return;
    }
    // Never past the canvas's edge, which the system would refuse as a whole.
    const std::int32_t canvas_width = bitmap.device_width / bitmap.scale;
    const std::int32_t canvas_height = bitmap.device_height / bitmap.scale;
    const std::int32_t left = std::clamp(source_origin.x, 0, canvas_width);
    const std::int32_t top = std::clamp(source_origin.y, 0, canvas_height);
    const SIZE device_size{std::min(size.cx, canvas_width - left) * ratio,
                           std::min(size.cy, canvas_height - top) * ratio};
    if (device_size.cx > 0 && device_size.cy > 0) {
        push_picture(hwnd, picture, device_size, {left * ratio, top * ratio}, blend);
    }
    if (picture != bitmap.bitmap) {
        DeleteObject(picture);
    }
}

}  // namespace platform

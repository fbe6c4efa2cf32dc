// The canvas functions the window service's tests use, on a bare DIB section, and the drawing
// service's canvas_bitmap for them.
#include "platform/win32/window/tests/canvas_double.h"

#include "platform/win32/paint/win32_paint.h"

namespace platform {

struct Canvas {
    HBITMAP bitmap = nullptr;
    std::uint32_t* pixels = nullptr;
    std::int32_t width = 0;  // logical pixels
    std::int32_t height = 0;
    std::int32_t scale = 1;
};

Canvas* canvas_create(std::int32_t width, std::int32_t height, std::int32_t scale) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width * scale;
    info.bmiHeader.biHeight = -height * scale;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr) {
        return nullptr;
    }
    return new Canvas{bitmap, static_cast<std::uint32_t*>(pixels), width, height, scale};
}

void canvas_delete(Canvas* canvas) {
    if (canvas != nullptr) {
        DeleteObject(canvas->bitmap);
        delete canvas;
    }
}

namespace win32 {

CanvasBitmap canvas_bitmap(const Canvas* canvas) {
    if (canvas == nullptr) {
        return {};
    }
    return {canvas->bitmap, canvas->width * canvas->scale, canvas->height * canvas->scale,
            canvas->scale};
}

}  // namespace win32

namespace testing {

void set_device_pixel(Canvas* canvas, std::int32_t x, std::int32_t y, std::uint32_t premultiplied) {
    canvas->pixels[y * canvas->width * canvas->scale + x] = premultiplied;
}

void fill_device_pixels(Canvas* canvas, std::uint32_t premultiplied) {
    const std::int32_t count = canvas->width * canvas->scale * canvas->height * canvas->scale;
    for (std::int32_t i = 0; i < count; ++i) {
        canvas->pixels[i] = premultiplied;
    }
}

}  // namespace testing
}  // namespace platform

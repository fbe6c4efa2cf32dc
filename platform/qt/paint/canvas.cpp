// Canvases: premultiplied ARGB images that every drawing of the program lands in.
#include <QColor>
#include <algorithm>
#include <cmath>

#include "platform/graphics.h"
#include "platform/qt/paint/qt_paint.h"

namespace platform {

Canvas* canvas_create(std::int32_t width, std::int32_t height, std::int32_t scale) {
    constexpr std::int32_t largest_scale = 8;
    if (width <= 0 || height <= 0 || scale < 1 || scale > largest_scale) {
        return nullptr;
    }
    QImage image(width * scale, height * scale, paint_format);
    if (image.isNull()) {  // the pixels could not be allocated
        return nullptr;
    }
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return new Canvas{std::move(image)};
}

namespace {

CanvasDeletedHook& canvas_deleted_hook() {
    static CanvasDeletedHook hook = nullptr;
    return hook;
}

}  // namespace

void set_canvas_deleted_hook(CanvasDeletedHook hook) {
    canvas_deleted_hook() = hook;
}

void canvas_delete(Canvas* canvas) {
    if (canvas != nullptr && canvas_deleted_hook() != nullptr) {
        canvas_deleted_hook()(*canvas);
    }
    delete canvas;
}

Canvas* canvas_copy(const Canvas* canvas) {
    if (canvas == nullptr) {
        return nullptr;
    }
    // A deep copy: a shallow one would share pixels with a canvas that may be painted on.
    return new Canvas{canvas->image.copy()};
}

Size canvas_size(const Canvas* canvas) {
    if (canvas == nullptr) {
        return {};
    }
    const std::int32_t scale = scale_of(canvas->image);
    return {canvas->image.width() / scale, canvas->image.height() / scale};
}

std::int32_t canvas_scale_for(float pixel_ratio) {
    constexpr float largest_scale = 8.0F;
    // A ratio a rounding error above a whole number is that number.
    constexpr float tolerance = 0.01F;
    if (!(pixel_ratio > 1.0F + tolerance)) {
        return 1;
    }
    return static_cast<std::int32_t>(std::ceil(std::min(pixel_ratio - tolerance, largest_scale)));
}

std::int32_t canvas_scale(const Canvas* canvas) {
    return canvas != nullptr ? scale_of(canvas->image) : 0;
}

Argb canvas_pixel(const Canvas* canvas, std::int32_t x, std::int32_t y) {
    if (canvas == nullptr || x < 0 || y < 0) {
        return 0;
    }
    x *= scale_of(canvas->image);
    y *= scale_of(canvas->image);
    if (!canvas->image.valid(x, y)) {
        return 0;
    }
    // QImage::pixel hands back premultiplied values for this format.
    const auto* row = reinterpret_cast<const QRgb*>(canvas->image.constScanLine(y));
    return qUnpremultiply(row[x]);
}

}  // namespace platform

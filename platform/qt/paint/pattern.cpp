// The background pattern: a copy of a canvas that erases rectangles back to its pixels.
#include <algorithm>
#include <cstring>

#include "platform/graphics.h"
#include "platform/qt/paint/qt_paint.h"

namespace platform {

namespace {

Rect clamp_to(Rect rect, const QImage& image) {
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, image.width());
    rect.bottom = std::min(rect.bottom, image.height());
    return rect;
}

// Copies the pixels x = left..right-1 of one canvas row from the pattern row, which repeats
// every pattern width.
void copy_row(QRgb* target, const QRgb* source, std::int32_t source_width, std::int32_t left,
              std::int32_t right) {
    std::int32_t x = left;
    while (x < right) {
        const std::int32_t source_x = x % source_width;
        const std::int32_t run = std::min(right - x, source_width - source_x);
        std::memcpy(target + x, source + source_x, sizeof(QRgb) * static_cast<std::size_t>(run));
        x += run;
    }
}

}  // namespace

Pattern* pattern_from_canvas(const Canvas* canvas) {
    if (canvas == nullptr) {
        return nullptr;
    }
    return new Pattern{canvas->image.copy()};
}

void pattern_delete(Pattern* pattern) {
    delete pattern;
}

void fill_rect_with_pattern(Canvas* canvas, const Pattern* pattern, Rect rect) {
    if (canvas == nullptr || pattern == nullptr || pattern->image.isNull()) {
        return;
    }
    QImage& image = canvas->image;
    const QImage& source = pattern->image;
    const std::int32_t scale = scale_of(image);
    if (scale_of(source) != scale) {
        return;
    }
    rect = clamp_to({rect.left * scale, rect.top * scale, rect.right * scale, rect.bottom * scale},
                    image);
    for (std::int32_t y = rect.top; y < rect.bottom; ++y) {
        auto* target_row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* source_row =
            reinterpret_cast<const QRgb*>(source.constScanLine(y % source.height()));
        copy_row(target_row, source_row, source.width(), rect.left, rect.right);
    }
}

}  // namespace platform

// The background pattern: a copy of a canvas's pixels that erases rectangles back to them.

#include <algorithm>
#include <cstring>

#include "platform/graphics.h"
#include "platform/win32/paint/gdiplus_paint.h"

namespace platform {
namespace {

// A logical coordinate in device pixels, kept within 0..limit (computed wide: no overflow).
std::int32_t to_device_within(std::int32_t logical, std::int32_t scale, std::int32_t limit) {
    const std::int64_t device = std::int64_t{logical} * scale;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(device, 0, limit));
}

Rect device_rect_within(Rect rect, const Canvas& canvas) {
    const std::int32_t scale = canvas.scale;
    return {to_device_within(rect.left, scale, canvas.device_width),
            to_device_within(rect.top, scale, canvas.device_height),
            to_device_within(rect.right, scale, canvas.device_width),
            to_device_within(rect.bottom, scale, canvas.device_height)};
}

// Copies the pixels x = left..right-1 of one canvas row from the pattern row, which repeats
// every pattern width.
void copy_row(std::uint32_t* target, const std::uint32_t* source, std::int32_t source_width,
              std::int32_t left, std::int32_t right) {
    std::int32_t x = left;
    while (x < right) {
        const std::int32_t source_x = x % source_width;
        const std::int32_t run = std::min(right - x, source_width - source_x);
        std::memcpy(target + x, source + source_x,
                    sizeof(std::uint32_t) * static_cast<std::size_t>(run));
        x += run;
    }
}

std::size_t row_start(std::int32_t y, std::int32_t width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
}

}  // namespace

Pattern* pattern_from_canvas(const Canvas* canvas) {
    if (canvas == nullptr) {
        return nullptr;
    }
    GdiFlush();
    const std::size_t count = row_start(canvas->device_height, canvas->device_width);
    return new Pattern{std::vector<std::uint32_t>(canvas->bits, canvas->bits + count),
                       canvas->device_width, canvas->device_height, canvas->scale};
}

void pattern_delete(Pattern* pattern) {
    delete pattern;
}

void fill_rect_with_pattern(Canvas* canvas, const Pattern* pattern, Rect rect) {
    if (canvas == nullptr || pattern == nullptr || pattern->pixels.empty() ||
        pattern->scale != canvas->scale) {
        return;
    }
    rect = device_rect_within(rect, *canvas);
    GdiFlush();
    for (std::int32_t y = rect.top; y < rect.bottom; ++y) {
        std::uint32_t* target_row = canvas->bits + row_start(y, canvas->device_width);
        const std::uint32_t* source_row =
            pattern->pixels.data() + row_start(y % pattern->device_height, pattern->device_width);
        copy_row(target_row, source_row, pattern->device_width, rect.left, rect.right);
    }
}

}  // namespace platform

// Helpers of the drawing tests: the modes the program paints with, and where ink landed.
#pragma once

#include <algorithm>

#include "platform/graphics.h"
#include "platform/qt/paint/qt_paint.h"

namespace platform {

inline Graphics* aliased_graphics(Canvas* canvas) {
    Graphics* graphics = graphics_create(canvas);
    graphics_set_smoothing_mode(graphics, SmoothingMode::none);
    graphics_set_pixel_offset_mode(graphics, PixelOffsetMode::none);
    graphics_set_interpolation_mode(graphics, InterpolationMode::nearest_neighbor);
    return graphics;
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
            const int alpha = qAlpha(canvas_pixel(canvas, x, y));
            count += alpha > 0 && alpha < 255 ? 1 : 0;
        }
    }
    return count;
}

}  // namespace platform

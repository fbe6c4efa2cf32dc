// The rule every drawing backend shares for aliased horizontal and vertical lines, so that they
// cover the same pixels whatever draws them: a hairline covers both its end pixels (one-pixel
// borders are drawn from corner pixel to corner pixel), a wide line runs from its start up to its
// end; across, a line of width w at c covers w pixels from c - w / 2. Logical pixels.
#pragma once

#include <algorithm>
#include <cmath>

#include "platform/types.h"

namespace platform {

inline bool is_straight(Point from, Point to) {
    return from.x == to.x || from.y == to.y;
}

// The rectangle (left, top, right, bottom exclusive) a straight line covers.
inline Rect straight_line_pixels(float width, Point from, Point to) {
    const bool hairline = width <= 1.0F;
    const int thickness = hairline ? 1 : static_cast<int>(std::lround(width));
    const int before = thickness / 2;
    const int ends = hairline ? 1 : 0;
    if (from.y == to.y) {
        const int left = std::min(from.x, to.x);
        const int top = from.y - before;
        return {left, top, std::max(from.x, to.x) + ends, top + thickness};
    }
    const int left = from.x - before;
    const int top = std::min(from.y, to.y);
    return {left, top, left + thickness, std::max(from.y, to.y) + ends};
}

}  // namespace platform

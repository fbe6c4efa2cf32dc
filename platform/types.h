// Plain value types shared by every service of the platform layer.
#pragma once

#include <cstdint>

namespace platform {

// A window of this process; 0 means none. Child controls of a dialog are windows too.
using WindowHandle = std::uint32_t;

// A 32-bit colour with alpha in the top byte: 0xAARRGGBB, not premultiplied.
using Argb = std::uint32_t;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Left and top edges are inside the rectangle, right and bottom edges are not.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct RectF {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    friend bool operator==(const RectF&, const RectF&) = default;
};

inline bool point_in_rect(const Rect& rect, Point point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

}  // namespace platform

// A stand-in for the drawing service's canvases in the window service's tests: a canvas is a
// bare DIB section whose pixels a test sets one by one.
#pragma once

#include <cstdint>

#include "platform/graphics.h"

namespace platform::testing {

// Sets the device pixel (x, y) to a premultiplied 0xAARRGGBB value.
void set_device_pixel(Canvas* canvas, std::int32_t x, std::int32_t y, std::uint32_t premultiplied);
void fill_device_pixels(Canvas* canvas, std::uint32_t premultiplied);

}  // namespace platform::testing

// Small PNG files made in memory, for tests that need pictures of known pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace test_support {

// An RGBA PNG whose pixel (x, y) has the ARGB colour pixel(x, y).
std::vector<std::uint8_t> make_png(int width, int height,
                                   const std::function<std::uint32_t(int x, int y)>& pixel);

inline std::vector<std::uint8_t> make_solid_png(int width, int height, std::uint32_t argb) {
    return make_png(width, height, [argb](int, int) { return argb; });
}

}  // namespace test_support

// Canvas and pattern tests: the DIB behind a canvas, un-premultiplied reads, exact erasing.
#include <gtest/gtest.h>

#include <limits>

#include "platform/graphics.h"
#include "platform/win32/paint/gdiplus_paint.h"
#include "platform/win32/paint/tests/paint_test_support.h"
#include "platform/win32/paint/win32_paint.h"

namespace platform {
namespace {

// A background with opaque, partly transparent and transparent pixels (premultiplied).
Canvas* make_background(int width, int height) {
    Canvas* canvas = canvas_create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t alpha = static_cast<std::uint32_t>((x * 37 + y * 11) % 256);
            const auto premultiplied = [alpha](std::uint32_t channel) {
                return (channel * alpha + 127) / 255;
            };
            set_device_pixel(canvas, x, y,
                             (alpha << 24) | (premultiplied(x % 256) << 16) |
                                 (premultiplied(y % 256) << 8) | premultiplied(90));
        }
    }
    return canvas;
}

bool same_device_pixels(const Canvas* canvas, const Canvas* other) {
    const std::size_t count = static_cast<std::size_t>(canvas->device_width) *
                              static_cast<std::size_t>(canvas->device_height);
    return std::equal(canvas->bits, canvas->bits + count, other->bits);
}

TEST(Canvas, StartsTransparentAndReadsStraightArgb) {
    Canvas* canvas = canvas_create(700, 550);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas_size(canvas), (Size{700, 550}));
    EXPECT_EQ(canvas_pixel(canvas, 699, 549), 0u);

    set_device_pixel(canvas, 1, 2, 0x80800000);  // premultiplied half-transparent pure red
    set_device_pixel(canvas, 2, 2, 0xFF336699);
    set_device_pixel(canvas, 3, 2, 0x40102030);
    EXPECT_EQ(canvas_pixel(canvas, 1, 2), 0x80FF0000u);
    EXPECT_EQ(canvas_pixel(canvas, 2, 2), 0xFF336699u);
    EXPECT_EQ(canvas_pixel(canvas, 3, 2), 0x404080BFu);
    EXPECT_EQ(canvas_pixel(canvas, -1, 2), 0u);
    EXPECT_EQ(canvas_pixel(canvas, 700, 2), 0u);
    EXPECT_EQ(canvas_pixel(canvas, 2, 550), 0u);

    Canvas* copy = canvas_copy(canvas);
    set_device_pixel(canvas, 2, 2, 0xFF000000);
    EXPECT_EQ(canvas_pixel(copy, 2, 2), 0xFF336699u) << "a copy has pixels of its own";
    canvas_delete(copy);
    canvas_delete(canvas);
}

TEST(Canvas, RefusesSizesAndScalesItCannotHold) {
    EXPECT_EQ(canvas_create(0, 10), nullptr);
    EXPECT_EQ(canvas_create(10, -1), nullptr);
    EXPECT_EQ(canvas_create(10, 10, 0), nullptr);
    EXPECT_EQ(canvas_create(10, 10, 9), nullptr);
    // Its byte count would not fit the 32-bit sizes the system takes.
    EXPECT_EQ(canvas_create(std::numeric_limits<std::int32_t>::max(), 2), nullptr);
    EXPECT_EQ(canvas_create(40000, 40000, 8), nullptr);
}

TEST(Canvas, ItsBitmapIsATopDownDibSectionOfTheDevicePixels) {
    Canvas* canvas = canvas_create(70, 55, 2);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas_size(canvas), (Size{70, 55}));
    EXPECT_EQ(canvas_scale(canvas), 2);
    const win32::CanvasBitmap bitmap = win32::canvas_bitmap(canvas);
    EXPECT_EQ(bitmap.device_width, 140);
    EXPECT_EQ(bitmap.device_height, 110);
    EXPECT_EQ(bitmap.scale, 2);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap.bitmap, sizeof(section), &section), int{sizeof(section)});
    EXPECT_EQ(section.dsBm.bmWidth, 140);
    EXPECT_EQ(section.dsBm.bmHeight, 110);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);

    // The first row of the DIB's memory is the top of the canvas: a fill lands there.
    Graphics* graphics = aliased_graphics(canvas);
    fill_rectangle(graphics, 0xFF0A141E, 69, 0, 1, 1);
    graphics_delete(graphics);
    const auto* bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    EXPECT_EQ(bits[138], 0xFF0A141Eu);
    EXPECT_EQ(bits[140 + 139], 0xFF0A141Eu);
    EXPECT_EQ(canvas_pixel(canvas, 69, 0), 0xFF0A141Eu);
    EXPECT_EQ(canvas_pixel(canvas, 70, 0), 0u);

    Canvas* copy = canvas_copy(canvas);
    EXPECT_EQ(canvas_scale(copy), 2);
    EXPECT_EQ(canvas_pixel(copy, 69, 0), 0xFF0A141Eu);
    canvas_delete(copy);
    canvas_delete(canvas);
    EXPECT_EQ(win32::canvas_bitmap(nullptr).bitmap, nullptr);
}

TEST(Canvas, ScaleForARatioIsTheNextWholeNumber) {
    EXPECT_EQ(canvas_scale_for(1.0F), 1);
    EXPECT_EQ(canvas_scale_for(1.25F), 2);
    EXPECT_EQ(canvas_scale_for(1.5F), 2);
    EXPECT_EQ(canvas_scale_for(2.0F), 2);
    EXPECT_EQ(canvas_scale_for(2.000001F), 2) << "a rounding error is no reason for scale 3";
    EXPECT_EQ(canvas_scale_for(2.5F), 3);
    EXPECT_EQ(canvas_scale_for(0.0F), 1);
    EXPECT_EQ(canvas_scale_for(std::numeric_limits<float>::quiet_NaN()), 1);
    EXPECT_EQ(canvas_scale_for(1000.0F), 8);
}

TEST(Pattern, ErasingRestoresExactlyTheCleanPixelsAlphaIncluded) {
    Canvas* canvas = make_background(120, 90);
    Canvas* clean = canvas_copy(canvas);
    Pattern* pattern = pattern_from_canvas(canvas);
    Graphics* graphics = graphics_create(canvas);
    fill_rectangle(graphics, 0xBB777777, 0, 0, 120, 90);

    const Rect erased{10, 20, 60, 70};
    // Erased while a Graphics is open on the canvas, as the painters do.
    fill_rect_with_pattern(canvas, pattern, erased);
    fill_rectangle(graphics, 0x01000000, 0, 0, 1, 1);
    graphics_delete(graphics);
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 120; ++x) {
            const bool restored = device_pixel(canvas, x, y) == device_pixel(clean, x, y);
            ASSERT_EQ(restored, point_in_rect(erased, Point{x, y})) << x << "," << y;
        }
    }
    // Clamped to the canvas: the whole canvas comes back, nothing is written outside it.
    fill_rect_with_pattern(canvas, pattern, Rect{-50, -50, 500, 500});
    EXPECT_TRUE(same_device_pixels(canvas, clean));
    fill_rect_with_pattern(canvas, pattern,
                           Rect{std::numeric_limits<std::int32_t>::min(), 0,
                                std::numeric_limits<std::int32_t>::max(), 90});
    EXPECT_TRUE(same_device_pixels(canvas, clean));
    pattern_delete(pattern);
    canvas_delete(clean);
    canvas_delete(canvas);
}

TEST(Pattern, RepeatsFromTheCanvasOriginAndNeedsTheCanvasScale) {
    Canvas* tile = make_background(7, 5);
    Pattern* pattern = pattern_from_canvas(tile);
    Canvas* canvas = canvas_create(30, 20);
    fill_rect_with_pattern(canvas, pattern, Rect{3, 2, 30, 20});
    EXPECT_EQ(device_pixel(canvas, 3, 2), device_pixel(tile, 3, 2));
    EXPECT_EQ(device_pixel(canvas, 24, 17), device_pixel(tile, 3, 2));
    EXPECT_EQ(device_pixel(canvas, 29, 19), device_pixel(tile, 1, 4));
    EXPECT_EQ(device_pixel(canvas, 2, 2), 0u);

    Canvas* dense = canvas_create(30, 20, 2);
    fill_rect_with_pattern(dense, pattern, Rect{0, 0, 30, 20});
    EXPECT_EQ(inked_bounds(dense), (Rect{30, 20, 0, 0})) << "a pattern of another scale";
    canvas_delete(dense);
    pattern_delete(pattern);
    canvas_delete(canvas);
    canvas_delete(tile);
}

TEST(Pattern, ErasesTheDevicePixelsOfAScaledCanvas) {
    Canvas* canvas = canvas_create(50, 40, 2);
    Graphics* graphics = aliased_graphics(canvas);
    fill_rectangle(graphics, 0x80FF0000, 3, 4, 30, 20);
    Pattern* pattern = pattern_from_canvas(canvas);
    Canvas* clean = canvas_copy(canvas);
    fill_rectangle(graphics, 0xFF000000, 0, 0, 50, 40);
    graphics_delete(graphics);
    fill_rect_with_pattern(canvas, pattern, {10, 8, 30, 30});
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool erased = x >= 20 && x < 60 && y >= 16 && y < 60;
            ASSERT_EQ(device_pixel(canvas, x, y), erased ? device_pixel(clean, x, y) : 0xFF000000u)
                << x << "," << y;
        }
    }
    canvas_delete(clean);
    pattern_delete(pattern);
    canvas_delete(canvas);
}

}  // namespace
}  // namespace platform

// Painting tests: where images, rectangles and lines land, pixel by pixel, and how they blend.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/graphics.h"
#include "platform/qt/paint/qt_paint.h"
#include "platform/qt/paint/tests/paint_test_support.h"

namespace platform {
namespace {

bool channels_near(Argb actual, Argb expected) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 1) {
            return false;
        }
    }
    return true;
}

TEST(DrawImage, CoversItsCellWithTheImagePixels) {
    Image image{QImage(29, 29, paint_format)};
    for (int y = 0; y < 29; ++y) {
        for (int x = 0; x < 29; ++x) {
            image.image.setPixel(x, y, qPremultiply(qRgba(x * 8, y * 8, 200, 60 + x + y * 6)));
        }
    }
    Canvas* canvas = canvas_create(100, 100);
    Graphics* graphics = aliased_graphics(canvas);
    draw_image(graphics, &image, 30, 31, 29, 29);
    graphics_delete(graphics);

    EXPECT_EQ(inked_bounds(canvas), (Rect{30, 31, 59, 60}));
    EXPECT_EQ(canvas->image.copy(30, 31, 29, 29), image.image);
    canvas_delete(canvas);
}

TEST(DrawLine, WideBarsEndFlatAndHairlinesCoverTheirEnds) {
    Canvas* canvas = canvas_create(700, 200);
    Graphics* graphics = aliased_graphics(canvas);
    draw_line(graphics, 0xFF333333, 6.0F, Point{480, 94}, Point{480, 140});
    EXPECT_EQ(inked_bounds(canvas), (Rect{477, 94, 483, 140}));
    EXPECT_EQ(canvas_pixel(canvas, 477, 139), 0xFF333333u);

    canvas->image.fill(Qt::transparent);
    // A tooltip border, corner pixel to corner pixel.
    const Argb ink = 0xFF222222;
    draw_line(graphics, ink, 1.0F, Point{0, 0}, Point{39, 0});
    draw_line(graphics, ink, 1.0F, Point{39, 0}, Point{39, 19});
    draw_line(graphics, ink, 1.0F, Point{0, 19}, Point{39, 19});
    draw_line(graphics, ink, 1.0F, Point{0, 19}, Point{0, 0});
    EXPECT_EQ(inked_bounds(canvas), (Rect{0, 0, 40, 20}));
    for (const Point corner : {Point{0, 0}, Point{39, 0}, Point{39, 19}, Point{0, 19}}) {
        EXPECT_EQ(canvas_pixel(canvas, corner.x, corner.y), ink) << corner.x << "," << corner.y;
    }
    EXPECT_EQ(canvas_pixel(canvas, 1, 1), 0u);
    graphics_delete(graphics);
    canvas_delete(canvas);
}

TEST(FillRectangle, CoversExactlyItsPixelsAndBlends) {
    Canvas* canvas = canvas_create(100, 100);
    Graphics* graphics = aliased_graphics(canvas);
    fill_rectangle(graphics, 0xBB777777, 40, 41, 20, 10);
    EXPECT_EQ(inked_bounds(canvas), (Rect{40, 41, 60, 51}));
    EXPECT_TRUE(channels_near(canvas_pixel(canvas, 40, 41), 0xBB777777));

    // The help panel's grey over an opaque board: 187/255 of the grey, 68/255 of the board.
    fill_rectangle(graphics, 0xFF2050A0, 0, 0, 100, 100);
    fill_rectangle(graphics, 0xBB777777, 10, 10, 5, 5);
    const auto mix = [](int over, int under) { return (over * 187 + under * 68 + 127) / 255; };
    const Argb expected = qRgba(mix(0x77, 0x20), mix(0x77, 0x50), mix(0x77, 0xA0), 255);
    EXPECT_TRUE(channels_near(canvas_pixel(canvas, 10, 10), expected));
    EXPECT_TRUE(channels_near(canvas_pixel(canvas, 14, 14), expected));
    EXPECT_EQ(inked_bounds(canvas, 0xFF2050A0), (Rect{10, 10, 15, 15}));
    graphics_delete(graphics);
    canvas_delete(canvas);
}

TEST(SmoothingMode, OnlyHighQualityLeavesPartlyCoveredPixels) {
    const auto partial_pixels = [](SmoothingMode mode) {
        Canvas* canvas = canvas_create(50, 50);
        Graphics* graphics = graphics_create(canvas);
        graphics_set_smoothing_mode(graphics, mode);
        draw_line(graphics, 0xFF000000, 3.0F, Point{2, 3}, Point{45, 30});
        graphics_delete(graphics);
        const int count = partly_covered_pixels(canvas);
        canvas_delete(canvas);
        return count;
    };
    EXPECT_EQ(partial_pixels(SmoothingMode::none), 0);
    EXPECT_GT(partial_pixels(SmoothingMode::high_quality), 0);
}

TEST(NullHandles, DrawNothingAndGiveEmptyValues) {
    EXPECT_EQ(graphics_create(nullptr), nullptr);
    EXPECT_EQ(canvas_copy(nullptr), nullptr);
    EXPECT_EQ(pattern_from_canvas(nullptr), nullptr);
    EXPECT_EQ(canvas_size(nullptr), Size{});
    EXPECT_EQ(image_size(nullptr), Size{});
    EXPECT_EQ(canvas_pixel(nullptr, 0, 0), 0u);
    graphics_set_smoothing_mode(nullptr, SmoothingMode::high_quality);
    graphics_set_interpolation_mode(nullptr, InterpolationMode::nearest_neighbor);
    fill_rectangle(nullptr, 0xFFFFFFFF, 0, 0, 5, 5);
    draw_line(nullptr, 0xFFFFFFFF, 1.0F, Point{}, Point{5, 5});
    canvas_delete(nullptr);
    pattern_delete(nullptr);
    image_dispose(nullptr);
    graphics_delete(nullptr);

    Canvas* canvas = canvas_create(10, 10);
    Graphics* graphics = graphics_create(canvas);
    draw_image(graphics, nullptr, 0, 0, 10, 10);
    fill_rect_with_pattern(canvas, nullptr, Rect{0, 0, 5, 5});
    EXPECT_EQ(inked_bounds(canvas), (Rect{10, 10, 0, 0}));
    graphics_delete(graphics);
    canvas_delete(canvas);
}

}  // namespace
}  // namespace platform

// Painting tests: where rectangles and lines land, pixel by pixel, at every scale, and how they
// blend.
#include <gtest/gtest.h>

#include <functional>

#include "platform/graphics.h"
#include "platform/win32/paint/gdiplus_paint.h"
#include "platform/win32/paint/tests/paint_test_support.h"

namespace platform {
namespace {

TEST(DrawLine, WideBarsEndFlatAndHairlinesCoverTheirEnds) {
    Canvas* canvas = canvas_create(700, 200);
    Graphics* graphics = aliased_graphics(canvas);
    draw_line(graphics, 0xFF333333, 6.0F, Point{480, 94}, Point{480, 140});
    EXPECT_EQ(inked_bounds(canvas), (Rect{477, 94, 483, 140}));
    EXPECT_EQ(canvas_pixel(canvas, 477, 139), 0xFF333333u);
    graphics_delete(graphics);
    canvas_delete(canvas);

    canvas = canvas_create(700, 200);
    graphics = aliased_graphics(canvas);
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

using Drawing = std::function<void(Graphics*)>;

Canvas* drawn_at(std::int32_t scale, Size size, const Drawing& drawing) {
    Canvas* canvas = canvas_create(size.cx, size.cy, scale);
    Graphics* graphics = aliased_graphics(canvas);
    drawing(graphics);
    graphics_delete(graphics);
    return canvas;
}

// The logical pixels whose device pixels at scale 2 are not all the pixel drawn at scale 1.
int pixels_unlike_scale_one(const Drawing& drawing, Size size) {
    Canvas* one = drawn_at(1, size, drawing);
    Canvas* two = drawn_at(2, size, drawing);
    int unlike = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            bool same = true;
            for (int d = 0; d < 4; ++d) {
                same = same &&
                       device_pixel(two, 2 * x + d % 2, 2 * y + d / 2) == device_pixel(one, x, y);
            }
            unlike += same ? 0 : 1;
        }
    }
    canvas_delete(one);
    canvas_delete(two);
    return unlike;
}

TEST(ScaledCanvas, LinesAndFillsCoverTheSamePixelsAsAtScaleOne) {
    for (const float width : {1.0F, 2.0F, 3.0F, 5.0F, 6.0F}) {
        const Drawing lines = [width](Graphics* graphics) {
            draw_line(graphics, 0xFF333333, width, Point{20, 4}, Point{20, 40});
            draw_line(graphics, 0xFF802040, width, Point{60, 30}, Point{25, 30});
            draw_line(graphics, 0xFF204080, width, Point{5, 45}, Point{70, 45});
            draw_line(graphics, 0xFF407020, width, Point{66, 41}, Point{66, 9});
        };
        EXPECT_EQ(pixels_unlike_scale_one(lines, {80, 50}), 0) << "width " << width;
    }
    const Drawing fills = [](Graphics* graphics) {
        fill_rectangle(graphics, 0xFF10A0C0, 3, 4, 30, 20);
        fill_rectangle(graphics, 0x80FF0000, 20, 10, 25, 25);
    };
    EXPECT_EQ(pixels_unlike_scale_one(fills, {50, 40}), 0);
}

TEST(FillRectangle, CoversExactlyItsPixelsAndBlendsKeepingAlpha) {
    Canvas* canvas = canvas_create(100, 100);
    Graphics* graphics = aliased_graphics(canvas);
    fill_rectangle(graphics, 0xBB777777, 40, 41, 20, 10);
    EXPECT_EQ(inked_bounds(canvas), (Rect{40, 41, 60, 51}));
    EXPECT_TRUE(channels_near(canvas_pixel(canvas, 40, 41), 0xBB777777));
    // Over its own colour, a translucent fill leaves a pixel more opaque: 187 + 68 × 187 / 255 =
    // 237.
    fill_rectangle(graphics, 0xBB777777, 40, 41, 1, 1);
    EXPECT_TRUE(channels_near(canvas_pixel(canvas, 40, 41), 0xED777777));

    // The help panel's grey over an opaque board: 187/255 of the grey, 68/255 of the board.
    fill_rectangle(graphics, 0xFF2050A0, 0, 0, 100, 100);
    fill_rectangle(graphics, 0xBB777777, 10, 10, 5, 5);
    const auto mix = [](Argb over, Argb under) { return (over * 187 + under * 68 + 127) / 255; };
    const Argb expected =
        0xFF000000u | mix(0x77, 0x20) << 16 | mix(0x77, 0x50) << 8 | mix(0x77, 0xA0);
    EXPECT_TRUE(channels_near(canvas_pixel(canvas, 10, 10), expected));
    EXPECT_TRUE(channels_near(canvas_pixel(canvas, 14, 14), expected));
    EXPECT_EQ(inked_bounds(canvas, 0xFF2050A0), (Rect{10, 10, 15, 15}));
    graphics_delete(graphics);
    canvas_delete(canvas);
}

TEST(SmoothingMode, OnlyHighQualityLeavesPartlyCoveredPixels) {
    const auto partial_pixels = [](SmoothingMode mode, Point to) {
        Canvas* canvas = canvas_create(50, 50);
        Graphics* graphics = graphics_create(canvas);
        graphics_set_smoothing_mode(graphics, mode);
        draw_line(graphics, 0xFF000000, 3.0F, Point{2, 3}, to);
        graphics_delete(graphics);
        const int count = partly_covered_pixels(canvas);
        canvas_delete(canvas);
        return count;
    };
    EXPECT_EQ(partial_pixels(SmoothingMode::none, Point{45, 30}), 0);
    // Wine's GDI+ fills every shape aliased, whatever the mode.
    if (!running_under_wine()) {
        EXPECT_GT(partial_pixels(SmoothingMode::high_quality, Point{45, 30}), 0);
    }
    // A smoothed straight line, drawn by GDI+'s pen, lands on the columns of the aliased one.
    Canvas* canvas = canvas_create(50, 50);
    Graphics* graphics = graphics_create(canvas);
    graphics_set_smoothing_mode(graphics, SmoothingMode::high_quality);
    draw_line(graphics, 0xFF000000, 2.0F, Point{20, 5}, Point{20, 40});
    graphics_delete(graphics);
    EXPECT_GE(inked_bounds(canvas).left, 18);
    EXPECT_LE(inked_bounds(canvas).right, 22);
    EXPECT_EQ(alpha_of(canvas_pixel(canvas, 19, 20)), 255u);
    EXPECT_EQ(alpha_of(canvas_pixel(canvas, 20, 20)), 255u);
    canvas_delete(canvas);
}

TEST(NullHandles, DrawNothingAndGiveEmptyValues) {
    EXPECT_EQ(graphics_create(nullptr), nullptr);
    EXPECT_EQ(canvas_copy(nullptr), nullptr);
    EXPECT_EQ(pattern_from_canvas(nullptr), nullptr);
    EXPECT_EQ(canvas_size(nullptr), Size{});
    EXPECT_EQ(canvas_scale(nullptr), 0);
    EXPECT_EQ(image_size(nullptr), Size{});
    EXPECT_EQ(image_from_png({}), nullptr);
    EXPECT_EQ(canvas_pixel(nullptr, 0, 0), 0u);
    graphics_set_smoothing_mode(nullptr, SmoothingMode::high_quality);
    graphics_set_pixel_offset_mode(nullptr, PixelOffsetMode::none);
    graphics_set_interpolation_mode(nullptr, InterpolationMode::nearest_neighbor);
    fill_rectangle(nullptr, 0xFFFFFFFF, 0, 0, 5, 5);
    draw_line(nullptr, 0xFFFFFFFF, 1.0F, Point{}, Point{5, 5});
    draw_image(nullptr, nullptr, 0, 0, 5, 5);
    fill_rect_with_pattern(nullptr, nullptr, Rect{0, 0, 5, 5});
    canvas_delete(nullptr);
    pattern_delete(nullptr);
    image_dispose(nullptr);
    graphics_delete(nullptr);

    Canvas* canvas = canvas_create(10, 10);
    Graphics* graphics = graphics_create(canvas);
    draw_image(graphics, nullptr, 0, 0, 10, 10);
    fill_rect_with_pattern(canvas, nullptr, Rect{0, 0, 5, 5});
    fill_rectangle(graphics, 0xFFFFFFFF, 0, 0, 0, 5);
    draw_line(graphics, 0xFFFFFFFF, 0.0F, Point{}, Point{5, 5});
    EXPECT_EQ(inked_bounds(canvas), (Rect{10, 10, 0, 0}));
    graphics_delete(graphics);
    canvas_delete(canvas);
}

}  // namespace
}  // namespace platform

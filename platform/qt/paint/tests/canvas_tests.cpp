// Canvas, pattern and image tests: creation, un-premultiplied reads, exact erasing, PNG decoding.
#include <gtest/gtest.h>

#include <QBuffer>
#include <vector>

#include "platform/graphics.h"
#include "platform/qt/paint/qt_paint.h"

namespace platform {
namespace {

// A background with opaque, partly transparent and transparent pixels.
Canvas* make_background(int width, int height) {
    Canvas* canvas = canvas_create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha = (x * 37 + y * 11) % 256;
            canvas->image.setPixel(x, y, qPremultiply(qRgba(x % 256, y % 256, 90, alpha)));
        }
    }
    return canvas;
}

TEST(Canvas, StartsTransparentAndReadsStraightArgb) {
    Canvas* canvas = canvas_create(700, 550);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas_size(canvas), (Size{700, 550}));
    EXPECT_EQ(canvas_pixel(canvas, 699, 549), 0u);
    EXPECT_EQ(canvas_create(0, 10), nullptr);

    canvas->image.setPixel(1, 2, 0x80800000);  // premultiplied half-transparent pure red
    canvas->image.setPixel(2, 2, 0xFF336699);
    EXPECT_EQ(canvas_pixel(canvas, 1, 2), 0x80FF0000u);
    EXPECT_EQ(canvas_pixel(canvas, 2, 2), 0xFF336699u);
    EXPECT_EQ(canvas_pixel(canvas, -1, 2), 0u);
    EXPECT_EQ(canvas_pixel(canvas, 700, 2), 0u);

    Canvas* copy = canvas_copy(canvas);
    canvas->image.setPixel(2, 2, 0xFF000000);
    EXPECT_EQ(canvas_pixel(copy, 2, 2), 0xFF336699u);
    canvas_delete(copy);
    canvas_delete(canvas);
}

TEST(Pattern, ErasingRestoresExactlyTheCleanPixels) {
    Canvas* canvas = make_background(120, 90);
    Pattern* pattern = pattern_from_canvas(canvas);
    Graphics* graphics = graphics_create(canvas);
    fill_rectangle(graphics, 0xBB777777, 0, 0, 120, 90);
    graphics_delete(graphics);

    const Rect erased{10, 20, 60, 70};
    fill_rect_with_pattern(canvas, pattern, erased);
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 120; ++x) {
            const bool restored = canvas->image.pixel(x, y) == pattern->image.pixel(x, y);
            ASSERT_EQ(restored, point_in_rect(erased, Point{x, y})) << x << "," << y;
        }
    }
    // Clamped to the canvas: the whole canvas comes back, nothing is written outside it.
    fill_rect_with_pattern(canvas, pattern, Rect{-50, -50, 500, 500});
    EXPECT_EQ(canvas->image, pattern->image);
    pattern_delete(pattern);
    canvas_delete(canvas);
}

TEST(Pattern, RepeatsFromTheCanvasOrigin) {
    Canvas* tile = make_background(7, 5);
    Pattern* pattern = pattern_from_canvas(tile);
    Canvas* canvas = canvas_create(30, 20);
    fill_rect_with_pattern(canvas, pattern, Rect{3, 2, 30, 20});
    EXPECT_EQ(canvas->image.pixel(3, 2), tile->image.pixel(3, 2));
    EXPECT_EQ(canvas->image.pixel(24, 17), tile->image.pixel(3, 2));
    EXPECT_EQ(canvas->image.pixel(29, 19), tile->image.pixel(1, 4));
    EXPECT_EQ(canvas->image.pixel(2, 2), 0u);
    pattern_delete(pattern);
    canvas_delete(canvas);
    canvas_delete(tile);
}

TEST(Image, DecodesPngIntoPixelsOfItsOwn) {
    QImage source(29, 29, QImage::Format_ARGB32);
    source.fill(qRgba(200, 40, 10, 128));
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    source.save(&buffer, "PNG");
    std::vector<std::uint8_t> bytes(data.begin(), data.end());

    Image* image = image_from_png(bytes);
    std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image_size(image), (Size{29, 29}));
    EXPECT_EQ(image->image.pixel(28, 28), qPremultiply(qRgba(200, 40, 10, 128)));
    image_dispose(image);

    const std::vector<std::uint8_t> garbage = {0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_EQ(image_from_png(garbage), nullptr);
    EXPECT_EQ(image_from_png({}), nullptr);
}

}  // namespace
}  // namespace platform

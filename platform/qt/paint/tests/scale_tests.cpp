// Canvases of more than one device pixel per logical pixel: everything lands on the same logical
// pixels as at scale 1, but text is drawn at the device pixels' resolution and images come from
// their variant of that scale.
#include <gtest/gtest.h>
#include <algorithm>

#include <QBuffer>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include "platform/graphics.h"
#include "platform/qt/paint/qt_paint.h"
#include "platform/qt/paint/tests/paint_test_support.h"

namespace platform {
namespace {

using Drawing = std::function<void(Graphics*)>;

// The drawing made on a new canvas of the given scale.
Canvas* drawn_at(std::int32_t scale, Size size, const Drawing& drawing) {
    Canvas* canvas = canvas_create(size.cx, size.cy, scale);
    Graphics* graphics = aliased_graphics(canvas);
    drawing(graphics);
    graphics_delete(graphics);
    return canvas;
}

QRgb device_pixel(const Canvas* canvas, int x, int y) {
    return reinterpret_cast<const QRgb*>(canvas->image.constScanLine(y))[x];
}

// The logical pixels whose device pixels at scale 2 are not all the pixel drawn at scale 1.
int pixels_unlike_scale_one(const Drawing& drawing, Size size) {
    Canvas* one = drawn_at(1, size, drawing);
    Canvas* two = drawn_at(2, size, drawing);
    int unlike = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const QRgb expected = device_pixel(one, x, y);
            bool same = true;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    same = same && device_pixel(two, 2 * x + dx, 2 * y + dy) == expected;
                }
            }
            unlike += same ? 0 : 1;
        }
    }
    canvas_delete(one);
    canvas_delete(two);
    return unlike;
}

// Of the 2 × 2 blocks of device pixels (one per logical pixel) that hold ink, those that are not
// one colour: a picture drawn at scale 1 and doubled has none.
struct Blocks {
    int inked = 0;
    int mixed = 0;
};

Blocks ink_blocks(const Canvas* canvas) {
    Blocks blocks;
    const Size size = canvas_size(canvas);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const QRgb first = device_pixel(canvas, 2 * x, 2 * y);
            bool inked = false;
            bool mixed = false;
            for (int d = 0; d < 4; ++d) {
                const QRgb pixel = device_pixel(canvas, 2 * x + d % 2, 2 * y + d / 2);
                inked = inked || qAlpha(pixel) != 0;
                mixed = mixed || pixel != first;
            }
            blocks.inked += inked ? 1 : 0;
            blocks.mixed += mixed ? 1 : 0;
        }
    }
    return blocks;
}

TEST(ScaledCanvas, HasLogicalSizeAndPixelsAndKeepsItsScaleWhenCopied) {
    Canvas* canvas = canvas_create(70, 55, 2);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas_size(canvas), (Size{70, 55}));
    EXPECT_EQ(canvas_scale(canvas), 2);
    EXPECT_EQ(canvas->image.size(), QSize(140, 110));
    canvas->image.setPixel(2 * 69, 2 * 54, qRgba(10, 20, 30, 255));
    EXPECT_EQ(canvas_pixel(canvas, 69, 54), 0xFF0A141Eu);
    EXPECT_EQ(canvas_pixel(canvas, 70, 0), 0u);
    EXPECT_EQ(canvas_pixel(canvas, -1, 0), 0u);
    Canvas* copy = canvas_copy(canvas);
    EXPECT_EQ(canvas_scale(copy), 2);
    EXPECT_EQ(canvas_pixel(copy, 69, 54), 0xFF0A141Eu);
    canvas_delete(copy);
    canvas_delete(canvas);

    EXPECT_EQ(canvas_create(10, 10, 0), nullptr);
    EXPECT_EQ(canvas_scale(nullptr), 0);
    Canvas* plain = canvas_create(10, 10);
    EXPECT_EQ(canvas_scale(plain), 1);
    canvas_delete(plain);
}

TEST(ScaledCanvas, ScaleForARatioIsTheNextWholeNumber) {
    EXPECT_EQ(canvas_scale_for(1.0F), 1);
    EXPECT_EQ(canvas_scale_for(1.25F), 2);
    EXPECT_EQ(canvas_scale_for(1.5F), 2);
    EXPECT_EQ(canvas_scale_for(1.75F), 2);
    EXPECT_EQ(canvas_scale_for(2.0F), 2);
    EXPECT_EQ(canvas_scale_for(2.000001F), 2) << "a rounding error is no reason for scale 3";
    EXPECT_EQ(canvas_scale_for(2.5F), 3);
    EXPECT_EQ(canvas_scale_for(0.5F), 1);
    EXPECT_EQ(canvas_scale_for(0.0F), 1);
    EXPECT_EQ(canvas_scale_for(std::numeric_limits<float>::quiet_NaN()), 1);
    EXPECT_EQ(canvas_scale_for(1000.0F), 8);
}

TEST(ScaledCanvas, StraightLinesOfEveryWidthCoverTheSamePixelsAsAtScaleOne) {
    for (const float width : {1.0F, 2.0F, 3.0F, 5.0F, 6.0F}) {
        const Drawing lines = [width](Graphics* graphics) {
            draw_line(graphics, 0xFF333333, width, Point{20, 4}, Point{20, 40});
            draw_line(graphics, 0xFF802040, width, Point{60, 30}, Point{25, 30});
            draw_line(graphics, 0xFF204080, width, Point{5, 45}, Point{70, 45});
            draw_line(graphics, 0xFF407020, width, Point{66, 41}, Point{66, 9});
        };
        EXPECT_EQ(pixels_unlike_scale_one(lines, {80, 50}), 0) << "width " << width;
    }
}

TEST(ScaledCanvas, FillsAndPatternErasesCoverTheSamePixelsAsAtScaleOne) {
    const Drawing fills = [](Graphics* graphics) {
        fill_rectangle(graphics, 0xFF10A0C0, 3, 4, 30, 20);
        fill_rectangle(graphics, 0x80FF0000, 20, 10, 25, 25);
    };
    EXPECT_EQ(pixels_unlike_scale_one(fills, {50, 40}), 0);

    Canvas* canvas = drawn_at(2, {50, 40}, fills);
    Pattern* pattern = pattern_from_canvas(canvas);
    Graphics* graphics = aliased_graphics(canvas);
    fill_rectangle(graphics, 0xFF000000, 0, 0, 50, 40);
    graphics_delete(graphics);
    fill_rect_with_pattern(canvas, pattern, {10, 8, 30, 30});
    Canvas* expected = drawn_at(2, {50, 40}, fills);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool erased = x >= 20 && x < 60 && y >= 16 && y < 60;
            ASSERT_EQ(device_pixel(canvas, x, y),
                      erased ? device_pixel(expected, x, y) : qRgba(0, 0, 0, 255))
                << x << "," << y;
        }
    }
    // A pattern of another scale erases nothing.
    Canvas* other = canvas_create(50, 40);
    fill_rect_with_pattern(other, pattern, {0, 0, 50, 40});
    EXPECT_EQ(inked_bounds(other), (Rect{50, 40, 0, 0}));
    canvas_delete(other);
    canvas_delete(expected);
    pattern_delete(pattern);
    canvas_delete(canvas);
}

TEST(ScaledCanvas, TextIsDrawnAtTheDevicePixelsResolutionInTheSamePlace) {
    FontFamily* family = font_family_create(u"Arial");
    Font* font = font_create(family, 14.0F, FontStyle::bold);
    const Drawing text = [font](Graphics* graphics) {
        draw_string(graphics, u"Règles du jeu : cliquez sur un groupe", font,
                    RectF{10, 10, 280, 60}, nullptr, 0xFF202020);
    };
    Canvas* one = drawn_at(1, {300, 80}, text);
    Canvas* two = drawn_at(2, {300, 80}, text);
    // Doubled, the glyphs' edges would be 2 × 2 blocks of one colour; drawn for the device
    // pixels, most inked blocks mix colours along the edges.
    const Blocks blocks = ink_blocks(two);
    EXPECT_GT(blocks.inked, 200);
    EXPECT_GT(blocks.mixed * 2, blocks.inked) << blocks.mixed << " of " << blocks.inked;
    // The text stays where it is at scale 1, within a pixel of hinting.
    const Rect at_one = inked_bounds(one);
    const Rect at_two = inked_bounds(two);
    EXPECT_NEAR(at_two.left, at_one.left, 1);
    EXPECT_NEAR(at_two.top, at_one.top, 1);
    EXPECT_NEAR(at_two.right, at_one.right, 2);
    EXPECT_NEAR(at_two.bottom, at_one.bottom, 1);
    canvas_delete(two);
    canvas_delete(one);
    font_delete(font);
    font_family_delete(family);
}

Image* solid_image(QColor colour, int side) {
    QImage pixels(side, side, paint_format);
    pixels.fill(colour);
    return new Image{pixels, {}};
}

std::vector<std::uint8_t> png_of(QColor colour, int side) {
    QImage pixels(side, side, paint_format);
    pixels.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    pixels.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

TEST(ScaledCanvas, ImagesAreDrawnFromTheirVariantOfTheLargestScaleNotAboveTheCanvas) {
    Image* image = solid_image(Qt::red, 10);
    EXPECT_FALSE(image_add_variant(image, png_of(Qt::green, 15), 2)) << "not twice the size";
    EXPECT_FALSE(image_add_variant(image, png_of(Qt::green, 10), 1));
    EXPECT_TRUE(image_add_variant(image, png_of(Qt::blue, 40), 4));
    EXPECT_TRUE(image_add_variant(image, png_of(Qt::green, 20), 2));
    EXPECT_EQ(image_size(image), (Size{10, 10})) << "the size stays the logical one";

    const std::pair<std::int32_t, Argb> expected[] = {
        {1, 0xFFFF0000}, {2, 0xFF00FF00}, {3, 0xFF00FF00}, {4, 0xFF0000FF}};
    for (const auto& [scale, colour] : expected) {
        Canvas* canvas = canvas_create(30, 30, scale);
        Graphics* graphics = aliased_graphics(canvas);
        draw_image(graphics, image, 5, 6, 10, 10);
        graphics_delete(graphics);
        EXPECT_EQ(canvas_pixel(canvas, 5, 6), colour) << "scale " << scale;
        EXPECT_EQ(inked_bounds(canvas), (Rect{5, 6, 15, 16})) << "scale " << scale;
        canvas_delete(canvas);
    }
    image_dispose(image);
}

TEST(ScaledCanvas, AVariantIsDecodedOnlyWhenDrawnAtItsScaleAndABrokenOneGivesTheImage) {
    Image* image = solid_image(Qt::red, 10);
    std::vector<std::uint8_t> broken = png_of(Qt::green, 20);
    // Cut inside the pixel data: the size stays readable, the pixels do not.
    const std::string_view pixel_chunk = "IDAT";
    const auto data_start =
        std::search(broken.begin(), broken.end(), pixel_chunk.begin(), pixel_chunk.end());
    ASSERT_NE(data_start, broken.end());
    broken.erase(data_start + 6, broken.end());
    ASSERT_TRUE(image_add_variant(image, broken, 2));
    ASSERT_TRUE(image_add_variant(image, png_of(Qt::blue, 30), 3));

    Canvas* plain = canvas_create(10, 10, 1);
    Graphics* graphics = aliased_graphics(plain);
    draw_image(graphics, image, 0, 0, 10, 10);
    graphics_delete(graphics);
    EXPECT_TRUE(image->variants[0].decoded.isNull() && image->variants[1].decoded.isNull())
        << "a screen of ratio 1 never holds the dense pixels";
    canvas_delete(plain);

    const std::pair<std::int32_t, Argb> expected[] = {{2, 0xFFFF0000}, {3, 0xFF0000FF}};
    for (const auto& [scale, colour] : expected) {
        Canvas* canvas = canvas_create(10, 10, scale);
        graphics = aliased_graphics(canvas);
        draw_image(graphics, image, 0, 0, 10, 10);
        draw_image(graphics, image, 0, 0, 10, 10);  // the failed decode is not tried again
        graphics_delete(graphics);
        EXPECT_EQ(canvas_pixel(canvas, 5, 5), colour) << "scale " << scale;
        canvas_delete(canvas);
    }
    image_dispose(image);
}

}  // namespace
}  // namespace platform

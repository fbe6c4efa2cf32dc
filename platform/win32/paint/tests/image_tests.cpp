// Image tests: PNG decoded by GDI+ into pixels of the image's own, drawn where asked, and the
// variant of a canvas's scale chosen, decoded only when first drawn at that scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/graphics.h"
#include "platform/win32/paint/gdiplus_paint.h"
#include "platform/win32/paint/tests/paint_test_support.h"

namespace platform {
namespace {

constexpr Argb red = 0xFFFF0000;
constexpr Argb green = 0xFF00FF00;
constexpr Argb blue = 0xFF0000FF;

Argb drawn_colour(const Image* image, std::int32_t scale) {
    Canvas* canvas = canvas_create(10, 10, scale);
    Graphics* graphics = aliased_graphics(canvas);
    draw_image(graphics, image, 0, 0, 10, 10);
    graphics_delete(graphics);
    const Argb colour = canvas_pixel(canvas, 5, 5);
    canvas_delete(canvas);
    return colour;
}

TEST(Image, DecodesPngIntoPixelsOfItsOwn) {
    std::vector<std::uint8_t> bytes = encoded_square(0x80C8280A, 29);
    ASSERT_FALSE(bytes.empty());
    Image* image = image_from_png(bytes);
    std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image_size(image), (Size{29, 29}));
    // Kept premultiplied: 200, 40, 10 at alpha 128.
    EXPECT_EQ(image->pixels.pixels.back(), 0x80641405u);

    Canvas* canvas = canvas_create(40, 40);
    Graphics* graphics = aliased_graphics(canvas);
    draw_image(graphics, image, 3, 4, 29, 29);
    graphics_delete(graphics);
    EXPECT_EQ(device_pixel(canvas, 31, 32), 0x80641405u);
    canvas_delete(canvas);
    image_dispose(image);
}

TEST(Image, RefusesWhatIsNoPng) {
    const std::vector<std::uint8_t> garbage = {0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_EQ(image_from_png(garbage), nullptr);
    EXPECT_EQ(image_from_png({}), nullptr);
    const std::vector<std::uint8_t> bitmap_file = encoded_square(red, 8, bmp_encoder);
    ASSERT_FALSE(bitmap_file.empty());
    EXPECT_EQ(image_from_png(bitmap_file), nullptr) << "GDI+ would read it; the program does not";
}

TEST(DrawImage, CoversItsCellWithTheImagePixels) {
    Image* image = image_from_png(encoded_square(0xC0204080, 29));
    ASSERT_NE(image, nullptr);
    // A picture of distinct pixels: any shift or blur would show.
    for (std::size_t index = 0; index < image->pixels.pixels.size(); ++index) {
        const auto x = static_cast<std::uint32_t>(index % 29);
        const auto y = static_cast<std::uint32_t>(index / 29);
        image->pixels.pixels[index] = 0xC0000000u | (x * 6) << 16 | (y * 6) << 8 | 0x90;
    }
    Canvas* canvas = canvas_create(100, 100);
    Graphics* graphics = aliased_graphics(canvas);
    draw_image(graphics, image, 30, 31, 29, 29);
    graphics_delete(graphics);

    EXPECT_EQ(inked_bounds(canvas), (Rect{30, 31, 59, 60}));
    for (int y = 0; y < 29; ++y) {
        for (int x = 0; x < 29; ++x) {
            const std::uint32_t drawn = device_pixel(canvas, 30 + x, 31 + y);
            const std::uint32_t source = image->pixels.pixels[static_cast<std::size_t>(y * 29 + x)];
            // Wine's GDI+ blends a translucent pixel through its un-premultiplied value and
            // rounds twice; Windows' copies it over transparency unchanged.
            ASSERT_TRUE(running_under_wine() ? channels_near(drawn, source) : drawn == source)
                << x << "," << y << ": " << std::hex << drawn << " for " << source;
        }
    }
    canvas_delete(canvas);
    image_dispose(image);
}

TEST(ScaledImage, IsDrawnFromTheVariantOfTheLargestScaleNotAboveTheCanvas) {
    Image* image = image_from_png(encoded_square(red, 10));
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image_add_variant(image, encoded_square(green, 15), 2)) << "not twice the size";
    EXPECT_FALSE(image_add_variant(image, encoded_square(green, 10), 1));
    EXPECT_FALSE(image_add_variant(image, {}, 2));
    EXPECT_FALSE(image_add_variant(nullptr, encoded_square(green, 20), 2));
    EXPECT_TRUE(image_add_variant(image, encoded_square(blue, 40), 4));
    EXPECT_TRUE(image_add_variant(image, encoded_square(green, 20), 2));
    EXPECT_EQ(image_size(image), (Size{10, 10})) << "the size stays the logical one";

    const std::pair<std::int32_t, Argb> expected[] = {{1, red}, {2, green}, {3, green}, {4, blue}};
    for (const auto& [scale, colour] : expected) {
        Canvas* canvas = canvas_create(30, 30, scale);
        Graphics* graphics = aliased_graphics(canvas);
        draw_image(graphics, image, 5, 6, 10, 10);
        graphics_delete(graphics);
        EXPECT_EQ(canvas_pixel(canvas, 5, 6), colour) << "scale " << scale;
        EXPECT_EQ(inked_bounds(canvas), (Rect{5, 6, 15, 16})) << "scale " << scale;
        // The variant's pixels land one to one on the device pixels, up to the cell's edge.
        EXPECT_EQ(device_pixel(canvas, 15 * scale - 1, 16 * scale - 1), colour) << scale;
        EXPECT_EQ(device_pixel(canvas, 15 * scale, 16 * scale), 0u) << scale;
        canvas_delete(canvas);
    }
    image_dispose(image);
}

TEST(ScaledImage, AVariantIsDecodedOnlyWhenDrawnAtItsScaleAndABrokenOneGivesTheImage) {
    Image* image = image_from_png(encoded_square(red, 10));
    ASSERT_NE(image, nullptr);
    std::vector<std::uint8_t> broken = encoded_square(green, 20);
    // Cut inside the pixel data: the size stays readable, the pixels do not.
    const std::string_view pixel_chunk = "IDAT";
    const auto data_start =
        std::search(broken.begin(), broken.end(), pixel_chunk.begin(), pixel_chunk.end());
    ASSERT_NE(data_start, broken.end());
    broken.erase(data_start + 6, broken.end());
    ASSERT_TRUE(image_add_variant(image, broken, 2));
    ASSERT_TRUE(image_add_variant(image, encoded_square(blue, 30), 3));

    EXPECT_EQ(drawn_colour(image, 1), red);
    EXPECT_TRUE(!image->variants[0].decode_tried && !image->variants[1].decode_tried)
        << "a screen of ratio 1 never holds the dense pixels";

    EXPECT_EQ(drawn_colour(image, 2), red);
    EXPECT_TRUE(image->variants[0].decode_tried && !image->variants[0].decoded.bitmap);
    EXPECT_FALSE(image->variants[1].decode_tried);
    EXPECT_EQ(drawn_colour(image, 2), red) << "the failed decode is not tried again";
    EXPECT_EQ(drawn_colour(image, 3), blue);
    image_dispose(image);
}

}  // namespace
}  // namespace platform

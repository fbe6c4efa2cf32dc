// Text tests: the family "Arial" resolves, wrapping and measuring, alignment and clipping of
// drawn text, and text drawn at the device pixels' resolution on a scaled canvas.
#include <gtest/gtest.h>

#include <string>

#include "platform/graphics.h"
#include "platform/win32/paint/gdiplus_paint.h"
#include "platform/win32/paint/tests/paint_test_support.h"

namespace platform {
namespace {

const std::u16string_view rules =
    u"Le joueur doit retirer tous les éléments d'un tableau en cliquant sur ceux qui forment des "
    u"groupes. Un groupe est constitué d'un minimum de deux éléments côte à côte de même couleur.";

// A canvas with a Graphics, an "Arial" font and a string format, as the program's painters hold.
struct TextBench {
    Canvas* canvas;
    Graphics* graphics;
    FontFamily* family = font_family_create(u"Arial");
    Font* font;
    StringFormat* format = string_format_create();

    explicit TextBench(float size = 14.0F, FontStyle style = FontStyle::bold, int scale = 1)
        : canvas(canvas_create(500, 400, scale)),
          graphics(aliased_graphics(canvas)),
          font(font_create(family, size, style)) {}
    ~TextBench() {
        string_format_delete(format);
        font_delete(font);
        font_family_delete(family);
        graphics_delete(graphics);
        canvas_delete(canvas);
    }
    TextBench(const TextBench&) = delete;
    TextBench& operator=(const TextBench&) = delete;

    RectF measure(std::u16string_view text, float width) {
        return measure_string(graphics, text, font, RectF{0, 0, width, 1000}, format);
    }
    void draw(std::u16string_view text, RectF box) {
        draw_string(graphics, text, font, box, format, 0xFF202020);
    }
    float line_height() const {
        Gdiplus::REAL height = 0;
        if (font == nullptr) {
            return height;
        }
        gdip::GdipGetFontHeight(font->font, graphics->graphics, &height);
        return height;
    }
};

// Wine's GDI+ lays lines out at whole pixels; Windows' at the font's exact line spacing.
constexpr float line_rounding = 0.5F;

std::wstring family_name(const FontFamily* family) {
    WCHAR name[LF_FACESIZE] = {};
    gdip::GdipGetFamilyName(family->family, name, LANG_NEUTRAL);
    return name;
}

TEST(Font, ArialOrAStandInIsFoundAndSizedInPixels) {
    TextBench bench;
    ASSERT_NE(bench.family, nullptr);
    ASSERT_NE(bench.font, nullptr);
    const std::wstring name = family_name(bench.family);
    EXPECT_TRUE(name == L"Arial" || name == L"Liberation Sans") << "resolved to another family";
    // Sized in pixels: a line of 14-pixel text is about 16 pixels high at every scale.
    EXPECT_NEAR(bench.line_height(), 16.0F, 1.0F);
    TextBench dense(14.0F, FontStyle::bold, 2);
    EXPECT_NEAR(dense.line_height(), bench.line_height(), 0.5F);

    // A family that no font answers to falls back on the desktop's sans-serif one, where the
    // desktop has one (Wine without its own fonts has none).
    FontFamily* missing = font_family_create(u"Police qui n'existe pas");
    if (missing != nullptr) {
        Font* font = font_create(missing, 12.0F, FontStyle::regular);
        EXPECT_NE(font, nullptr);
        font_delete(font);
        font_family_delete(missing);
    }
}

TEST(MeasureString, WrapsWithinTheBoxAndBreaksAWordWiderThanIt) {
    TextBench bench;
    const RectF wrapped = bench.measure(rules, 371);
    EXPECT_LE(wrapped.width, 371.0F);
    EXPECT_GT(wrapped.width, 300.0F);
    EXPECT_GE(wrapped.height, 3 * bench.line_height());

    TextBench tooltip(12.0F, FontStyle::regular);
    const RectF limited = tooltip.measure(rules, 300);
    EXPECT_LE(limited.width, 300.0F);
    EXPECT_GE(limited.height, 3 * tooltip.line_height());

    // A word wider than the box is broken rather than left sticking out.
    const RectF broken = tooltip.measure(u"Remiseàzérodelalistedesscoresetdesrésultats", 100);
    EXPECT_LE(broken.width, 100.0F);
    EXPECT_GE(broken.height, 2 * tooltip.line_height() - 0.01F);
}

TEST(MeasureString, WithoutWrappingALineGoesOnAndALineFeedStillStartsOne) {
    TextBench bench;
    string_format_set_wrapping(bench.format, StringWrapping::none);
    const RectF one_line = bench.measure(rules, 371);
    EXPECT_NEAR(one_line.height, bench.line_height(), line_rounding);
    EXPECT_NEAR(one_line.width, 371.0F, 1.0F) << "cut at the box";
    EXPECT_NEAR(bench.measure(u"Anne\nPaul", 371).height, 2 * bench.line_height(),
                2 * line_rounding);
}

TEST(MeasureString, LineFeedStartsALineAndTheWiderLineSetsTheWidth) {
    TextBench bench(12.0F, FontStyle::regular);
    const RectF both = bench.measure(u"Remise à zéro de la\nliste des scores", 300);
    const RectF first = bench.measure(u"Remise à zéro de la", 300);
    const RectF second = bench.measure(u"liste des scores", 300);
    EXPECT_EQ(both.x, 0.0F);
    EXPECT_EQ(both.y, 0.0F);
    EXPECT_NEAR(both.width, std::max(first.width, second.width), 0.01F);
    EXPECT_NEAR(both.height, 2 * first.height, 0.01F);
    EXPECT_NEAR(first.height, bench.line_height(), line_rounding);
    // The padding of a sixth of the em size on either side is part of the box.
    EXPECT_GT(first.width, 2 * 12.0F / 6);
    EXPECT_EQ(bench.measure(u"", 300), (RectF{}));
    const RectF elsewhere =
        measure_string(bench.graphics, u"Paul", bench.font, RectF{40, 30, 300, 50}, bench.format);
    EXPECT_EQ(elsewhere.x, 40.0F);
    EXPECT_EQ(elsewhere.y, 30.0F);
}

TEST(DrawString, InksInsideTheBoxItMeasures) {
    TextBench bench(12.0F, FontStyle::regular);
    const RectF box{20, 10, 300, 200};
    bench.draw(rules, box);
    const RectF measured = measure_string(bench.graphics, rules, bench.font, box, bench.format);
    const Rect ink = inked_bounds(bench.canvas);
    EXPECT_GE(ink.left, measured.x);
    EXPECT_GE(ink.top, measured.y);
    EXPECT_LE(ink.right, measured.x + measured.width + 0.5F);
    EXPECT_LE(ink.bottom, measured.y + measured.height + 0.5F);
    // And it fills most of it: three lines or more, nearly the whole width.
    EXPECT_GT(ink.bottom - ink.top, 2 * bench.line_height());
    EXPECT_GT(static_cast<float>(ink.right - ink.left), measured.width - 40);
    // The glyphs' edges are antialiased, and the ink is the colour asked for where it is solid.
    EXPECT_GT(partly_covered_pixels(bench.canvas), 0);
}

TEST(DrawString, AlignsWithinTheBoxAndClipsToIt) {
    TextBench centred;
    string_format_set_alignment(centred.format, StringAlignment::center);
    centred.draw(u"Fermer", RectF{100, 50, 200, 20});
    const Rect ink = inked_bounds(centred.canvas);
    EXPECT_NEAR(ink.left - 100, 300 - ink.right, 2);

    // Ink starts after the padding of a sixth of the em size (14 / 6 pixels) and the glyph's
    // bearing.
    TextBench near;
    near.draw(u"Fermer", RectF{100, 50, 200, 20});
    EXPECT_GE(inked_bounds(near.canvas).left, 102);
    EXPECT_LE(inked_bounds(near.canvas).left, 104);

    TextBench clipped;
    fill_rectangle(clipped.graphics, 0xFFFFFFFF, 0, 0, 500, 400);
    clipped.draw(rules, RectF{40, 30, 100, 24});
    const Rect clipped_ink = inked_bounds(clipped.canvas, 0xFFFFFFFF);
    EXPECT_GE(clipped_ink.left, 40);
    EXPECT_GE(clipped_ink.top, 30);
    EXPECT_LE(clipped_ink.right, 140);
    EXPECT_EQ(clipped_ink.bottom, 54) << "the second line is cut through";
}

TEST(DrawString, WithoutWrappingTheLineIsCutAtTheBoxEdge) {
    TextBench bench;
    string_format_set_wrapping(bench.format, StringWrapping::none);
    bench.draw(rules, RectF{10, 10, 200, 40});
    const Rect ink = inked_bounds(bench.canvas);
    EXPECT_LE(ink.right, 210);
    // Up to the edge, not trimmed a word earlier (Wine's GDI+ leaves out the glyph that the
    // edge would cut).
    EXPECT_GE(ink.right, 198);
    EXPECT_LE(ink.bottom, 10 + static_cast<int>(bench.line_height()) + 1) << "a single line";
}

TEST(DrawString, KeepsTheAlphaOfATransparentCanvas) {
    TextBench bench;
    bench.draw(u"Fermer", RectF{0, 0, 200, 30});
    int opaque = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 200; ++x) {
            const Argb pixel = canvas_pixel(bench.canvas, x, y);
            opaque += alpha_of(pixel) == 255 ? 1 : 0;
            // Ink of one colour at every coverage: only its alpha varies.
            if (alpha_of(pixel) > 64) {
                ASSERT_NEAR(static_cast<int>((pixel >> 16) & 0xFF), 0x20, 8) << x << "," << y;
            }
        }
    }
    EXPECT_GT(opaque, 20);
    EXPECT_GT(partly_covered_pixels(bench.canvas), 20);
}

TEST(ScaledText, IsDrawnAtTheDevicePixelsResolutionInTheSamePlace) {
    TextBench one;
    TextBench two(14.0F, FontStyle::bold, 2);
    const std::u16string_view text = u"Règles du jeu : cliquez sur un groupe";
    one.draw(text, RectF{10, 10, 280, 60});
    two.draw(text, RectF{10, 10, 280, 60});
    // Doubled, the glyphs' edges would be 2 × 2 blocks of one colour; drawn for the device
    // pixels, many inked blocks mix colours along the edges.
    int inked = 0;
    int mixed = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 300; ++x) {
            const std::uint32_t first = device_pixel(two.canvas, 2 * x, 2 * y);
            bool any = false;
            bool differ = false;
            for (int d = 0; d < 4; ++d) {
                const std::uint32_t pixel = device_pixel(two.canvas, 2 * x + d % 2, 2 * y + d / 2);
                any = any || pixel != 0;
                differ = differ || pixel != first;
            }
            inked += any ? 1 : 0;
            mixed += differ ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 200);
    EXPECT_GT(mixed * 2, inked) << mixed << " of " << inked;
    const Rect at_one = inked_bounds(one.canvas);
    const Rect at_two = inked_bounds(two.canvas);
    EXPECT_NEAR(at_two.left, at_one.left, 1);
    EXPECT_NEAR(at_two.top, at_one.top, 1);
    // Wine's GDI+ advances the glyphs by their widths hinted at the device size, which add up
    // along a line; Windows' by the font's design widths.
    EXPECT_NEAR(at_two.right, at_one.right, running_under_wine() ? 8 : 3);
    EXPECT_NEAR(at_two.bottom, at_one.bottom, 1);
}

TEST(Text, NullHandlesDrawNothing) {
    TextBench bench;
    EXPECT_EQ(font_create(nullptr, 14.0F, FontStyle::bold), nullptr);
    EXPECT_EQ(font_create(bench.family, 0.0F, FontStyle::bold), nullptr);
    EXPECT_EQ(measure_string(nullptr, u"x", bench.font, RectF{0, 0, 9, 9}, nullptr), RectF{});
    EXPECT_EQ(measure_string(bench.graphics, u"x", nullptr, RectF{0, 0, 9, 9}, nullptr), RectF{});
    draw_string(nullptr, u"x", bench.font, RectF{0, 0, 50, 50}, bench.format, 0xFF000000);
    draw_string(bench.graphics, u"x", nullptr, RectF{0, 0, 50, 50}, bench.format, 0xFF000000);
    // No format is the default one.
    draw_string(bench.graphics, u"x", bench.font, RectF{0, 0, 0, 50}, nullptr, 0xFF000000);
    string_format_set_alignment(nullptr, StringAlignment::center);
    string_format_set_wrapping(nullptr, StringWrapping::none);
    font_delete(nullptr);
    font_family_delete(nullptr);
    string_format_delete(nullptr);
    EXPECT_EQ(inked_bounds(bench.canvas), (Rect{500, 400, 0, 0}));
    draw_string(bench.graphics, u"x", bench.font, RectF{0, 0, 50, 50}, nullptr, 0xFF000000);
    EXPECT_NE(inked_bounds(bench.canvas), (Rect{500, 400, 0, 0}));
}

}  // namespace
}  // namespace platform

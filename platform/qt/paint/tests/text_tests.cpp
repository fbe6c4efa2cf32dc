// Text tests: font resolution, wrapping and measuring, alignment and clipping of drawn text.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>

#include "platform/graphics.h"
#include "platform/qt/paint/qt_paint.h"
#include "platform/qt/paint/tests/paint_test_support.h"

namespace platform {
namespace {

const std::u16string_view rules =
    u"Le joueur doit retirer tous les éléments d'un tableau en cliquant sur ceux qui forment des "
    u"groupes. Un groupe est constitué d'un minimum de deux éléments côte à côte de même couleur.";

// A canvas with a Graphics, an "Arial" font and a string format, as the program's painters hold.
struct TextBench {
    Canvas* canvas = canvas_create(500, 400);
    Graphics* graphics = aliased_graphics(canvas);
    FontFamily* family = font_family_create(u"Arial");
    Font* font;
    StringFormat* format = string_format_create();

    explicit TextBench(float size = 14.0F, FontStyle style = FontStyle::bold)
        : font(font_create(family, size, style)) {}
    ~TextBench() {
        string_format_delete(format);
        font_delete(font);
        font_family_delete(family);
        graphics_delete(graphics);
        canvas_delete(canvas);
    }
    RectF measure(std::u16string_view text, float width) {
        return measure_string(graphics, text, font, RectF{0, 0, width, 1000}, format);
    }
    void draw(std::u16string_view text, RectF box) {
        draw_string(graphics, text, font, box, format, 0xFF202020);
    }
    float line_height() const {
        return static_cast<float>(QFontMetricsF(font->font, &canvas->image).lineSpacing());
    }
};

TEST(Font, ArialResolvesToLiberationSansInPixels) {
    TextBench bench;
    const QFontInfo info(bench.font->font);
    EXPECT_EQ(info.family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(info.pixelSize(), 14);
    EXPECT_TRUE(info.bold());
    EXPECT_EQ(QFontInfo(TextBench(12.0F, FontStyle::regular).font->font).pixelSize(), 12);
    EXPECT_EQ(QFontInfo(TextBench(12.6F, FontStyle::regular).font->font).pixelSize(), 13);
}

TEST(MeasureString, WrapsWithinTheBox) {
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
    EXPECT_GE(broken.height, 2 * tooltip.line_height());

    // Without wrapping, the text is one line that the box cuts; a line feed still starts one.
    string_format_set_wrapping(bench.format, StringWrapping::none);
    const RectF one_line = bench.measure(rules, 371);
    EXPECT_FLOAT_EQ(one_line.height, bench.line_height());
    EXPECT_FLOAT_EQ(one_line.width, 371.0F);
    EXPECT_FLOAT_EQ(bench.measure(u"Anne\nPaul", 371).height, 2 * bench.line_height());
}

TEST(MeasureString, LineFeedStartsALineAndTheWiderLineSetsTheWidth) {
    TextBench bench(12.0F, FontStyle::regular);
    const RectF both = bench.measure(u"Remise à zéro de la\nliste des scores", 300);
    const RectF first = bench.measure(u"Remise à zéro de la", 300);
    const RectF second = bench.measure(u"liste des scores", 300);
    EXPECT_EQ(both.x, 0.0F);
    EXPECT_EQ(both.y, 0.0F);
    EXPECT_FLOAT_EQ(both.width, std::max(first.width, second.width));
    EXPECT_FLOAT_EQ(both.height, 2 * first.height);
    EXPECT_FLOAT_EQ(first.height, bench.line_height());
    EXPECT_EQ(bench.measure(u"", 300), (RectF{}));
}

TEST(DrawString, AlignsWithinTheBoxAndClipsToIt) {
    TextBench centred;
    string_format_set_alignment(centred.format, StringAlignment::center);
    centred.draw(u"Fermer", RectF{100, 50, 200, 20});
    const Rect ink = inked_bounds(centred.canvas);
    EXPECT_NEAR(ink.left - 100, 300 - ink.right, 2);

    // Ink starts after the padding of a sixth of the em size (14 / 6 pixels) and the glyph's
    // bearing; the glyphs' edges are antialiased.
    TextBench near;
    near.draw(u"Fermer", RectF{100, 50, 200, 20});
    EXPECT_GE(inked_bounds(near.canvas).left, 102);
    EXPECT_LE(inked_bounds(near.canvas).left, 104);
    EXPECT_GT(partly_covered_pixels(near.canvas), 0);

    TextBench clipped;
    fill_rectangle(clipped.graphics, 0xFFFFFFFF, 0, 0, 500, 400);
    clipped.draw(rules, RectF{40, 30, 100, 24});
    const Rect clipped_ink = inked_bounds(clipped.canvas, 0xFFFFFFFF);
    EXPECT_GE(clipped_ink.left, 40);
    EXPECT_GE(clipped_ink.top, 30);
    EXPECT_LE(clipped_ink.right, 140);
    EXPECT_EQ(clipped_ink.bottom, 54);  // the second line is cut through
}

TEST(Text, NullHandlesDrawNothing) {
    TextBench bench;
    EXPECT_EQ(font_create(nullptr, 14.0F, FontStyle::bold), nullptr);
    EXPECT_EQ(font_create(bench.family, 0.0F, FontStyle::bold), nullptr);
    EXPECT_EQ(measure_string(nullptr, u"x", bench.font, RectF{0, 0, 9, 9}, nullptr), RectF{});
    EXPECT_EQ(measure_string(bench.graphics, u"x", nullptr, RectF{0, 0, 9, 9}, nullptr), RectF{});
    draw_string(nullptr, u"x", bench.font, RectF{0, 0, 50, 50}, bench.format, 0xFF000000);
    draw_string(bench.graphics, u"x", nullptr, RectF{0, 0, 50, 50}, bench.format, 0xFF000000);
    string_format_set_alignment(nullptr, StringAlignment::center);
    EXPECT_EQ(inked_bounds(bench.canvas), (Rect{500, 400, 0, 0}));
}

}  // namespace
}  // namespace platform

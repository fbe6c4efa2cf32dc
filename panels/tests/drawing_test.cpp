// The drawing services: embedded pictures by name, and text boxes of text widgets.
#include <gtest/gtest.h>

#include "panels/drawing.h"
#include "platform/graphics.h"
#include "widgets/shared_graphics.h"
#include "widgets/widget.h"

namespace {

TEST(LoadPngResource, FindsPicturesWhateverTheCaseAndLeavesTheImageAloneOtherwise) {
    platform::Image* image = nullptr;
    load_png_resource("Fond", image);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(platform::image_size(image), (platform::Size{700, 550}));
    platform::image_dispose(image);

    image = nullptr;
    load_png_resource("NOWHERE", image);
    EXPECT_EQ(image, nullptr);
    auto* const kept = reinterpret_cast<platform::Image*>(0x1);
    image = kept;
    load_png_resource("", image);
    EXPECT_EQ(image, kept);
}

// Whether any pixel of a canvas row band is not transparent.
bool inked(const platform::Canvas* canvas, int top, int bottom) {
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < platform::canvas_size(canvas).cx; ++x) {
            if (platform::canvas_pixel(canvas, x, y) != 0) {
                return true;
            }
        }
    }
    return false;
}

TEST(WidgetText, AWidgetsStringBoxIsFifteenPixelsNarrowerThanItsOwnTextBox) {
    Widget widget;
    widget.font_family = platform::font_family_create(u"Arial");
    widget.font = platform::font_create(widget.font_family, 14.0f, platform::FontStyle::bold);
    widget.string_format = platform::string_format_create();
    widget.text = "Mr Vormelin";
    platform::Canvas* canvas = platform::canvas_create(200, 60);
    bind_shared_graphics(canvas);
    platform::RectF box;
    measure_text(widget.text, 14, box, 0, 1);
    widget.width = static_cast<std::int32_t>(box.width) + 8;  // room for one line, not 15 less
    widget.height = 60;
    draw_widget_text(widget, 0, 0, 0xFFFFFFFF);
    EXPECT_TRUE(inked(canvas, 0, 17));
    EXPECT_FALSE(inked(canvas, 20, 60)) << "one line in the full width";

    platform::Canvas* narrower = platform::canvas_create(200, 60);
    release_shared_graphics();
    bind_shared_graphics(narrower);
    draw_widget_string(widget, 0, 0, widget.text, 0xFFFFFFFF);
    EXPECT_TRUE(inked(narrower, 20, 60)) << "two lines 15 pixels narrower";
    release_shared_graphics();
    platform::canvas_delete(canvas);
    platform::canvas_delete(narrower);
    release_widget_font(widget);
}

}  // namespace

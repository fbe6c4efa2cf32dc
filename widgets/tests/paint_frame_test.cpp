// The painting frame every widget shares: what a compose pass and a direct update draw, erase
// and show, and the redraw flag kept when nothing could be drawn.
#include <gtest/gtest.h>

#include <optional>

#include "tests/support/png_writer.h"
#include "widgets/paint_frame.h"
#include "widgets/tests/widget_fixture.h"

namespace testing_platform = platform::testing;

namespace {

constexpr platform::Argb background = 0xFF2532D5;
constexpr platform::Argb ink = 0xFFE01010;
constexpr platform::Rect probe_rect{100, 100, 140, 130};

class PaintFrameTest : public WidgetTest {
protected:
    void open() {
        open_host([&] { probe = add_probe(0, 1, probe_rect); },
                  platform::image_from_png(test_support::make_solid_png(700, 550, background)));
    }

    std::size_t updates() const {
        return testing_platform::events_of(testing_platform::EventKind::layered_update).size();
    }

    platform::Argb shown(std::int32_t x, std::int32_t y) const {
        return platform::canvas_pixel(testing_platform::last_picture(hwnd), x, y);
    }

    // Draws the probe's rectangle in ink.
    void fill_probe() {
        ++draws;
        platform::fill_rectangle(shared_graphics, ink, probe->x, probe->y, probe->width,
                                 probe->height);
    }

    Widget* probe = nullptr;
    int draws = 0;
};

TEST_F(PaintFrameTest, ADirectUpdateErasesItsAreaDrawsAndShowsTheCanvasOnce) {
    open();
    const std::size_t before = updates();
    EXPECT_TRUE(paint_frame(*probe, paint_event::direct, probe_rect, [&] { fill_probe(); }));
    EXPECT_EQ(updates(), before + 1);
    EXPECT_EQ(shown(100, 100), ink);
    EXPECT_EQ(shown(99, 100), background);
    EXPECT_EQ(shared_graphics, nullptr) << "released once shown";

    // The area is erased before drawing: a frame that draws nothing leaves the background.
    EXPECT_TRUE(paint_frame(*probe, paint_event::direct, probe_rect, [] {}));
    EXPECT_EQ(updates(), before + 2);
    EXPECT_EQ(shown(120, 115), background);
}

TEST_F(PaintFrameTest, WithoutAnAreaADirectUpdateDrawsOverWhatIsThere) {
    open();
    paint_frame(*probe, paint_event::direct, probe_rect, [&] { fill_probe(); });
    paint_frame(*probe, paint_event::direct, std::nullopt, [] {});
    EXPECT_EQ(shown(120, 115), ink);
}

TEST_F(PaintFrameTest, TheComposePassDrawsIntoTheBoundGraphicsAndShowsNothing) {
    open();
    const std::size_t before = updates();
    bind_shared_graphics(host->canvas);
    EXPECT_TRUE(paint_frame(*probe, paint_event::compose, probe_rect, [&] { fill_probe(); }));
    EXPECT_NE(shared_graphics, nullptr) << "the pass that bound it releases it";
    release_shared_graphics();
    EXPECT_EQ(updates(), before);
    EXPECT_EQ(draws, 1);
    push_canvas(*host);
    EXPECT_EQ(shown(100, 100), ink);
}

TEST_F(PaintFrameTest, BeforeTheFirstPaintNothingIsDrawnAndTheRedrawStaysPending) {
    open_host([&] {
        probe = add_probe(0, 1, probe_rect);
        bool redraw = true;
        paint_pending(*probe, redraw, paint_event::direct, probe_rect, [&] { fill_probe(); });
        EXPECT_TRUE(redraw);
        EXPECT_FALSE(paint_frame(*probe, paint_event::direct, probe_rect, [&] { fill_probe(); }));
    });
    EXPECT_EQ(draws, 0);
}

TEST_F(PaintFrameTest, APendingPaintDrawsOnlyWithItsFlagAndClearsIt) {
    open();
    const std::size_t before = updates();
    bool redraw = false;
    paint_pending(*probe, redraw, paint_event::direct, probe_rect, [&] { fill_probe(); });
    EXPECT_EQ(draws, 0);
    EXPECT_EQ(updates(), before);

    redraw = true;
    paint_pending(*probe, redraw, paint_event::direct, probe_rect, [&] { fill_probe(); });
    EXPECT_EQ(draws, 1);
    EXPECT_FALSE(redraw);
    EXPECT_EQ(updates(), before + 1);
}

}  // namespace

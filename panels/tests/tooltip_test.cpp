// Tooltips: when they open and close, where they go, what they show, and how their message loop
// ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "panels/drawing.h"
#include "panels/tests/tooltip_fixture.h"
#include "panels/tooltip.h"
#include "panels/tooltip_timer.h"
#include "panels/tooltip_window.h"
#include "platform/common/window_system.h"
#include "platform/message_queue.h"
#include "runtime/dialogs.h"
#include "widgets/shared_graphics.h"

namespace testing_platform = platform::testing;
using platform::Point;
using platform::Rect;
using platform::Size;

namespace {

constexpr platform::Argb fill_colour = 0xE5FFFFBB;
constexpr platform::Argb ink_colour = 0xFF222222;

// Where a tooltip window lies: its top-left corner (its size follows the text it shows).
Point opened_at(Point top_left) {
    return top_left;
}

Point below(Point cursor) {
    return opened_at({cursor.x, cursor.y + 20});
}

Point corner(const Rect& rect) {
    return {rect.left, rect.top};
}

std::int32_t rounded(float value) {
    return static_cast<std::int32_t>(std::lrint(value));
}

platform::RectF measured(std::string_view text) {
    platform::Canvas* canvas = platform::canvas_create(300, 300);
    bind_shared_graphics(canvas);
    platform::RectF box;
    measure_text(text, 12, box, 0, 0);
    release_shared_graphics();
    platform::canvas_delete(canvas);
    return box;
}

TEST_F(TooltipTest, OpensAfterTheDelayBelowTheCursorAndClosesAfterTheDuration) {
    open_main_window();
    move_to({561, 478});  // the "Aide" button, seen first by the tick at 100 ms
    at(10000, [&] { hover(0); });
    at(10500, [&] { hover(5); });
    run_until(16000);

    ASSERT_EQ(sightings.size(), 4u);
    const Point cursor = screen_point(5);
    EXPECT_EQ(sightings[0].time, 1600u) << "the 15th tick after the one that saw the cursor come";
    EXPECT_EQ(corner(sightings[0].rect), below(cursor)) << "20 pixels below the cursor, at its x";
    EXPECT_EQ(sightings[1], (Sighting{4700, 0, {}})) << "the first tick past 4500 ms closes it";
    EXPECT_EQ(sightings[2].time, 12100u) << "nothing more until the cursor left and came back";
    EXPECT_EQ(sightings[3].time, 15200u);
    EXPECT_EQ(tooltip_state().shown, 0);
}

bool tooltip_timer_runs(platform::WindowHandle host) {
    const auto& timers = platform::common::window_system().timers;
    return std::ranges::any_of(timers, [host](const platform::common::Timer& timer) {
        return timer.window == host && timer.id == 0;
    });
}

TEST_F(TooltipTest, TheTimerStopsWhileNothingCanNeedItAndComesBackInStep) {
    open_main_window();
    move_to({200, 200});  // the board, which has no tooltip
    std::vector<std::pair<std::uint32_t, bool>> running;
    const auto note = [&] {
        running.emplace_back(testing_platform::now(), tooltip_timer_runs(hwnd));
    };
    // The clock stops at 1050 too, between two ticks of the timer had it kept running.
    platform::set_timer(hwnd, 78, 1050,
                        [](platform::WindowHandle, std::uint32_t, std::uint32_t, std::uint32_t) {});
    at(500, note);
    at(1050, [&] { hover(5); });
    at(1100, note);
    at(6000, note);
    run_until(7000);

    EXPECT_EQ(running, (std::vector<std::pair<std::uint32_t, bool>>{
                           {500, false}, {1100, true}, {6000, false}}))
        << "stopped on the board, running once the pointer moved, stopped once the tooltip went";
    ASSERT_EQ(sightings.size(), 2u);
    EXPECT_EQ(sightings[0].time, 2600u) << "the 15th tick after the tick at 1100 saw the move, as "
                                           "if the timer had never stopped";
    EXPECT_EQ(sightings[1].time, 5700u) << "the first tick past 4500 ms of rest closes it";
}

TEST_F(TooltipTest, TheWindowIsALayeredPopupOwnedByTheHost) {
    open_main_window();
    move_to({561, 478});
    platform::WindowHandle tooltip = 0;
    at(2000, [&] {
        tooltip = tooltip_state().hwnd;
        EXPECT_EQ(platform::window_class_name(tooltip), "ToolTipQelm");
        EXPECT_EQ(platform::window_text(tooltip), u"ToolTipQelm");
        EXPECT_EQ(platform::window_parent(tooltip), hwnd);
        EXPECT_EQ(platform::window_property(tooltip, "objet"), host);
        EXPECT_TRUE(platform::is_window_visible(tooltip));
        EXPECT_EQ(platform::focus_window(), hwnd) << "the tooltip takes no focus";

        const auto windows = platform::thread_windows();
        EXPECT_EQ(tooltip_open(10, 10, *host), 0) << "a second open while a window exists";
        EXPECT_EQ(platform::thread_windows(), windows);
        EXPECT_EQ(tooltip_state().hwnd, tooltip);
    });
    run_until(6000);
    EXPECT_FALSE(platform::is_window(tooltip));
    EXPECT_EQ(sightings.size(), 2u);
}

TEST_F(TooltipTest, NoTooltipOverTheBoardOrTheBackgroundAndAnOpenOneClosesAtTheNextTick) {
    open_main_window();
    move_to({200, 200});  // the board
    at(6000, [&] { hover(0); });
    at(12000, [&] { hover(5); });
    at(14000, [&] { hover(6); });
    at(15000, [&] { hover(5); });
    at(17000, [&] { hover(0); });
    run_until(18000);

    const std::vector<std::uint32_t> expected_times{13600, 14100, 16600, 17100};
    std::vector<std::uint32_t> times;
    for (const Sighting& sighting : sightings) {
        times.push_back(sighting.time);
    }
    EXPECT_EQ(times, expected_times);
    ASSERT_EQ(sightings.size(), 4u);
    EXPECT_EQ(sightings[1].window, 0u) << "closed by the move onto the board";
    EXPECT_EQ(sightings[3].window, 0u) << "closed by the move onto the background";
}

TEST_F(TooltipTest, MovingToAnotherButtonKeepsTheWindowAndShowsTheNewText) {
    open_main_window();
    move_to({561, 478});
    Size aide_size;
    Size new_board_size;
    at(2000, [&] {
        aide_size = tooltip_state().size;
        hover(3);  // straight from one button to the other: no tick sees a gap
    });
    at(2100, [&] { new_board_size = tooltip_state().size; });
    run_until(6000);

    ASSERT_EQ(sightings.size(), 3u);
    EXPECT_EQ(sightings[1].time, 2100u);
    EXPECT_EQ(sightings[1].window, sightings[0].window) << "the same window, moved";
    EXPECT_EQ(corner(sightings[1].rect), below(screen_point(3)));
    EXPECT_EQ(sightings[2], (Sighting{5200, 0, {}})) << "up for the new tooltip's full duration";

    const platform::RectF box = measured("Nouveau tableau de jeu");
    EXPECT_EQ(new_board_size.cx, rounded(box.width + 4));
    EXPECT_GT(new_board_size.cx, aide_size.cx + 40);
    const auto pictures = tooltip_pictures(sightings[0].window);
    ASSERT_EQ(pictures.size(), 2u) << "one picture per text";
    const std::int32_t x = aide_size.cx + 20;
    EXPECT_EQ(platform::canvas_pixel(pictures[0], x, 1), 0u);
    EXPECT_EQ(platform::canvas_pixel(pictures[1], x, 1), fill_colour);
}

TEST_F(TooltipTest, NearTheRightAndBottomEdgesTheTooltipStaysOnTheScreen) {
    testing_platform::set_screen_size({800, 600});
    open_main_window();
    move_to({637, 487});  // "Fermer", at (799, 596) on the screen
    at(6000, [&] { hover(0); });
    at(7000, [&] { hover(1); });
    Size fermer_size;
    at(9000, [&] { fermer_size = tooltip_state().size; });
    run_until(12000);

    ASSERT_EQ(sightings.size(), 4u);
    EXPECT_EQ(corner(sightings[0].rect), opened_at({799, 580}))
        << "before any tooltip was painted its size counts as 0 × 0";
    EXPECT_EQ(corner(sightings[2].rect),
              opened_at({800 - fermer_size.cx - 8, 600 - fermer_size.cy - 20}));
}

TEST_F(TooltipTest, PlacementMovesOnlyATooltipThatWouldCrossTheEdge) {
    testing_platform::set_screen_size({800, 600});
    tooltip_state().size = {60, 18};
    Point fits{740, 562};
    tooltip_place(fits);
    EXPECT_EQ(fits, (Point{740, 582})) << "ending exactly at the edges is on the screen";
    Point crosses{741, 563};
    tooltip_place(crosses);
    EXPECT_EQ(crosses, (Point{732, 562}));
}

TEST_F(TooltipTest, WhileNoWindowHasTheFocusNothingChanges) {
    open_main_window();
    move_to({561, 478});
    at(2000, [&] { platform::set_focus(0); });
    at(3000, [&] { hover(6); });  // unseen while frozen
    at(8000, [&] { hover(5); });
    at(10000, [&] { platform::set_focus(hwnd); });
    run_until(14000);

    ASSERT_EQ(sightings.size(), 2u);
    EXPECT_EQ(sightings[0].time, 1600u);
    EXPECT_EQ(sightings[1], (Sighting{12700, 0, {}}))
        << "the count goes on from 1900 ms where it stopped";
}

TEST_F(TooltipTest, TheTwoLineTooltipIsAsWideAsItsWiderLine) {
    open_main_window();
    move_to({523, 482});
    Size size;
    at(2000, [&] { size = tooltip_state().size; });
    run_until(6000);

    const platform::RectF first = measured("Remise \xE0 z\xE9ro de la");
    const platform::RectF second = measured("liste des scores");
    const platform::RectF both = tooltip_find(4)->text_box;
    EXPECT_FLOAT_EQ(both.width, std::max(first.width, second.width));
    EXPECT_GE(both.height, first.height + second.height - 1);
    EXPECT_EQ(size, (Size{rounded(both.width + 4), rounded(both.height + 4)}));
}

TEST_F(TooltipTest, ThePictureIsAPaleYellowBoxWithADarkBorderAndText) {
    open_main_window();
    move_to({561, 478});
    Size size;
    at(2000, [&] { size = tooltip_state().size; });
    run_until(6000);

    const auto pictures = tooltip_pictures(sightings.at(0).window);
    ASSERT_EQ(pictures.size(), 1u);
    const platform::Canvas* picture = pictures[0];
    const auto pixel = [&](std::int32_t x, std::int32_t y) {
        return platform::canvas_pixel(picture, x, y);
    };
    EXPECT_EQ(pixel(1, 1), fill_colour);
    EXPECT_EQ(pixel(size.cx - 2, size.cy - 2), fill_colour);
    for (const Point corner : {Point{0, 0}, Point{size.cx - 1, 0}, Point{size.cx - 1, size.cy - 1},
                               Point{0, size.cy - 1}}) {
        EXPECT_EQ(pixel(corner.x, corner.y), ink_colour) << corner.x << ", " << corner.y;
    }
    EXPECT_EQ(pixel(size.cx, 0), 0u) << "nothing beyond the measured size";
    EXPECT_EQ(pixel(0, size.cy), 0u);
    bool inked = false;
    for (std::int32_t y = 2; y < size.cy - 2; ++y) {
        for (std::int32_t x = 2; x < size.cx - 2; ++x) {
            inked = inked || (pixel(x, y) & 0xFF) < 0x80;
        }
    }
    EXPECT_TRUE(inked) << "the text is drawn inside the box";
}

TEST_F(TooltipTest, ClosingTheMainWindowUnderATooltipStillEndsTheMainLoop) {
    open_main_window();
    move_to({637, 487});
    at(2000, [&] { platform::post_message(hwnd, platform::msg::close, 0, 0); });

    platform::Message message;
    while (platform::get_message(message)) {
        platform::translate_message(message);
        platform::dispatch_message(message);
    }
    EXPECT_FALSE(testing_platform::starved()) << "the loop ended on the quit request";
    EXPECT_FALSE(platform::is_window(hwnd));
    EXPECT_EQ(tooltip_state().hwnd, 0u);
    EXPECT_EQ(testing_platform::now(), 2000u);
}

// The board is clicked while a tooltip is up: the turn ends the game inside the tooltip's loop,
// and the tooltip goes while the name dialog is up. Its going must not end the dialog's loop.
TEST_F(TooltipTest, ATooltipGoingWhileTheNameDialogIsUpLeavesTheDialogToThePlayer) {
    open_main_window();
    move_to({561, 478});  // "Aide": the tooltip is up from 1600 ms
    std::string name = "unanswered";
    std::uint32_t answered_at = 0;
    at(2000, [&] {
        hover(6);  // the board: the next tick closes the tooltip, now inside the dialog's loop
        name = show_input_requester("Vormelin", "Saisissez votre nom :", "Zo");
        answered_at = testing_platform::now();
    });
    at(3000, [&] { testing_platform::key_press(hwnd, platform::vk::enter, '\r'); });
    run_until(4000);

    EXPECT_EQ(name, "Zo");
    EXPECT_EQ(answered_at, 3000u) << "the dialog stayed until the player answered it";
    EXPECT_EQ(sightings.size(), 2u);
    EXPECT_EQ(tooltip_state().hwnd, 0u);
    EXPECT_FALSE(testing_platform::starved());
}

TEST_F(TooltipTest, AWindowThatCannotBeMadeRunsNoLoop) {
    HostWindow gone;
    gone.hwnd = 4242;  // no such window: the tooltip cannot be owned by it
    EXPECT_EQ(tooltip_open(10, 10, gone), -1);
    EXPECT_EQ(tooltip_state().hwnd, 0u);
    EXPECT_FALSE(testing_platform::starved()) << "no message loop waited";
}

}  // namespace

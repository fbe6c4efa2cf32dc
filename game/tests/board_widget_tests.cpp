// The board widget, the attempt chart, the score panel and the help panel, checked in pixels.
#include <gtest/gtest.h>

#include "game/board_widget.h"
#include "game/tests/game_window.h"
#include "platform/messages.h"
#include "platform/testing/test_platform.h"
#include "scores/score_panel.h"
#include "scores/score_table.h"
#include "widgets/host_window_proc.h"

namespace msg = platform::msg;

namespace {

constexpr platform::Argb bar_colour = 0xFF333333;

using BoardWidgetTest = GameWindowTest;

TEST_F(BoardWidgetTest, CellsAreDrawnRowFifteenAtTheTopWithEmptyCellsShowingTheBackground) {
    open_game();
    set_cells({"1.............", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
               ".............2"});
    update_board_now(*board);
    EXPECT_EQ(shown({30, 31}), cell_colours[1]) << "cell (0, 15)";
    EXPECT_EQ(shown({58, 59}), cell_colours[1]);
    EXPECT_EQ(shown({59, 31}), background_colour);
    EXPECT_EQ(shown({30, 60}), background_colour);
    EXPECT_EQ(shown({407, 466}), cell_colours[2]) << "cell (13, 0)";
    EXPECT_EQ(shown({435, 494}), cell_colours[2]);
    EXPECT_EQ(shown({406, 466}), background_colour);
    EXPECT_FALSE(board->redraw);

    board->cells.fill(0);
    update_board_now(*board);
    for (int y = 31; y < 495; y += 7) {
        for (int x = 30; x < 436; x += 7) {
            ASSERT_EQ(shown({x, y}), background_colour) << x << ", " << y;
        }
    }
}

TEST_F(BoardWidgetTest, HoverChangesTheStateButDrawsNothing) {
    open_game();
    const std::size_t updates = update_count();
    move_to({100, 100});
    EXPECT_EQ(board->widget->state, widget_state::hovered);
    move_to({600, 20});
    EXPECT_EQ(board->widget->state, widget_state::normal);
    EXPECT_EQ(update_count(), updates);
}

TEST_F(BoardWidgetTest, APaintBeforeTheWindowsFirstPaintKeepsTheRedrawForIt) {
    open_host(
        [&] {
            board = create_board_widget(0, 6, 30, 31, 14, 16);
            board_callback(board, msg::paint, paint_event::direct, paint_event::enter);
        },
        nullptr);
    EXPECT_EQ(board->widget->state, widget_state::hovered);
    EXPECT_FALSE(board->redraw) << "the first paint has drawn the board";
    EXPECT_EQ(update_count(), 1u);
    EXPECT_NE(shown({40, 480}), 0u) << "the bottom row is on the screen";
}

TEST_F(BoardWidgetTest, ChartBarsAreSixPixelsWideAndScaledToTheWorstAttempt) {
    open_game();
    board->attempt_results[0] = 50;
    board->attempt_results[1] = 100;
    board->attempt_count = 2;
    draw_attempt_chart(*board);
    EXPECT_EQ(shown({477, 117}), bar_colour);
    EXPECT_EQ(shown({482, 139}), bar_colour);
    EXPECT_EQ(shown({476, 117}), background_colour);
    EXPECT_EQ(shown({483, 117}), background_colour);
    EXPECT_EQ(shown({477, 116}), background_colour) << "23 pixels high";
    EXPECT_EQ(shown({477, 140}), background_colour);
    EXPECT_EQ(shown({487, 94}), bar_colour) << "the worst attempt is 46 pixels high";
    EXPECT_EQ(shown({487, 93}), background_colour);

    board->attempt_results[0] = 1;
    board->attempt_results[1] = 3;
    draw_attempt_chart(*board);
    EXPECT_EQ(shown({477, 125}), bar_colour) << "46 / 3 = 15 pixels";
    EXPECT_EQ(shown({477, 124}), background_colour);
    EXPECT_EQ(shown({490, 94}), bar_colour);

    board->attempt_results[0] = 0;
    board->attempt_results[1] = 0;
    draw_attempt_chart(*board);
    EXPECT_EQ(shown({477, 139}), background_colour) << "no bar when every result is 0";
    EXPECT_EQ(shown({487, 139}), background_colour);
}

TEST_F(BoardWidgetTest, TheScorePanelShowsTheTableAtOnceAndOnlyItsAreaChanges) {
    open_game();
    const platform::testing::Picture first =
        platform::testing::events_of(platform::testing::EventKind::layered_update).back().picture;
    const auto same_region = [&](platform::Rect rect) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (shown({x, y}) != platform::canvas_pixel(first.get(), x, y)) {
                    return false;
                }
            }
        }
        return true;
    };
    const platform::Rect panel{475, 175, 660, 480};
    EXPECT_NE(shown({478, 187}), background_colour) << "the rows are written";

    insert_score(board->scores, "Anne", 12);
    EXPECT_FALSE(same_region(panel));
    EXPECT_TRUE(same_region({0, 0, 700, 175}));
    EXPECT_TRUE(same_region({0, 175, 475, 550}));

    reset_scores(board->scores);
    EXPECT_TRUE(same_region(panel)) << "after a reset the panel is the default one again";
}

TEST_F(BoardWidgetTest, ALongNameIsOneLineThatStopsBeforeItsResult) {
    open_game();
    const auto picture_with_first_name = [&](const std::string& name) {
        board->scores.names[0] = name;
        board->scores.results[0] = 12;
        draw_score_panel(*board, true);
        return platform::testing::events_of(platform::testing::EventKind::layered_update)
            .back()
            .picture;
    };
    const platform::testing::Picture short_name = picture_with_first_name("W");
    // As long as the name dialog takes, in words that would wrap.
    std::string long_name;
    while (long_name.size() < 32767) {
        long_name += "WWWW WWWW ";
    }
    const platform::testing::Picture long_one = picture_with_first_name(long_name);
    const auto same = [&](platform::Rect rect) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (platform::canvas_pixel(short_name.get(), x, y) !=
                    platform::canvas_pixel(long_one.get(), x, y)) {
                    return false;
                }
            }
        }
        return true;
    };
    EXPECT_FALSE(same({490, 175, 615, 195})) << "the name shows as far as its line goes";
    EXPECT_TRUE(same({618, 175, 700, 195})) << "the result and what is right of it";
    EXPECT_TRUE(same({0, 195, 700, 550})) << "the rows below and the rest of the window";
}

TEST_F(BoardWidgetTest, TheHelpPanelIsDrawnWithItsLabelInOneUpdateAndTheBoardCoversItAgain) {
    open_game();
    const platform::Argb board_pixel = shown({100, 300});
    const platform::Argb border_place = shown({41, 200});
    const std::size_t updates = update_count();
    EXPECT_EQ(help->widget->state, widget_state::hidden) << "not drawn at start-up";

    show_help();
    EXPECT_EQ(update_count(), updates + 1);
    EXPECT_EQ(widget_state_of(7), widget_state::normal);
    EXPECT_NE(shown({100, 300}), board_pixel) << "the grey sheet lies over the board";
    EXPECT_EQ(shown({41, 200}), 0xFFFFFFFFu) << "white border";
    const auto red = [](platform::Argb colour) { return (colour >> 16) & 0xFF; };
    EXPECT_GT(red(shown({212, 462})), red(shown({200, 462})) + 60)
        << "the label's light band stands out of the grey sheet";

    help->widget->state = widget_state::hidden;
    update_board_now(*board);
    EXPECT_EQ(shown({100, 300}), board_pixel);
    EXPECT_EQ(shown({41, 200}), border_place);
}

TEST_F(BoardWidgetTest, PressingTheLabelSendsItsCommandAndDrawsNothing) {
    open_game();
    show_help();
    const std::size_t updates = update_count();
    move_to({220, 465});
    move_to({221, 465});
    move_to({222, 465});
    press_at({222, 465});
    EXPECT_EQ(host_commands(), (std::vector<std::uint32_t>{8}));
    release_at({222, 465});
    EXPECT_EQ(update_count(), updates) << "no redraw is pending for the label";
}

}  // namespace

// The main window: what it creates, and its commands.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/tests/app_fixture.h"
#include "app/tray.h"
#include "game/board_widget.h"
#include "panels/tooltip.h"
#include "platform/message_queue.h"
#include "platform/shell.h"
#include "widgets/widget.h"

namespace testing_platform = platform::testing;
using testing_platform::EventKind;

namespace {

using MainWindowTest = AppTest;

std::size_t updates() {
    return testing_platform::events_of(EventKind::layered_update).size();
}

TEST_F(MainWindowTest, CreationMakesTheWidgetsInOrderWithTheirTooltips) {
    open_main_window();
    auto& widgets = widget_list();
    ASSERT_EQ(widgets.size(), 8u);
    const std::int32_t kinds[] = {2, 2, 2, 2, 2, 14, 15, 1};
    const std::int32_t parents[] = {0, 0, 0, 0, 0, 0, 6, 7};
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        EXPECT_EQ(widgets[i].id, static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(widgets[i].kind, kinds[i]);
        EXPECT_EQ(widgets[i].parent_id, parents[i]);
    }
    EXPECT_EQ(widgets[0].rect, (platform::Rect{619, 470, 655, 504}));
    EXPECT_EQ(widgets[4].rect, (platform::Rect{543, 461, 579, 495}));
    EXPECT_EQ(widgets[7].rect, (platform::Rect{210, 460, 275, 476}));
    EXPECT_EQ(widgets[7].text, "Fermer");
    ASSERT_EQ(tooltip_list().size(), 5u);
    EXPECT_EQ(tooltip_list()[1].text,
              "R\xE9"
              "duire");
    EXPECT_EQ(tooltip_list()[3].text, "Remise \xE0 z\xE9ro de la\nliste des scores");
    EXPECT_EQ(tooltip_list()[4].show_at, 1500);
    EXPECT_EQ(tooltip_list()[4].hide_at, 4500);
}

TEST_F(MainWindowTest, HelpShowsAndHidesThePanelAndFermerHidesIt) {
    open_main_window();
    const std::size_t before = updates();
    command(command_id::help);
    EXPECT_EQ(widget_state_of(7), widget_state::normal);
    EXPECT_EQ(updates(), before + 1) << "panel and label in one update";
    command(command_id::help);
    EXPECT_EQ(widget_state_of(7), widget_state::hidden);
    EXPECT_EQ(updates(), before + 2) << "the board painted over the panel";
    command(command_id::help);
    command(command_id::close_help);
    EXPECT_EQ(widget_state_of(7), widget_state::hidden);
    EXPECT_FALSE(board().redraw);
}

TEST_F(MainWindowTest, ANewBoardWhileHelpIsShownPaintsOverItButLeavesItShown) {
    open_main_window();
    board().attempt_count = 5;
    const BoardCells old_board = board().initial_cells;
    command(command_id::help);
    command(command_id::new_board);
    EXPECT_NE(board().initial_cells, old_board);
    EXPECT_EQ(board().attempt_count, 0);
    EXPECT_EQ(widget_state_of(7), widget_state::normal) << "still counts as shown";
    const BoardCells cells = board().cells;
    move_to({100, 100});
    press_at({100, 100});
    EXPECT_EQ(board().cells, cells) << "board presses stay ignored";
}

TEST_F(MainWindowTest, MinimisingHidesBehindTheIconDropsTheHoverAndComesBack) {
    open_main_window();
    move_to({599, 482});  // on the minimise button
    press_at({599, 482});
    EXPECT_FALSE(platform::is_window_visible(hwnd));
    EXPECT_EQ(widget_list()[1].state, widget_state::normal) << "the button is back at rest";
    EXPECT_EQ(platform::capture_window(), 0u);
    auto added = testing_platform::events_of(EventKind::tray_add);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].text, u"Vormelin");
    EXPECT_EQ(added[0].caption, u"SYSTRAY");
    EXPECT_EQ(added[0].value, 1u);

    platform::send_message(hwnd, tray_message, 1,
                           static_cast<std::int32_t>(platform::msg::rbutton_down));
    EXPECT_FALSE(platform::is_window_visible(hwnd)) << "a right click does nothing";
    platform::send_message(hwnd, tray_message, 1,
                           static_cast<std::int32_t>(platform::msg::lbutton_down));
    EXPECT_TRUE(platform::is_window_visible(hwnd));
    EXPECT_EQ(testing_platform::events_of(EventKind::tray_delete).size(), 1u);

    tray_icon.icon.tip = u"kept";  // the record is filled only once
    command(command_id::minimise);
    added = testing_platform::events_of(EventKind::tray_add);
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(added[1].text, u"kept");
    EXPECT_EQ(added[1].window, hwnd);
}

TEST_F(MainWindowTest, WithoutANotificationAreaMinimisingIconifiesTheWindow) {
    testing_platform::set_tray_available(false);
    open_main_window();
    command(command_id::minimise);
    EXPECT_TRUE(platform::is_window_visible(hwnd));
    const auto shows = testing_platform::events_of(EventKind::show);
    ASSERT_FALSE(shows.empty());
    EXPECT_EQ(shows.back().value, static_cast<std::uint32_t>(platform::ShowCommand::minimize));
    EXPECT_TRUE(testing_platform::events_of(EventKind::tray_add).empty());
}

TEST_F(MainWindowTest, CloseWritesTheScoresOnlyWhenTheyChanged) {
    open_main_window();
    command(command_id::close);
    EXPECT_FALSE(platform::is_window(hwnd));
    EXPECT_FALSE(score_file_exists());
    EXPECT_TRUE(testing_platform::events_of(EventKind::message_box).empty());
}

TEST_F(MainWindowTest, CloseSaysWhyTheScoresCannotBeSavedBeforeTheGameEnds) {
    open_main_window();
    std::filesystem::create_directory("Scores.qelm");
    command(command_id::reset_scores);
    bool window_while_told = false;
    testing_platform::on_message_box([&](const testing_platform::Event&) {
        window_while_told = platform::is_window(hwnd);
        return platform::message_box_result_ok;
    });
    command(command_id::close);
    const auto boxes = testing_platform::events_of(EventKind::message_box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, u"Probl\u00E8me");
    EXPECT_EQ(boxes[0].text,
              u"Impossible d'enregistrer les scores : ce n'est pas un fichier ordinaire");
    EXPECT_EQ(boxes[0].value, platform::message_box_ok);
    EXPECT_TRUE(window_while_told);
    EXPECT_FALSE(platform::is_window(hwnd));
    EXPECT_TRUE(std::filesystem::is_directory("Scores.qelm"));
}

TEST_F(MainWindowTest, ResetThenCloseWritesTheDefaultTableAndKeepsTheLastName) {
    open_main_window();
    board().scores.last_name = "Anne";
    board().scores.names[0] = "Paul";
    board().scores.results[0] = 3;
    command(command_id::reset_scores);
    EXPECT_EQ(board().scores.names[0], "Mr Vormelin");
    command(command_id::close);
    std::string expected = "Anne\r\n";
    for (int i = 0; i < 13; ++i) {
        expected += "Mr Vormelin|224\r\n";
    }
    EXPECT_EQ(score_file(), expected);
    EXPECT_TRUE(testing_platform::events_of(EventKind::message_box).empty());
}

// The cells of a board with one pair, of 1 at columns 0 and 1 of the bottom row, and no other.
BoardCells board_with_one_pair() {
    BoardCells cells{};
    for (int column = 0; column < 14; ++column) {
        for (int row = 0; row < 3; ++row) {
            cells[cell_index(column, row)] = static_cast<std::int8_t>(2 + (column + row) % 2);
        }
    }
    cells[cell_index(0, 0)] = 1;
    cells[cell_index(1, 0)] = 1;
    cells[cell_index(13, 2)] = 4;  // and a pair that stays: the game goes on
    cells[cell_index(12, 2)] = 4;
    return cells;
}

TEST_F(MainWindowTest, TheWindowsArrowsSpaceAndEnterReachTheBoardWhicheverWidgetWasPressed) {
    open_main_window();
    move_to({520, 480});
    press_at({520, 480});  // the reset button: it has the widgets' focus now
    board().cells = board_with_one_pair();
    board().initial_cells = board().cells;
    const auto press = [&](std::uint32_t key, std::uint8_t character) {
        testing_platform::key_press(hwnd, key, character);
        testing_platform::pump();
    };
    press(platform::vk::up, 0);
    press(platform::vk::right, 0);
    EXPECT_EQ(board().cursor.column, 1);
    EXPECT_TRUE(board().cursor.shown);

    // A key queued before a box or the name dialog came up, and handled in its loop.
    testing_platform::key_press(hwnd, platform::vk::space, ' ');
    platform::enable_window(hwnd, false);
    testing_platform::pump();
    EXPECT_EQ(board().cells, board().initial_cells) << "the keys are the box's";
    platform::enable_window(hwnd, true);

    press(platform::vk::enter, '\r');
    EXPECT_EQ(board().cells[cell_index(0, 0)], 3) << "the pair went and the column fell";
    EXPECT_TRUE(platform::is_window(hwnd)) << "Enter does not close the game";
    EXPECT_EQ(widget_state_of(7), widget_state::hidden);
}

}  // namespace

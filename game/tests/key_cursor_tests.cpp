// The board played from the keyboard: the cursor the arrows move, its frame on every kind of
// cell, Space and Enter playing the same turn as a press, and what they leave alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/board_widget.h"
#include "game/tests/game_window.h"
#include "game/turn_flow.h"
#include "platform/messages.h"
#include "platform/testing/test_platform.h"

namespace testing_platform = platform::testing;
using testing_platform::EventKind;
namespace vk = platform::vk;

namespace {

constexpr platform::Argb frame_light = 0xFFFFFFFF;
constexpr platform::Argb frame_dark = 0xFF101010;

// Bottom row first: a pair of 1 at columns 2-3 of row 1, a lone 2, a ball, and fillers with
// no equal neighbours; a pair of 4 that stays, so that no turn ends the game.
const std::vector<std::string> playable_rows{
    "23232323232344",
    "32113232323232",
    "23232523232323",
};

class KeyCursorTest : public GameWindowTest {
protected:
    void open_playing_game() {
        open_game();
        testing_platform::on_message_box([this](const testing_platform::Event&) {
            ++boxes;
            return 1;
        });
        std::vector<std::string> top_first(board_rows, "");
        for (std::size_t i = 0; i < playable_rows.size(); ++i) {
            top_first[board_rows - 1 - i] = playable_rows[i];
        }
        set_cells(top_first);
        board->initial_cells = board->cells;
        update_board_now(*board);
    }

    void key(std::uint32_t virtual_key, std::int32_t state = platform::key_state::pressed) {
        board_key_down(*board, virtual_key, state);
    }

    void keys(std::uint32_t virtual_key, int times) {
        for (int i = 0; i < times; ++i) {
            key(virtual_key);
        }
    }

    // Shows the cursor and moves it from wherever it is to the cell.
    void cursor_to(int column, int row) {
        key(vk::up);
        keys(vk::left, board_columns);
        keys(vk::down, board_rows);
        keys(vk::right, column);
        keys(vk::up, row);
    }

    static platform::Point cell_corner(int column, int row) {
        return {30 + cell_size * column, 31 + cell_size * (board_rows - 1 - row)};
    }

    // The frame's rings at the cell's top-left corner, inwards, and the cell's own middle.
    std::vector<platform::Argb> frame_at(int column, int row) const {
        const platform::Point corner = cell_corner(column, row);
        std::vector<platform::Argb> seen;
        for (int inset = 0; inset < 5; ++inset) {
            seen.push_back(shown({corner.x + inset, corner.y + 14}));
        }
        seen.push_back(shown({corner.x + 14, corner.y + 14}));
        return seen;
    }

    static std::vector<platform::Argb> framed(platform::Argb cell) {
        return {frame_dark, frame_light, frame_light, frame_dark, cell, cell};
    }

    // A summary of the journal since `start`: U a picture, S a pause, N a note.
    static std::string summary_since(std::size_t start) {
        std::string summary;
        const auto& journal = testing_platform::journal();
        for (std::size_t i = start; i < journal.size(); ++i) {
            switch (journal[i].kind) {
                case EventKind::layered_update:
                    summary += "U";
                    break;
                case EventKind::sleep:
                    summary += "S";
                    break;
                case EventKind::midi_message:
                    summary += "N";
                    break;
                default:
                    break;
            }
        }
        return summary;
    }

    int boxes = 0;
};

TEST_F(KeyCursorTest, TheFirstArrowShowsTheCursorAtTheBottomLeftCellAndItStopsAtTheEdges) {
    open_playing_game();
    EXPECT_FALSE(board->cursor.shown) << "no cursor before the first arrow";
    key(vk::right);
    EXPECT_TRUE(board->cursor.shown);
    EXPECT_EQ(board->cursor.column, 0);
    EXPECT_EQ(board->cursor.row, 0);
    EXPECT_EQ(frame_at(0, 0), framed(cell_colours[2]));

    key(vk::left);
    key(vk::down);
    EXPECT_EQ(board->cursor.column, 0) << "held at the left edge";
    EXPECT_EQ(board->cursor.row, 0) << "held at the bottom edge";

    keys(vk::right, 20);
    keys(vk::up, 20);
    EXPECT_EQ(board->cursor.column, board_columns - 1);
    EXPECT_EQ(board->cursor.row, board_rows - 1);
    EXPECT_EQ(frame_at(13, 15), framed(background_colour)) << "the top-right cell is empty";
    EXPECT_EQ(frame_at(0, 0)[0], cell_colours[2]) << "the frame left the first cell";

    key(vk::left, platform::key_state::repeated);
    key(vk::down, platform::key_state::repeated);
    EXPECT_EQ(board->cursor.column, 12) << "a held arrow goes on moving";
    EXPECT_EQ(board->cursor.row, 14);
}

TEST_F(KeyCursorTest, TheFrameShowsOnEveryBrickOnTheBallAndOnAnEmptyCell) {
    open_game();
    set_cells({"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "12345"});
    for (int code = 0; code <= 5; ++code) {
        const int column = code == 0 ? 5 : code - 1;
        cursor_to(column, 0);
        const platform::Argb cell = code == 0 ? background_colour : cell_colours[code];
        EXPECT_EQ(frame_at(column, 0), framed(cell)) << "cell code " << code;
    }
}

TEST_F(KeyCursorTest, SpaceAndEnterPlayTheSameTurnAsAPressOnThatCell) {
    open_playing_game();
    const platform::Point cell_2_1{30 + 29 * 2 + 14, 31 + 29 * 14 + 14};
    move_to(cell_2_1);
    const std::size_t click_start = testing_platform::journal().size();
    press_at(cell_2_1);
    const std::string click_turn = summary_since(click_start);
    const BoardCells after_click = board->cells;
    ASSERT_NE(after_click, board->initial_cells) << "the press played";

    for (const std::uint32_t play_key : {vk::space, vk::enter}) {
        board->cells = board->initial_cells;
        cursor_to(2, 1);
        const std::size_t key_start = testing_platform::journal().size();
        key(play_key);
        EXPECT_EQ(board->cells, after_click) << "key " << play_key;
        EXPECT_EQ(summary_since(key_start), click_turn) << "the same pictures, pauses and notes";
        EXPECT_TRUE(board->cursor.shown) << "the cursor stays where it was";
        EXPECT_EQ(frame_at(2, 1)[1], frame_light);
    }
}

TEST_F(KeyCursorTest, KeysPlayNothingOnABallALoneBrickAnEmptyCellOrUnderTheHelpPanel) {
    open_playing_game();
    const BoardCells before = board->cells;
    const std::vector<std::pair<int, int>> unplayable{{5, 2}, {0, 0}, {4, 9}};
    for (const auto& [column, row] : unplayable) {
        cursor_to(column, row);
        const std::size_t updates = update_count();
        key(vk::space);
        key(vk::enter);
        EXPECT_EQ(update_count(), updates) << "cell (" << column << ", " << row << ")";
    }
    EXPECT_EQ(board->cells, before);

    cursor_to(2, 1);
    show_help();
    const std::size_t updates = update_count();
    key(vk::space);
    key(vk::right);
    EXPECT_EQ(board->cells, before) << "no turn under the help panel";
    EXPECT_EQ(board->cursor.column, 2) << "the cursor stays, the panel stays whole";
    EXPECT_EQ(update_count(), updates);
}

TEST_F(KeyCursorTest, AHeldSpacePlaysOnceAndAnotherTurnWaitsForTheFirstToEnd) {
    open_playing_game();
    cursor_to(2, 1);
    key(vk::space, platform::key_state::repeated);
    EXPECT_EQ(board->cells, board->initial_cells) << "an auto-repeat is no press";

    // A key handled inside a loop that runs within the turn (here the end-of-game box's) finds a
    // turn going on: it neither plays nor moves the cursor, whatever the board holds then.
    set_cells({"", "", "", "", "", "", "", "", "", "", "", "", "", "", "11", "11"});
    board->initial_cells = board->cells;
    BoardCells during_box{};
    testing_platform::on_message_box([&](const testing_platform::Event&) {
        ++boxes;
        EXPECT_TRUE(turn_in_progress());
        board->cells = board->initial_cells;
        during_box = board->cells;
        key(vk::space);
        key(vk::right);
        EXPECT_EQ(board->cells, during_box) << "no second turn within the first";
        return 1;
    });
    cursor_to(0, 0);
    key(vk::space);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(board->cursor.column, 0);
    EXPECT_FALSE(turn_in_progress());
}

TEST_F(KeyCursorTest, TheMouseOnTheBoardHidesTheCursorUntilTheNextKey) {
    open_playing_game();
    cursor_to(2, 1);
    move_to({200, 200});
    EXPECT_FALSE(board->cursor.shown);
    EXPECT_EQ(frame_at(2, 1), std::vector<platform::Argb>(6, cell_colours[1]));

    key(vk::space);
    EXPECT_EQ(board->cells, board->initial_cells) << "a hidden cursor is shown, not played";
    EXPECT_TRUE(board->cursor.shown);
    move_to({200, 200});
    EXPECT_TRUE(board->cursor.shown) << "a move to where the pointer was is no move";

    move_to({201, 200});
    key(vk::up);
    EXPECT_EQ(board->cursor.row, 1) << "the next arrow shows it where it was";
    EXPECT_EQ(frame_at(2, 1), framed(cell_colours[1]));
}

}  // namespace

// A turn as the player sees and hears it: the pictures shown, the pauses between them, the
// notes, the end-of-game box, the name dialog and the attempts on a board.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/board_widget.h"
#include "game/rules.h"
#include "game/tests/game_window.h"
#include "game/turn_flow.h"
#include "platform/common/window_table.h"
#include "platform/message_queue.h"
#include "platform/testing/test_platform.h"
#include "runtime/text.h"
#include "sound/midi.h"

namespace testing_platform = platform::testing;
using testing_platform::EventKind;

namespace {

// Checkerboard rows of bricks 2 and 3: no two equal neighbours anywhere.
std::string filler_row(int row, int from_column, int to_column) {
    std::string text(board_columns, '.');
    for (int column = from_column; column <= to_column; ++column) {
        text[static_cast<std::size_t>(column)] = (column + row) % 2 == 0 ? '2' : '3';
    }
    return text;
}

class TurnFlowTest : public GameWindowTest {
protected:
    void SetUp() override {
        GameWindowTest::SetUp();
        testing_platform::on_message_box([this](const testing_platform::Event& box) {
            boxes.push_back(box);
            return 1;
        });
        testing_platform::on_idle([this] { answer_name_dialog(); });
    }

    void open_playing_game() {
        open_game();
        midi_open();
        board->attempt_count = 0;
    }

    // Rows given top row first; shorter lists leave the top rows empty.
    void set_rows_bottom_up(std::vector<std::string> bottom_first) {
        std::vector<std::string> top_first(static_cast<std::size_t>(board_rows), "");
        for (std::size_t i = 0; i < bottom_first.size(); ++i) {
            top_first[static_cast<std::size_t>(board_rows) - 1 - i] = bottom_first[i];
        }
        set_cells(top_first);
        board->initial_cells = board->cells;
    }

    // Presses the centre of a cell, as the player would, and returns what followed.
    std::string click_cell(int column, int row) {
        return click_at({30 + 29 * column + 14, 31 + 29 * (15 - row) + 14});
    }

    std::string click_at(platform::Point point) {
        move_to(point);
        const std::size_t start = testing_platform::journal().size();
        press_at(point);
        return summary_since(start);
    }

    // U a picture shown, S a pause (with its length), N a note (its note off and note on), B a
    // message box.
    static std::string summary_since(std::size_t start) {
        std::string summary;
        const auto& journal = testing_platform::journal();
        for (std::size_t i = start; i < journal.size(); ++i) {
            const auto& event = journal[i];
            switch (event.kind) {
                case EventKind::layered_update:
                    summary += "U ";
                    break;
                case EventKind::sleep:
                    summary += "S" + std::to_string(event.value) + " ";
                    break;
                case EventKind::midi_message:
                    if ((event.value & 0xF0u) == 0x90u) {
                        summary += "N ";
                    }
                    break;
                case EventKind::message_box:
                    summary += "B ";
                    break;
                default:
                    break;
            }
        }
        if (!summary.empty()) {
            summary.pop_back();
        }
        return summary;
    }

    std::vector<std::uint32_t> midi_messages() const {
        std::vector<std::uint32_t> messages;
        for (const auto& event : testing_platform::events_of(EventKind::midi_message)) {
            messages.push_back(event.value);
        }
        return messages;
    }

    // The player's answer to the name dialog when it waits: the typed name and Enter, or Escape.
    void answer_name_dialog() {
        for (const platform::WindowHandle window : platform::common::all_windows()) {
            if (platform::window_class_name(window) != "EDIT") {
                continue;
            }
            ++dialogs_seen;
            if (cancel_dialog) {
                testing_platform::key_press(window, platform::vk::escape, 27);
            } else {
                testing_platform::type_into(window, to_wide(typed_name));
                testing_platform::key_press(window, platform::vk::enter, '\r');
            }
            return;
        }
    }

    std::vector<testing_platform::Event> boxes;
    int dialogs_seen = 0;
    std::string typed_name = "Anne";
    bool cancel_dialog = false;
};

TEST_F(TurnFlowTest, APressOnALoneBrickABallOrAnEmptyCellChangesNothing) {
    open_playing_game();
    set_rows_bottom_up({"21345.........", "44............"});
    const BoardCells before = board->cells;
    EXPECT_EQ(click_cell(0, 0), "") << "a brick without an equal neighbour";
    EXPECT_EQ(click_cell(4, 0), "") << "a ball";
    EXPECT_EQ(click_cell(9, 5), "") << "an empty cell";
    EXPECT_EQ(board->cells, before);
}

TEST_F(TurnFlowTest, APairAtTheTopOfAColumnIsOneRedrawWithoutANote) {
    open_playing_game();
    set_rows_bottom_up({filler_row(0, 0, 13), filler_row(1, 0, 13), "11..........44"});
    EXPECT_EQ(click_cell(0, 2), "U");
    EXPECT_EQ(board->cells[cell_index(0, 2)], 0);
    EXPECT_EQ(board->cells[cell_index(13, 2)], 4) << "the other pair is left";
}

TEST_F(TurnFlowTest, EmptyingAColumnShowsTheFallThenEachCloseUpStepWithPausesAndNotes) {
    open_playing_game();
    // Column 5 holds only a 1 that joins the 1 at the bottom of column 6; column 6 falls.
    std::string bottom = filler_row(0, 0, 13);
    bottom[5] = '1';
    bottom[6] = '1';
    std::string second = filler_row(1, 0, 13);
    second[5] = '.';
    std::string third(board_columns, '.');
    third[0] = '4';
    third[1] = '4';
    set_rows_bottom_up({bottom, second, third});
    const std::uint32_t start = testing_platform::now();
    EXPECT_EQ(click_cell(5, 0), "U S100 U N S100 U N");
    EXPECT_EQ(testing_platform::now() - start, 200u);
    EXPECT_EQ(board->cells[cell_index(13, 0)], 0) << "the right side closed up";
    EXPECT_EQ(midi_messages().back(), 0x7F3690u);
    EXPECT_EQ(midi_messages()[midi_messages().size() - 2], 0x7F3680u);
}

TEST_F(TurnFlowTest, BallsBroughtTogetherVanishWithoutANoteAndWhatIsAboveThemFalls) {
    open_playing_game();
    // Column 8 from the bottom: ball, pair brick, ball, brick: removing the pair (with column
    // 9's 1) brings the balls together.
    set_rows_bottom_up({"23232323532323", "32323232113232", "23232323523232", "44......2....."});
    EXPECT_EQ(click_cell(8, 1), "U S100 U N S100 U S100 U N");
    EXPECT_EQ(board->cells[cell_index(8, 0)], 2) << "the brick above the balls fell to the bottom";
    EXPECT_EQ(count_remaining(*board), 14 * 3 + 3 - 2 - 2);
}

TEST_F(TurnFlowTest, TheEndOfAGameSaysHowItWentForResultsZeroOneTwoAndMore) {
    const std::vector<std::pair<std::vector<std::string>, std::u16string>> games{
        {{".............1", ".............1"},
         u"F\u00e9licitations, vous \u00eates tr\u00e8s dou\u00e9s."},
        {{"2............1", ".............1"},
         u"F\u00e9licitations, vous \u00eates tr\u00e8s dou\u00e9s."},
        {{"2............1", "3............1"}, u"Il vous reste 2 briques"},
    };
    open_playing_game();
    for (const auto& [rows, text] : games) {
        boxes.clear();
        board->attempt_count = 0;
        set_rows_bottom_up(rows);
        click_cell(13, 0);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, u"Fin de la partie");
        EXPECT_EQ(boxes[0].text, text);
    }
}

TEST_F(TurnFlowTest, AQualifyingResultAsksForTheNameAndEntersTheTable) {
    open_playing_game();
    board->scores.last_name = "Paul";
    std::vector<std::string> rows;
    for (int row = 0; row < 16; ++row) {
        std::string text = filler_row(row, 0, 1);
        if (row < 5) {
            text[2] = (row % 2 == 0) ? '2' : '3';
        }
        if (row < 2) {
            text[13] = '1';
        }
        rows.push_back(text);
    }
    set_rows_bottom_up(rows);
    ASSERT_EQ(count_remaining(*board), 37 + 2);
    const std::string seen = click_cell(13, 0);
    EXPECT_EQ(seen, "U N S100 B U U U") << "the table, the chart and the restarted board";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Il vous reste 37 briques");
    EXPECT_EQ(dialogs_seen, 1);
    EXPECT_EQ(board->scores.names[0], "Anne");
    EXPECT_EQ(board->scores.results[0], 37);
    EXPECT_EQ(board->scores.last_name, "Anne");
    EXPECT_EQ(board->attempt_count, 1);
    EXPECT_EQ(board->attempt_results[0], 37);
    EXPECT_EQ(board->cells, board->initial_cells) << "the next attempt starts";
    EXPECT_EQ(midi_messages().back(), 0x7F4A92u) << "the end-of-game note on channel 2";
}

TEST_F(TurnFlowTest, AResultEqualToTheLastEntryAsksNothingButIsRecorded) {
    open_playing_game();
    board->scores.results[12] = 1;
    set_rows_bottom_up({"2............1", ".............1"});
    click_cell(13, 0);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(dialogs_seen, 0);
    EXPECT_EQ(board->attempt_results[0], 1);
    EXPECT_FALSE(board->scores.modified);
}

TEST_F(TurnFlowTest, ACancelledNameDialogEntersAnEmptyName) {
    open_playing_game();
    board->scores.last_name = "Paul";
    cancel_dialog = true;
    set_rows_bottom_up({".............1", ".............1"});
    click_cell(13, 0);
    EXPECT_EQ(dialogs_seen, 1);
    EXPECT_EQ(board->scores.names[0], "");
    EXPECT_EQ(board->scores.results[0], 0);
    EXPECT_EQ(board->scores.last_name, "");
}

TEST_F(TurnFlowTest, TheSeventeenthAttemptRestartsTheBoardAndTheEighteenthBringsANewOne) {
    open_playing_game();
    board->scores.results[12] = 0;  // nothing qualifies: no dialog
    set_rows_bottom_up({".............1", ".............1"});
    for (int i = 0; i < 16; ++i) {
        board->attempt_results[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i + 1);
    }
    board->attempt_count = 16;
    click_cell(13, 0);
    EXPECT_EQ(board->attempt_count, 17);
    EXPECT_EQ(board->cells, board->initial_cells);
    EXPECT_EQ(shown({480 + 10 * 15, 139}), 0xFF333333u) << "the 16th bar";

    const BoardCells old_board = board->initial_cells;
    click_cell(13, 0);
    EXPECT_EQ(board->attempt_count, 0);
    EXPECT_NE(board->initial_cells, old_board) << "a new board";
    EXPECT_EQ(board->cells, board->initial_cells);
    EXPECT_EQ(shown({480, 139}), background_colour) << "an empty chart";
}

TEST_F(TurnFlowTest, PressesAreIgnoredWhileTheHelpPanelIsShownAndMapToTheRightCells) {
    open_playing_game();
    std::vector<std::string> rows;
    for (int row = 0; row < board_rows; ++row) {
        rows.push_back(filler_row(row, 0, 13));
    }
    rows[0][13] = '4';  // a pair at the bottom right
    rows[1][13] = '4';
    rows[14][0] = '1';  // a pair at the top left
    rows[15][0] = '1';
    rows[15][6] = '5';  // and a pair that stays, so that the game goes on
    rows[15][7] = '4';
    rows[14][7] = '4';
    set_rows_bottom_up(rows);
    show_help();
    EXPECT_EQ(click_at({435, 494}), "");
    EXPECT_EQ(board->cells[cell_index(13, 0)], 4);
    help->widget->state = widget_state::hidden;
    EXPECT_EQ(click_at({30, 31}), "U") << "the top-left pixel plays cell (0, 15)";
    EXPECT_EQ(board->cells[cell_index(0, 15)], 0);
    EXPECT_EQ(click_at({435, 494}), "U S100 U N") << "the bottom-right pixel plays cell (13, 0)";
    EXPECT_EQ(board->cells[cell_index(13, 15)], 0);
    EXPECT_EQ(board->cells[cell_index(7, 15)], 4);
}

}  // namespace

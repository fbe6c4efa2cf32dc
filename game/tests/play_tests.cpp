// Plays whole games with random legal clicks and checks the board after every turn.
#include "game/random.h"
#include "game/rules.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Cell {
    int column;
    int row;
};

// The cascade of one turn after the removal: falls until nothing moves, then ball groups (which
// start another fall), then one close-up step at a time, looking for balls after each.
void settle(BoardRecord& board) {
    for (;;) {
        while (fall_step(board)) {
        }
        bool balls_removed = false;
        for (;;) {
            if (remove_ball_groups(board)) {
                balls_removed = true;
                break;
            }
            if (!close_up_columns(board)) {
                break;
            }
        }
        if (!balls_removed) {
            return;
        }
    }
}

std::vector<Cell> removable_cells(const BoardRecord& board) {
    std::vector<Cell> cells;
    for (int row = 0; row < board_rows; ++row) {
        for (int column = 0; column < board_columns; ++column) {
            if (can_remove_at(board, column, row)) {
                cells.push_back({column, row});
            }
        }
    }
    return cells;
}

bool column_is_empty(const BoardRecord& board, int column) {
    for (int row = 0; row < board_rows; ++row) {
        if (board.cells[cell_index(column, row)] != empty_cell) {
            return false;
        }
    }
    return true;
}

// The first invariant of a board at rest that does not hold, or an empty text.
std::string broken_invariant(const BoardRecord& board) {
    int count = 0;
    for (int column = 0; column < board_columns; ++column) {
        for (int row = 0; row < board_rows; ++row) {
            std::int8_t code = board.cells[cell_index(column, row)];
            std::string where = " at " + std::to_string(column) + "," + std::to_string(row);
            if (code < 0 || code > 5) {
                return "bad code" + where;
            }
            if (code != empty_cell && row > 0 && board.cells[cell_index(column, row - 1)] == 0) {
                return "floating cell" + where;
            }
            bool ball_right =
                column < board_columns - 1 && board.cells[cell_index(column + 1, row)] == ball_cell;
            bool ball_above =
                row < board_rows - 1 && board.cells[cell_index(column, row + 1)] == ball_cell;
            if (code == ball_cell && (ball_right || ball_above)) {
                return "adjacent balls" + where;
            }
            count += code != empty_cell;
        }
    }
    int first = 0;
    while (first < board_columns && column_is_empty(board, first)) {
        ++first;
    }
    int last = board_columns - 1;
    while (last >= 0 && column_is_empty(board, last)) {
        --last;
    }
    for (int column = first; column <= last; ++column) {
        if (column_is_empty(board, column)) {
            return "empty column between others at " + std::to_string(column);
        }
    }
    if (count != count_remaining(board)) {
        return "count_remaining is " + std::to_string(count_remaining(board)) + ", not " +
               std::to_string(count);
    }
    return "";
}

}  // namespace

TEST(PlayedGames, KeepTheBoardAtRestAfterEveryTurn) {
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        random_seed(seed);
        BoardRecord board;
        generate_board(board);
        std::mt19937 chooser(seed);
        for (int turn = 0; !is_game_over(board); ++turn) {
            SCOPED_TRACE("turn " + std::to_string(turn));
            std::vector<Cell> choices = removable_cells(board);
            ASSERT_FALSE(choices.empty()) << "not over, yet nothing can be clicked";
            Cell click = choices[chooser() % choices.size()];
            std::int16_t before = count_remaining(board);
            remove_group(board, click.column, click.row,
                         board.cells[cell_index(click.column, click.row)]);
            settle(board);
            ASSERT_EQ(broken_invariant(board), "");
            ASSERT_LE(count_remaining(board), before - 2);
        }
        EXPECT_TRUE(removable_cells(board).empty());
    }
}

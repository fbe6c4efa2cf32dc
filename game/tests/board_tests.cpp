// Tests of board generation.
#include "game/board.h"

#include "game/random.h"
#include "game/testing/scripted_random.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<int> row_of(const BoardCells& cells, int row) {
    std::vector<int> codes;
    for (int column = 0; column < board_columns; ++column) {
        codes.push_back(cells[cell_index(column, row)]);
    }
    return codes;
}

bool has_adjacent_balls(const BoardCells& cells) {
    for (int row = 0; row < board_rows; ++row) {
        for (int column = 0; column < board_columns; ++column) {
            if (cells[cell_index(column, row)] != ball_cell) {
                continue;
            }
            if ((column > 0 && cells[cell_index(column - 1, row)] == ball_cell) ||
                (row > 0 && cells[cell_index(column, row - 1)] == ball_cell)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

TEST(GenerateBoard, SeedZeroGivesKnownBoard) {
    random_seed(0);
    BoardRecord board;
    generate_board(board);
    EXPECT_EQ(row_of(board.cells, 0), (std::vector<int>{3, 4, 4, 2, 2, 4, 4, 3, 2, 3, 5, 3, 3, 5}));
    EXPECT_EQ(row_of(board.cells, 15),
              (std::vector<int>{2, 1, 4, 2, 2, 5, 3, 4, 4, 4, 1, 3, 5, 3}));
}

TEST(GenerateBoard, DrawsAgainForABallBesideABall) {
    ScriptedRandomDraws scripted({4, 4, 0});
    BoardRecord board;
    generate_board(board);
    EXPECT_EQ(scripted.draws_left(), 0u);
    EXPECT_EQ(board.cells[cell_index(0, 0)], ball_cell);
    EXPECT_EQ(board.cells[cell_index(1, 0)], 1);

    ScriptedRandomDraws above({4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 3});
    generate_board(board);
    EXPECT_EQ(board.cells[cell_index(0, 1)], 4);  // the ball below rejects the first 4
}

TEST(GenerateBoard, KeepsItsInvariantsAndTheRestOfTheRecord) {
    BoardRecord board;
    board.redraw = true;
    board.scores.names[0] = "Anne";
    board.scores.results[0] = 7;
    board.attempt_results[3] = 99;
    board.attempt_count = 9;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        SCOPED_TRACE(seed);
        random_seed(seed);
        generate_board(board);
        EXPECT_EQ(board.cells, board.initial_cells);
        EXPECT_TRUE(std::all_of(board.cells.begin(), board.cells.end(),
                                [](std::int8_t code) { return code >= 1 && code <= 5; }));
        EXPECT_FALSE(has_adjacent_balls(board.cells));
        EXPECT_EQ(board.attempt_count, 0);
    }
    EXPECT_TRUE(board.redraw);
    EXPECT_EQ(board.scores.names[0], "Anne");
    EXPECT_EQ(board.scores.results[0], 7);
    EXPECT_EQ(board.attempt_results[3], 99);
}

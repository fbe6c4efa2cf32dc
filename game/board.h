// The board record: the board as generated and as played, the score table and the attempts on the
// current board; and the generation of a new board.
#pragma once

#include "scores/score_table.h"

#include <array>
#include <cstdint>

struct Widget;

inline constexpr int board_columns = 14;
inline constexpr int board_rows = 16;
inline constexpr int board_cell_count = board_columns * board_rows;
inline constexpr int attempts_per_board = 18;

// Cell codes: 0 empty, 1 to 4 the bricks (violet, red, green, blue), 5 a ball.
inline constexpr std::int8_t empty_cell = 0;
inline constexpr std::int8_t first_brick = 1;
inline constexpr std::int8_t last_brick = 4;
inline constexpr std::int8_t ball_cell = 5;

using BoardCells = std::array<std::int8_t, board_cell_count>;

// Column 0 is at the left, row 0 at the bottom; cells fall toward row 0.
constexpr int cell_index(int column, int row) {
    return column + board_columns * row;
}

// The keyboard's cursor over the cells. It is kept for the whole run of the program: a new
// board or a new attempt leaves it where it was.
struct KeyCursor {
    int column = 0;  // starts at the bottom-left cell
    int row = 0;
    bool shown = false;  // drawn, and played by Space and Enter
    // Where the board last saw the pointer (client pixels): a move to the same place, as a
    // window system reports when windows come and go, leaves the cursor shown.
    std::int32_t pointer_x = -1;
    std::int32_t pointer_y = -1;
};

// Zero-filled when created; the board widget sets the extent and the redraw flag.
struct BoardRecord {
    Widget* widget = nullptr;    // the board's widget; this record is its `self`
    std::int8_t columns = 0;     // 14 once created: the drawing loop's extent
    std::int8_t rows = 0;        // 16 once created
    bool redraw = false;         // the next paint draws the cells, and clears it
    BoardCells initial_cells{};  // the start position of every attempt on this board
    BoardCells cells{};          // the board being played
    ScoreTable scores;
    std::array<std::int16_t, attempts_per_board>
        attempt_results{};  // the first attempt_count hold results
    std::int8_t attempt_count = 0;
    KeyCursor cursor;  // the board widget's, drawn with the cells
};

// Fills both boards with a new random board (no empty cell, no two adjacent balls) and sets
// attempt_count to 0. Leaves the rest of the record alone.
void generate_board(BoardRecord& board);

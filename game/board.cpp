// Generation of a new board.
#include "game/board.h"

#include "game/random.h"

namespace {

// A draw of 0..3 is a brick; 4 is a ball, drawn again while the cell below or to the left (the
// neighbours already filled) holds a ball.
std::int8_t draw_cell(const BoardCells& cells, int column, int row) {
    for (;;) {
        std::int32_t draw = random_int(4);
        if (draw < 4) {
            return static_cast<std::int8_t>(first_brick + draw);
        }
        bool ball_below = row > 0 && cells[cell_index(column, row - 1)] == ball_cell;
        bool ball_left = column > 0 && cells[cell_index(column - 1, row)] == ball_cell;
        if (!ball_below && !ball_left) {
            return ball_cell;
        }
    }
}

}  // namespace

void generate_board(BoardRecord& board) {
    for (int row = 0; row < board_rows; ++row) {
        for (int column = 0; column < board_columns; ++column) {
            std::int8_t code = draw_cell(board.cells, column, row);
            board.initial_cells[cell_index(column, row)] = code;
            board.cells[cell_index(column, row)] = code;
        }
    }
    board.attempt_count = 0;
}

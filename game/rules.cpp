// The rules that change the cells during a turn: groups, falling, balls, closing up, the end.
#include "game/rules.h"

#include <algorithm>

namespace {

constexpr int last_column = board_columns - 1;
constexpr int last_row = board_rows - 1;

std::int8_t cell_at(const BoardRecord& board, int column, int row) {
    return board.cells[cell_index(column, row)];
}

bool is_brick(std::int8_t code) {
    return code >= first_brick && code <= last_brick;
}

// A column counts as empty when its bottom cell is; on a settled board the whole column is.
bool is_column_empty(const BoardRecord& board, int column) {
    return cell_at(board, column, 0) == empty_cell;
}

// Columns 0..column-1 move one to the right; column 0 becomes empty.
void shift_left_part_right(BoardRecord& board, int column) {
    for (int row = 0; row < board_rows; ++row) {
        auto row_start = board.cells.begin() + cell_index(0, row);
        std::copy_backward(row_start, row_start + column, row_start + column + 1);
        *row_start = empty_cell;
    }
}

// Columns column+1..13 move one to the left; column 13 becomes empty.
void shift_right_part_left(BoardRecord& board, int column) {
    for (int row = 0; row < board_rows; ++row) {
        auto row_start = board.cells.begin() + cell_index(0, row);
        std::copy(row_start + column + 1, row_start + board_columns, row_start + column);
        row_start[last_column] = empty_cell;
    }
}

}  // namespace

bool can_remove_at(const BoardRecord& board, int column, int row) {
    std::int8_t code = cell_at(board, column, row);
    if (!is_brick(code)) {
        return false;
    }
    return (column > 0 && cell_at(board, column - 1, row) == code) ||
           (column < last_column && cell_at(board, column + 1, row) == code) ||
           (row > 0 && cell_at(board, column, row - 1) == code) ||
           (row < last_row && cell_at(board, column, row + 1) == code);
}

void remove_group(BoardRecord& board, int column, int row, std::int8_t code) {
    // Depth-first; at most 224 calls deep. Each neighbour is tested only when its turn comes, so a
    // cell emptied by an earlier branch is not visited again.
    board.cells[cell_index(column, row)] = empty_cell;
    if (column > 0 && cell_at(board, column - 1, row) == code) {
        remove_group(board, column - 1, row, code);
    }
    if (column < last_column && cell_at(board, column + 1, row) == code) {
        remove_group(board, column + 1, row, code);
    }
    if (row > 0 && cell_at(board, column, row - 1) == code) {
        remove_group(board, column, row - 1, code);
    }
    if (row < last_row && cell_at(board, column, row + 1) == code) {
        remove_group(board, column, row + 1, code);
    }
}

bool fall_step(BoardRecord& board) {
    // Scanning downward lets a cell over a run of gaps drop several rows in one pass.
    bool moved = false;
    for (int column = 0; column < board_columns; ++column) {
        for (int row = last_row - 1; row >= 0; --row) {
            std::int8_t& below = board.cells[cell_index(column, row)];
            std::int8_t& above = board.cells[cell_index(column, row + 1)];
            if (above != empty_cell && below == empty_cell) {
                below = above;
                above = empty_cell;
                moved = true;
            }
        }
    }
    return moved;
}

bool remove_ball_groups(BoardRecord& board) {
    // Every group of two or more balls holds a ball whose left or lower neighbour is a ball.
    bool removed = false;
    for (int column = 0; column < board_columns; ++column) {
        for (int row = 0; row < board_rows; ++row) {
            if (cell_at(board, column, row) != ball_cell) {
                continue;
            }
            if (column > 0 && cell_at(board, column - 1, row) == ball_cell) {
                remove_group(board, column, row, ball_cell);
                removed = true;
            }
            if (row > 0 && cell_at(board, column, row - 1) == ball_cell) {
                remove_group(board, column, row, ball_cell);
                removed = true;
            }
        }
    }
    return removed;
}

bool close_up_columns(BoardRecord& board) {
    int left = 0;
    while (left < board_columns && is_column_empty(board, left)) {
        ++left;
    }
    int right = last_column;
    while (right >= 0 && is_column_empty(board, right)) {
        --right;
    }
    // The margins are measured once; the loop then looks at the board as each shift leaves it,
    // so one call may close several gaps, or shift a column that its own earlier shift emptied.
    bool left_margin_narrower = left < last_column - right;
    bool moved = false;
    for (int column = left; column <= right; ++column) {
        if (!is_column_empty(board, column)) {
            continue;
        }
        if (left_margin_narrower) {
            shift_left_part_right(board, column);
        } else {
            shift_right_part_left(board, column);
        }
        moved = true;
    }
    return moved;
}

bool is_game_over(const BoardRecord& board) {
    for (int row = 0; row < board_rows; ++row) {
        for (int column = 0; column < board_columns; ++column) {
            std::int8_t code = cell_at(board, column, row);
            if (code == empty_cell) {
                continue;
            }
            if ((column > 0 && cell_at(board, column - 1, row) == code) ||
                (row > 0 && cell_at(board, column, row - 1) == code)) {
                return false;
            }
        }
    }
    return true;
}

std::int16_t count_remaining(const BoardRecord& board) {
    return static_cast<std::int16_t>(
        std::count_if(board.cells.begin(), board.cells.end(),
                      [](std::int8_t code) { return code != empty_cell; }));
}

// The rules that change the cells during a turn: groups, falling, balls, closing up, the end.
// None of them draws, waits or sounds; the turn flow calls them in order and shows the steps.
#pragma once

#include "game/board.h"

#include <cstdint>

// True when (column, row) holds a brick with an orthogonal neighbour of the same code.
bool can_remove_at(const BoardRecord& board, int column, int row);

// Empties the orthogonally connected group of `code` that holds (column, row). The cell must hold
// `code`, which must not be empty.
void remove_group(BoardRecord& board, int column, int row, std::int8_t code);

// One pass of gravity; true when a cell moved down. Repeated until false, every column ends with
// its cells packed from row 0 in their former order.
bool fall_step(BoardRecord& board);

// Empties every group of two or more balls; true when one was removed.
bool remove_ball_groups(BoardRecord& board);

// One step of closing the empty columns toward the middle: the side with the narrower empty
// margin moves toward each gap (the right side on a tie). True when a column was shifted.
bool close_up_columns(BoardRecord& board);

// True when no two orthogonally adjacent cells hold the same non-empty code.
bool is_game_over(const BoardRecord& board);

// The number of non-empty cells, bricks and balls alike.
std::int16_t count_remaining(const BoardRecord& board);

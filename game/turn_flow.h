// The flow of a turn, from a played cell to the board at rest, and the end of a game: the
// result, the score table, the attempt history and the next attempt or a new board.
#pragma once

#include <cstdint>

#include "game/board.h"

// Plays the group at the cell, as a press on it or Space on the cursor. Nothing happens while
// the help panel is on the screen, while a turn is already being played (a message handled in
// the loop of its end-of-game box or name dialog), or when the cell is no removable brick (a
// ball, a lone brick, an empty cell, a cell off the board).
void play_cell(BoardRecord& board, int column, int row);

// Whether a turn is being played now.
bool turn_in_progress();

// The end of a game: announces the result, offers the score table, records the attempt, and
// restarts the board or, after the 18th attempt, brings a new one.
void finish_attempt(BoardRecord& board);

// Starts the next attempt from the board as generated.
void restart_board(BoardRecord& board);

// Blocks the thread; no message is handled meanwhile.
void delay_ms(std::uint32_t milliseconds);

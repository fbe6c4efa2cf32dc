// The flow of a turn, from a press on the board to the board at rest, and the end of a game:
// the result, the score table, the attempt history and the next attempt or a new board.
#pragma once

#include <cstdint>

#include "game/board.h"

// Plays the press packed in lparam (client x in the low 16 bits, y in the high 16 bits). The
// help panel on the screen, a press outside the cells, or a cell that is no removable brick
// change nothing.
void play_turn(BoardRecord& board, std::int32_t lparam);

// The end of a game: announces the result, offers the score table, records the attempt, and
// restarts the board or, after the 18th attempt, brings a new one.
void finish_attempt(BoardRecord& board);

// Starts the next attempt from the board as generated.
void restart_board(BoardRecord& board);

// Blocks the thread; no message is handled meanwhile.
void delay_ms(std::uint32_t milliseconds);

// The score panel: the 13 rows of the score table, right of the board, written with the board
// widget's font and a faint glow.
#pragma once

#include "game/board.h"

// Draws the rows: within the board's paint of the compose pass (direct false), or at once after
// the table changed (direct true: the panel area is erased and the window's picture shown).
void draw_score_panel(BoardRecord& board, bool direct);

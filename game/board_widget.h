// The board widget: a 406 × 464 rectangle of the main window that draws the cells of the board
// record and the keyboard's cursor, owns the font of the score panel, and maps a press or the
// cursor to the cell that the turn flow plays.
#pragma once

#include <array>
#include <cstdint>

#include "game/board.h"
#include "platform/graphics.h"
#include "widgets/registry.h"

inline constexpr std::int32_t cell_size = 29;

Registry<BoardRecord>& board_list();

// The pictures of cell codes 1 to 5 (index 0 unused); null until loaded, or when a load failed.
extern std::array<platform::Image*, 6> cell_images;

// Creates the board record and its widget, generates the first board and reads the score file.
BoardRecord* create_board_widget(std::int32_t parent_id, std::int32_t id, std::int32_t x,
                                 std::int32_t y, std::int32_t columns, std::int32_t rows);

std::int32_t board_callback(void* self, std::uint32_t event, std::uint32_t wparam,
                            std::int32_t lparam);

// Draws the cells when a redraw is pending: within the compose pass (direct 0, followed by the
// score panel), or as a direct update of the board's rectangle shown at once.
void paint_board(BoardRecord& board, std::uint32_t direct, std::int32_t new_state);

// Redraws the chart of the attempts on this board at once.
void draw_attempt_chart(BoardRecord& board);

// Sets the redraw flag and sends the board a direct-update paint that keeps its state.
void update_board_now(BoardRecord& board);

// The help panel lies over the board as its child: while it is on the screen the board takes
// neither presses nor keys.
inline constexpr std::int32_t help_panel_id = 7;
bool help_panel_shown();

// The cell under a client point of the window (row 15 at the top); false off the cells.
bool cell_at_point(const BoardRecord& board, platform::Point point, int& column, int& row);

// A press of the left button, packed in lparam (client x in the low 16 bits, y in the high 16
// bits): plays the cell under it; a press off the cells changes nothing.
void play_turn(BoardRecord& board, std::int32_t lparam);

// A key pressed in the board's window (msg::key_down's wparam and lparam). The arrows show the
// cursor, at the bottom-left cell the first time, and move it once shown, stopping at the
// edges (a held arrow goes on moving it). Space and Enter play the cell under a shown cursor,
// once per press (an auto-repeat plays nothing), and show a hidden one. Nothing while the help
// panel is on the screen. Returns whether the key is one of these.
bool board_key_down(BoardRecord& board, std::uint32_t key, std::int32_t lparam);

// The board widget: a 406 × 464 rectangle of the main window that draws the cells of the board
// record, owns the font of the score panel, and plays a turn when the left button goes down.
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

// A turn: the group vanishes at once, then every visible step of the cascade comes 100 ms after
// the previous picture, falls and close-ups with a note; then the end of a game, if no group is
// left.
#include "game/turn_flow.h"

#include <string>

#include "game/board_widget.h"
#include "game/rules.h"
#include "platform/clock.h"
#include "runtime/dialogs.h"
#include "runtime/text.h"
#include "scores/score_table.h"
#include "sound/midi.h"
#include "widgets/widget.h"

namespace {

constexpr std::int32_t help_panel_id = 7;
constexpr std::uint32_t step_pause_ms = 100;
constexpr std::int16_t best_results = 1;  // results that earn the congratulation

void strike_step_note() {
    midi_note(0, 54, 127, 127);
}

void strike_game_over_note() {
    midi_note(2, 74, 127, 127);
}

bool press_to_cell(const BoardRecord& board, std::int32_t lparam, int& column, int& row) {
    const auto bits = static_cast<std::uint32_t>(lparam);
    const std::int32_t x = static_cast<std::int32_t>(bits & 0xFFFFu);
    const std::int32_t y = lparam >> 16;
    const std::int32_t dx = x - board.widget->x;
    const std::int32_t dy = y - board.widget->y;
    // The board only hears of presses inside its rectangle, but a stale hover could bring one
    // from elsewhere: it must never reach the rules.
    if (dx < 0 || dy < 0 || dx >= board_columns * cell_size || dy >= board_rows * cell_size) {
        return false;
    }
    column = dx / cell_size;
    row = (board_rows - 1) - dy / cell_size;
    return true;
}

// The fall happens at once and is shown settled, with a note; nothing if nothing moved.
void show_fall(BoardRecord& board) {
    if (!fall_step(board)) {
        return;
    }
    while (fall_step(board)) {
    }
    delay_ms(step_pause_ms);
    update_board_now(board);
    strike_step_note();
}

// Removes ball groups or closes up columns, showing each close-up step. Returns true when balls
// vanished, after which the board is shown and falls again.
bool remove_balls_or_close_up(BoardRecord& board) {
    for (;;) {
        if (remove_ball_groups(board)) {
            delay_ms(step_pause_ms);
            return true;
        }
        if (!close_up_columns(board)) {
            return false;
        }
        delay_ms(step_pause_ms);
        update_board_now(board);
        strike_step_note();
    }
}

std::string end_of_game_text(std::int16_t remaining) {
    if (remaining <= best_results) {
        return "F\xE9licitations, vous \xEAtes tr\xE8s dou\xE9s.";
    }
    return "Il vous reste " + format_int(remaining) + " briques";
}

}  // namespace

void delay_ms(std::uint32_t milliseconds) {
    platform::sleep_ms(milliseconds);
}

void play_turn(BoardRecord& board, std::int32_t lparam) {
    if (widget_state_of(help_panel_id) != widget_state::hidden) {
        return;
    }
    int column = 0;
    int row = 0;
    if (!press_to_cell(board, lparam, column, row) || !can_remove_at(board, column, row)) {
        return;
    }
    remove_group(board, column, row, board.cells[cell_index(column, row)]);
    do {
        update_board_now(board);
        show_fall(board);
    } while (remove_balls_or_close_up(board));
    if (!is_game_over(board)) {
        return;
    }
    strike_game_over_note();
    delay_ms(step_pause_ms);
    finish_attempt(board);
}

void finish_attempt(BoardRecord& board) {
    const std::int16_t remaining = count_remaining(board);
    show_message("Fin de la partie", end_of_game_text(remaining));
    if (qualifies_for_score_table(board.scores, remaining)) {
        const std::string name =
            show_input_requester("Vormelin", "Saisissez votre nom :", board.scores.last_name);
        insert_score(board.scores, name, remaining);
    }
    board.attempt_results[board.attempt_count] = remaining;
    ++board.attempt_count;
    if (board.attempt_count < attempts_per_board) {
        restart_board(board);
        return;
    }
    generate_board(board);
    draw_attempt_chart(board);
    update_board_now(board);
}

void restart_board(BoardRecord& board) {
    draw_attempt_chart(board);
    board.cells = board.initial_cells;
    update_board_now(board);
}

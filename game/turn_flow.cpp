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

constexpr std::uint32_t step_pause_ms = 100;
constexpr std::int16_t best_results = 1;  // results that earn the congratulation

// A turn runs inside the handling of a press or key, and the end-of-game box and the name
// dialog run message loops within it: a press or key that was queued meanwhile is handled there
// and must not start a second turn over the first.
bool turn_running = false;

struct TurnGuard {
    TurnGuard() { turn_running = true; }
    ~TurnGuard() { turn_running = false; }
    TurnGuard(const TurnGuard&) = delete;
    TurnGuard& operator=(const TurnGuard&) = delete;
};

void strike_step_note() {
    midi_note(0, 54, 127, 127);
}

void strike_game_over_note() {
    midi_note(2, 74, 127, 127);
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

bool turn_in_progress() {
    return turn_running;
}

void play_cell(BoardRecord& board, int column, int row) {
    if (turn_running || help_panel_shown()) {
        return;
    }
    if (column < 0 || row < 0 || column >= board_columns || row >= board_rows ||
        !can_remove_at(board, column, row)) {
        return;
    }
    const TurnGuard guard;
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

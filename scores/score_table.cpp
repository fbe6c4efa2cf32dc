// The score table: 13 entries of name and result, best (lowest) first, and the name entered last.
#include "scores/score_table.h"

#include <algorithm>
#include <utility>

namespace {

std::function<void()> score_panel_redraw;

void redraw_score_panel() {
    if (score_panel_redraw) {
        score_panel_redraw();
    }
}

// The score file separates name and result with "|" and ends lines at CR, LF or a zero byte.
std::string storable_name(std::string_view name) {
    std::string stored(name);
    for (char& byte : stored) {
        if (byte == '|') {
            byte = '/';
        } else if (byte == '\r' || byte == '\n' || byte == '\0') {
            byte = ' ';
        }
    }
    return stored;
}

}  // namespace

bool qualifies_for_score_table(const ScoreTable& table, std::int16_t result) {
    return result < table.results[score_entry_count - 1];
}

void insert_score(ScoreTable& table, std::string_view name, std::int16_t result) {
    std::string stored = storable_name(name);
    table.last_name = stored;
    for (int i = 0; i < score_entry_count; ++i) {
        if (table.results[i] >= result) {
            std::move_backward(table.names.begin() + i, table.names.end() - 1, table.names.end());
            std::move_backward(table.results.begin() + i, table.results.end() - 1,
                               table.results.end());
            table.names[i] = std::move(stored);
            table.results[i] = result;
            break;
        }
    }
    table.modified = true;
    redraw_score_panel();
}

void reset_scores(ScoreTable& table) {
    table.names.fill(std::string(default_score_name));
    table.results.fill(default_score_result);
    table.modified = true;
    redraw_score_panel();
}

void set_score_panel_redraw(std::function<void()> redraw) {
    score_panel_redraw = std::move(redraw);
}

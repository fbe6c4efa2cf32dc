// The score table: 13 entries of name and result, best (lowest) first, and the name entered last.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

inline constexpr int score_entry_count = 13;
inline constexpr std::string_view default_score_name = "Mr Vormelin";
inline constexpr std::int16_t default_score_result = 224;  // every cell of the board left

struct ScoreTable {
    std::string last_name;  // offered as the default of the next name dialog
    std::array<std::string, score_entry_count> names;
    std::array<std::int16_t, score_entry_count> results{};
    bool modified = false;  // changed since it was loaded; only then is the file written
};

// True when `result` beats the last entry (strictly lower).
bool qualifies_for_score_table(const ScoreTable& table, std::int16_t result);

// Places the entry before the first one whose result is not lower, dropping the last entry, and
// makes the name the new last_name. A "|" in the name is stored as "/", and CR, LF and zero bytes
// as spaces, so that the stored name reads back from the score file as it is shown.
void insert_score(ScoreTable& table, std::string_view name, std::int16_t result);

// Sets every entry to the default; last_name stays.
void reset_scores(ScoreTable& table);

// Called after every insert_score and reset_scores to show the table again. Empty by default.
void set_score_panel_redraw(std::function<void()> redraw);

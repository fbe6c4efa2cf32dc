// The score file "Scores.qelm" in the working directory: the name entered last, then 13 lines
// of name "|" result, every line ending in CR LF.
#include "scores/score_file.h"

#include "runtime/text.h"
#include "runtime/text_file.h"

#include <string>

namespace {

// Whatever the file holds, loading reads a bounded amount: lines are cut at 64 KiB, and reading
// stops after room for 14 such lines, as if the file ended there.
constexpr std::size_t longest_score_line = 64 * 1024;
constexpr std::uint64_t score_file_read_allowance = 15 * longest_score_line;

std::int16_t low_16_bits(std::int32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

// Reads up to 13 entries into the table; returns how many were read.
int read_entries(TextFile& file, ScoreTable& table) {
    int count = 0;
    while (count < score_entry_count && !at_end_of_file(file)) {
        std::string line = read_line(file, longest_score_line);
        table.names[count] = string_field(line, 1, "|");
        table.results[count] = low_16_bits(parse_int(string_field(line, 2, "|")));
        ++count;
    }
    return count;
}

// The whole file, made in memory so that it reaches the disk in one piece.
std::string file_bytes(const ScoreTable& table) {
    std::string bytes = table.last_name + "\r\n";
    for (int i = 0; i < score_entry_count; ++i) {
        bytes += table.names[i] + "|" + format_int(table.results[i]) + "\r\n";
    }
    return bytes;
}

}  // namespace

void load_scores(ScoreTable& table) {
    int count = 0;
    if (std::optional<TextFile> file = open_for_reading(score_file_name)) {
        file->read_allowance = score_file_read_allowance;
        table.last_name = read_line(*file, longest_score_line);
        count = read_entries(*file, table);
        close_file(*file);
    }
    for (; count < score_entry_count; ++count) {
        table.names[count] = default_score_name;
        table.results[count] = default_score_result;
    }
    table.modified = false;
}

platform::FileError save_scores(const ScoreTable& table) {
    if (!table.modified) {
        return platform::FileError::none;
    }
    return platform::replace_file_contents(score_file_name, file_bytes(table));
}

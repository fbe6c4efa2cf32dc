// The score file "Scores.qelm" in the working directory: the name entered last, then 13 lines
// of name "|" result, every line ending in CR LF.
#pragma once

#include "platform/files.h"
#include "scores/score_table.h"

inline constexpr const char* score_file_name = "Scores.qelm";

// Reads the table from the score file. Entries the file does not give (no file, a short file)
// get the default; last_name keeps its value when there is no file. Clears `modified`.
void load_scores(ScoreTable& table);

// Writes the table when it was modified; an unmodified table is not written and gives none. The
// new file replaces the old one only once it is written whole; on a failure the old file stays
// as it was and the error says why (a link named "Scores.qelm" stays a link and the file it
// names is written).
platform::FileError save_scores(const ScoreTable& table);

// Test helper: boards written as pictures of their lower rows, and their columns written as
// letters.
#pragma once

#include "game/board.h"

#include <string>
#include <string_view>
#include <vector>

// The picture's first line is its top row and its last line row 0; "." is empty, digits are codes.
// Rows above the picture are empty.
inline BoardRecord board_from_picture(const std::vector<std::string>& lines) {
    BoardRecord board;
    int row = static_cast<int>(lines.size()) - 1;
    for (const std::string& line : lines) {
        for (int column = 0; column < static_cast<int>(line.size()); ++column) {
            board.cells[cell_index(column, row)] =
                static_cast<std::int8_t>(line[column] == '.' ? 0 : line[column] - '0');
        }
        --row;
    }
    return board;
}

// The lowest `row_count` rows, in the form board_from_picture takes, each 14 characters wide.
inline std::vector<std::string> picture_of(const BoardRecord& board, int row_count) {
    std::vector<std::string> lines;
    for (int row = row_count - 1; row >= 0; --row) {
        std::string line;
        for (int column = 0; column < board_columns; ++column) {
            std::int8_t code = board.cells[cell_index(column, row)];
            line.push_back(code == 0 ? '.' : static_cast<char>('0' + code));
        }
        lines.push_back(line);
    }
    return lines;
}

// Columns as letters: letter k ("A" is 0) is a column of k + 1 bricks, "." an empty column, so
// that each column can be followed through the shifts.
inline BoardRecord board_from_columns(std::string_view letters) {
    BoardRecord board;
    for (int column = 0; column < board_columns; ++column) {
        if (letters[column] == '.') {
            continue;
        }
        for (int row = 0; row <= letters[column] - 'A'; ++row) {
            board.cells[cell_index(column, row)] = static_cast<std::int8_t>(1 + row % 4);
        }
    }
    return board;
}

inline std::string columns_of(const BoardRecord& board) {
    std::string letters;
    for (int column = 0; column < board_columns; ++column) {
        int height = 0;
        while (height < board_rows && board.cells[cell_index(column, height)] != 0) {
            ++height;
        }
        letters.push_back(height == 0 ? '.' : static_cast<char>('A' + height - 1));
    }
    return letters;
}

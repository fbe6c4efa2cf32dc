// Where things sit on the 700 x 550 window, as the pictures must match them.
#pragma once

#include <QPoint>
#include <QRect>
#include <array>

namespace layout {

constexpr int window_width = 700;
constexpr int window_height = 550;

// The board's well, (23, 22) to (441, 500) right and bottom exclusive; the board of 14 x 16
// cells of 29 pixels sits in it at (30, 31).
inline const QRect well{23, 22, 418, 478};
inline const QPoint board_origin{30, 31};
constexpr int cell_size = 29;
constexpr int board_columns = 14;
constexpr int board_rows = 16;

// The panel behind the attempt chart, and the chart's bars: 6 pixels wide at x = 480 + 10 i,
// from y = 140 up to at most y = 94.
inline const QRect chart_panel{463, 79, 195, 71};
constexpr int chart_bar_x = 480;
constexpr int chart_bar_step = 10;
constexpr int chart_bar_bottom = 140;
constexpr int chart_bar_tallest = 46;

// The panel behind the score table: 13 rows from y = 175, 20 pixels apart, names at x = 475 and
// results at x = 620.
inline const QRect score_panel{463, 163, 195, 284};
constexpr int score_rows = 13;
constexpr int score_row_top = 175;
constexpr int score_row_step = 20;
constexpr int score_name_x = 475;
constexpr int score_result_x = 620;

// The title stays above the chart panel, between these columns.
constexpr int title_left = 463;
constexpr int title_right = 658;
constexpr int title_bottom = 75;

constexpr int button_width = 36;
constexpr int button_height = 34;

enum class ButtonSymbol { cross, dash, grid, unequal, question };

struct ButtonPlace {
    const char* hover_picture;  // the resource name of its lit face
    ButtonSymbol symbol;
    QPoint top_left;
};

inline const std::array<ButtonPlace, 5> buttons{{
    {"BF", ButtonSymbol::cross, {619, 470}},     // close
    {"BM", ButtonSymbol::dash, {581, 465}},      // minimise
    {"BT", ButtonSymbol::grid, {467, 470}},      // new board
    {"BR", ButtonSymbol::unequal, {505, 465}},   // reset scores
    {"BA", ButtonSymbol::question, {543, 461}},  // help
}};

}  // namespace layout

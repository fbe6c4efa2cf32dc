// The board widget: creation, events, the cells and the attempt chart.
#include "game/board_widget.h"

#include <algorithm>
#include <string_view>

#include "game/turn_flow.h"
#include "panels/drawing.h"
#include "platform/messages.h"
#include "scores/score_file.h"
#include "scores/score_panel.h"
#include "widgets/host_window_proc.h"
#include "widgets/paint_frame.h"
#include "widgets/shared_graphics.h"
#include "widgets/widget.h"

namespace msg = platform::msg;

std::array<platform::Image*, 6> cell_images{};

namespace {

constexpr float board_font_size = 14.0f;
// The cursor: a white frame two pixels wide between two dark lines, inside the cell's square,
// so that it shows on every brick, on the ball and on the empty well.
constexpr platform::Argb cursor_light = 0xFFFFFFFF;
constexpr platform::Argb cursor_dark = 0xFF101010;
constexpr std::array<std::string_view, 6> cell_picture_names{"", "B1", "B2", "B3", "B4", "B5"};

// The chart of the attempts, right of the board, and its bars.
constexpr platform::Rect chart_area{475, 75, 660, 150};
constexpr std::int32_t chart_first_bar_x = 480;
constexpr std::int32_t chart_bar_spacing = 10;
constexpr std::int32_t chart_baseline_y = 140;
constexpr std::int32_t chart_tallest_bar = 46;
constexpr float chart_bar_width = 6.0f;
constexpr platform::Argb chart_bar_colour = 0xFF333333;

void load_cell_images() {
    for (std::size_t code = 1; code < cell_images.size(); ++code) {
        load_png_resource(cell_picture_names[code], cell_images[code]);
    }
}

void release_board_resources(Widget& widget) {
    release_widget_font(widget);
    for (platform::Image*& image : cell_images) {
        if (image != nullptr) {
            platform::image_dispose(image);
            image = nullptr;
        }
    }
}

// Row 15 at the top, row 0 at the bottom; row by row from the top, left to right.
void draw_cells(const BoardRecord& board, const Widget& widget) {
    std::int32_t row = board_rows - 1;
    for (std::int32_t py = widget.y; py <= widget.y + (board.rows - 1) * cell_size;
         py += cell_size, --row) {
        std::int32_t column = 0;
        for (std::int32_t px = widget.x; px <= widget.x + (board.columns - 1) * cell_size;
             px += cell_size, ++column) {
            const std::int8_t code = board.cells[cell_index(column, row)];
            if (code >= 1 && code <= 5) {
                platform::draw_image(shared_graphics, cell_images[code], px, py, cell_size,
                                     cell_size);
            }
        }
    }
}

// A square ring `thickness` pixels wide whose outer edge is the square at (x, y) of that size.
void draw_ring(std::int32_t x, std::int32_t y, std::int32_t size, std::int32_t thickness,
               platform::Argb colour) {
    platform::fill_rectangle(shared_graphics, colour, x, y, size, thickness);
    platform::fill_rectangle(shared_graphics, colour, x, y + size - thickness, size, thickness);
    platform::fill_rectangle(shared_graphics, colour, x, y, thickness, size);
    platform::fill_rectangle(shared_graphics, colour, x + size - thickness, y, thickness, size);
}

void draw_key_cursor(const BoardRecord& board, const Widget& widget) {
    if (!board.cursor.shown) {
        return;
    }
    const std::int32_t x = widget.x + board.cursor.column * cell_size;
    const std::int32_t y = widget.y + (board_rows - 1 - board.cursor.row) * cell_size;
    draw_ring(x, y, cell_size, 1, cursor_dark);
    draw_ring(x + 1, y + 1, cell_size - 2, 2, cursor_light);
    draw_ring(x + 3, y + 3, cell_size - 6, 1, cursor_dark);
}

// Moves the shown cursor by one cell, stopping at the edges; the first arrow only shows it.
void move_key_cursor(BoardRecord& board, int dx, int dy) {
    KeyCursor& cursor = board.cursor;
    if (cursor.shown) {
        cursor.column = std::clamp(cursor.column + dx, 0, board_columns - 1);
        cursor.row = std::clamp(cursor.row + dy, 0, board_rows - 1);
    }
    cursor.shown = true;
    update_board_now(board);
}

void play_key_cursor(BoardRecord& board, std::int32_t lparam) {
    if (platform::is_key_repeat(lparam)) {
        return;
    }
    if (!board.cursor.shown) {
        board.cursor.shown = true;
        update_board_now(board);
        return;
    }
    play_cell(board, board.cursor.column, board.cursor.row);
}

// The pointer left the board: coming back to the very point it left from is a move again.
void forget_pointer(BoardRecord& board) {
    board.cursor.pointer_x = -1;
    board.cursor.pointer_y = -1;
}

// The pointer on the board hides the cursor until the next arrow: the mouse is being used.
void follow_pointer(BoardRecord& board, std::int32_t lparam) {
    const platform::Point point = platform::point_from_lparam(lparam);
    KeyCursor& cursor = board.cursor;
    if (point.x == cursor.pointer_x && point.y == cursor.pointer_y) {
        return;
    }
    cursor.pointer_x = point.x;
    cursor.pointer_y = point.y;
    if (!cursor.shown) {
        return;
    }
    cursor.shown = false;
    // Under the help panel the board is not drawn; hiding the panel draws it.
    if (!help_panel_shown()) {
        update_board_now(board);
    }
}

std::int16_t worst_attempt(const BoardRecord& board) {
    std::int16_t worst = 0;
    for (int i = 0; i < board.attempt_count; ++i) {
        worst = std::max(worst, board.attempt_results[i]);
    }
    return worst;
}

void draw_chart_bars(const BoardRecord& board) {
    const std::int32_t worst = worst_attempt(board);
    if (worst == 0) {
        return;
    }
    for (int i = 0; i < board.attempt_count; ++i) {
        const std::int32_t x = chart_first_bar_x + chart_bar_spacing * i;
        const std::int32_t height = (chart_tallest_bar * board.attempt_results[i]) / worst;
        platform::draw_line(shared_graphics, chart_bar_colour, chart_bar_width,
                            {x, chart_baseline_y - height}, {x, chart_baseline_y});
    }
}

}  // namespace

Registry<BoardRecord>& board_list() {
    static Registry<BoardRecord> list;
    return list;
}

BoardRecord* create_board_widget(std::int32_t parent_id, std::int32_t id, std::int32_t x,
                                 std::int32_t y, std::int32_t columns, std::int32_t rows) {
    BoardRecord& board = board_list().append();
    Widget* widget = widget_new_for(parent_id, id, widget_kind::board, &board);
    board.widget = widget;
    // The font of the score panel, which the board draws: one line per entry, however long
    // the name.
    give_widget_font(*widget, board_font_size, platform::FontStyle::bold,
                     platform::StringAlignment::near);
    platform::string_format_set_wrapping(widget->string_format, platform::StringWrapping::none);
    widget->x = x;
    widget->y = y;
    board.columns = static_cast<std::int8_t>(columns);
    board.rows = static_cast<std::int8_t>(rows);
    board.redraw = true;
    generate_board(board);
    place_widget(*widget, x, y, columns * cell_size, rows * cell_size);
    widget->state = widget_state::normal;
    widget->callback = board_callback;
    load_scores(board.scores);
    BoardRecord* record = &board;
    set_score_panel_redraw([record] { draw_score_panel(*record, true); });
    return record;
}

void paint_board(BoardRecord& board, std::uint32_t direct, std::int32_t new_state) {
    Widget& widget = *board.widget;
    if (new_state != 0) {
        widget.state = static_cast<std::uint8_t>(new_state);
    }
    // Before the window's first paint there is no canvas: the redraw stays pending for it.
    paint_pending(widget, board.redraw, direct, widget.rect, [&] {
        draw_cells(board, widget);
        draw_key_cursor(board, widget);
        if (direct == paint_event::compose) {
            // Composed on a new canvas: the scores and the chart too.
            draw_score_panel(board, false);
            draw_chart_bars(board);
        }
    });
}

void draw_attempt_chart(BoardRecord& board) {
    paint_frame(*board.widget, paint_event::direct, chart_area, [&] { draw_chart_bars(board); });
}

void update_board_now(BoardRecord& board) {
    board.redraw = true;
    board_callback(&board, msg::paint, paint_event::direct, 0);
}

bool help_panel_shown() {
    return widget_state_of(help_panel_id) != widget_state::hidden;
}

bool cell_at_point(const BoardRecord& board, platform::Point point, int& column, int& row) {
    const std::int32_t dx = point.x - board.widget->x;
    const std::int32_t dy = point.y - board.widget->y;
    // The board only hears of presses inside its rectangle, but a stale hover could bring one
    // from elsewhere: it must never reach the rules.
    if (dx < 0 || dy < 0 || dx >= board_columns * cell_size || dy >= board_rows * cell_size) {
        return false;
    }
    column = dx / cell_size;
    row = (board_rows - 1) - dy / cell_size;
    return true;
}

void play_turn(BoardRecord& board, std::int32_t lparam) {
    int column = 0;
    int row = 0;
    if (cell_at_point(board, platform::point_from_lparam(lparam), column, row)) {
        play_cell(board, column, row);
    }
}

bool board_key_down(BoardRecord& board, std::uint32_t key, std::int32_t lparam) {
    const bool ours = key == platform::vk::left || key == platform::vk::right ||
                      key == platform::vk::up || key == platform::vk::down ||
                      key == platform::vk::space || key == platform::vk::enter;
    if (!ours || help_panel_shown() || turn_in_progress()) {
        return ours;
    }
    switch (key) {
        case platform::vk::left:
            move_key_cursor(board, -1, 0);
            break;
        case platform::vk::right:
            move_key_cursor(board, 1, 0);
            break;
        case platform::vk::up:
            move_key_cursor(board, 0, 1);
            break;
        case platform::vk::down:
            move_key_cursor(board, 0, -1);
            break;
        default:
            play_key_cursor(board, lparam);
            break;
    }
    return true;
}

std::int32_t board_callback(void* self, std::uint32_t event, std::uint32_t wparam,
                            std::int32_t lparam) {
    auto& board = *static_cast<BoardRecord*>(self);
    switch (event) {
        case msg::create:
            load_cell_images();
            break;
        case msg::destroy:
            release_board_resources(*board.widget);
            break;
        case msg::paint:
            if (wparam == paint_event::direct && lparam == paint_event::leave) {
                forget_pointer(board);
            }
            paint_board(board, wparam, lparam);
            break;
        case msg::lbutton_down:
            play_turn(board, lparam);
            break;
        case msg::mouse_move:
            follow_pointer(board, lparam);
            break;
        default:
            break;
    }
    return 0;
}

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
#include "widgets/shared_graphics.h"
#include "widgets/widget.h"

namespace msg = platform::msg;

std::array<platform::Image*, 6> cell_images{};

namespace {

constexpr float board_font_size = 14.0f;
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
    if (!board.redraw) {
        return;
    }
    widget_host(widget);
    if (direct != 0) {
        // Before the window's first paint there is no canvas: the redraw stays pending for it.
        if (!begin_direct_update(widget)) {
            return;
        }
        erase_to_background(*widget.host, widget.rect);
    }
    draw_cells(board, widget);
    if (direct != 0) {
        end_direct_update(widget);
    } else {
        // Composed on a new canvas: the scores and the chart too.
        draw_score_panel(board, false);
        draw_chart_bars(board);
    }
    board.redraw = false;
}

void draw_attempt_chart(BoardRecord& board) {
    Widget& widget = *board.widget;
    if (!begin_direct_update(widget)) {
        return;
    }
    erase_to_background(*widget.host, chart_area);
    draw_chart_bars(board);
    end_direct_update(widget);
}

void update_board_now(BoardRecord& board) {
    board.redraw = true;
    board_callback(&board, msg::paint, paint_event::direct, 0);
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
            paint_board(board, wparam, lparam);
            break;
        case msg::lbutton_down:
            play_turn(board, lparam);
            break;
        default:
            break;
    }
    return 0;
}

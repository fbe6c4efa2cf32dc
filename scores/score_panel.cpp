// The score panel's rows: name and result, each laid over four faint copies one pixel off.
#include "scores/score_panel.h"

#include <array>
#include <string>
#include <string_view>

#include "panels/drawing.h"
#include "runtime/text.h"
#include "widgets/paint_frame.h"
#include "widgets/shared_graphics.h"
#include "widgets/widget.h"

namespace {

constexpr platform::Rect panel_area{475, 175, 660, 480};
constexpr std::int32_t first_row_y = 175;
constexpr std::int32_t last_row_y = 420;
constexpr std::int32_t row_spacing = 20;
constexpr std::int32_t name_x = 475;
constexpr std::int32_t result_x = 620;
constexpr std::int32_t name_width = result_x - 4 - name_x;
constexpr platform::Argb glow_colour = 0x20F0F0F0;
constexpr platform::Argb text_colour = 0xFFFFFFFF;

struct Offset {
    std::int32_t dx;
    std::int32_t dy;
};
constexpr std::array<Offset, 4> glow_offsets{{{1, -1}, {-1, 1}, {-1, -1}, {1, 1}}};

void draw_glowing(const Widget& widget, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::string_view text) {
    for (const Offset& offset : glow_offsets) {
        draw_widget_string_in_width(widget, x + offset.dx, y + offset.dy, width, text, glow_colour);
    }
    draw_widget_string_in_width(widget, x, y, width, text, text_colour);
}

// A name is one line that ends before the result's column, so that a long one (the name dialog
// takes 32,767 characters) neither covers the result nor runs down over the rows below. That
// line cannot show more characters than it has pixels: the rest is never laid out.
std::string_view visible_part(const std::string& name) {
    return std::string_view(name).substr(0, name_width);
}

void draw_rows(const BoardRecord& board, const Widget& widget) {
    const std::int32_t result_width = widget.width - 15;
    int entry = 0;
    for (std::int32_t y = first_row_y; y <= last_row_y; y += row_spacing, ++entry) {
        draw_glowing(widget, name_x, y, name_width, visible_part(board.scores.names[entry]));
        draw_glowing(widget, result_x, y, result_width, format_int(board.scores.results[entry]));
    }
}

}  // namespace

void draw_score_panel(BoardRecord& board, bool direct) {
    Widget& widget = *board.widget;
    // Before the window's first paint there is nothing to draw on; that paint shows the table as
    // it is then.
    paint_frame(widget, direct ? paint_event::direct : paint_event::compose, panel_area,
                [&] { draw_rows(board, widget); });
}

// The score panel's rows: name and result, each laid over four faint copies one pixel off.
#include "scores/score_panel.h"

#include <array>
#include <string>

#include "panels/drawing.h"
#include "runtime/text.h"
#include "widgets/shared_graphics.h"
#include "widgets/widget.h"

namespace {

constexpr platform::Rect panel_area{475, 175, 660, 480};
constexpr std::int32_t first_row_y = 175;
constexpr std::int32_t last_row_y = 420;
constexpr std::int32_t row_spacing = 20;
constexpr std::int32_t name_x = 475;
constexpr std::int32_t result_x = 620;
constexpr platform::Argb glow_colour = 0x20F0F0F0;
constexpr platform::Argb text_colour = 0xFFFFFFFF;

struct Offset {
    std::int32_t dx;
    std::int32_t dy;
};
constexpr std::array<Offset, 4> glow_offsets{{{1, -1}, {-1, 1}, {-1, -1}, {1, 1}}};

void draw_glowing(const Widget& widget, std::int32_t x, std::int32_t y, const std::string& text) {
    for (const Offset& offset : glow_offsets) {
        draw_widget_string(widget, x + offset.dx, y + offset.dy, text, glow_colour);
    }
    draw_widget_string(widget, x, y, text, text_colour);
}

void draw_rows(const BoardRecord& board, const Widget& widget) {
    int entry = 0;
    for (std::int32_t y = first_row_y; y <= last_row_y; y += row_spacing, ++entry) {
        draw_glowing(widget, name_x, y, board.scores.names[entry]);
        draw_glowing(widget, result_x, y, format_int(board.scores.results[entry]));
    }
}

}  // namespace

void draw_score_panel(BoardRecord& board, bool direct) {
    Widget& widget = *board.widget;
    if (direct) {
        // Before the window's first paint there is nothing to draw on; that paint shows the
        // table as it is then.
        if (!begin_direct_update(widget)) {
            return;
        }
        erase_to_background(*widget.host, panel_area);
    }
    draw_rows(board, widget);
    if (direct) {
        end_direct_update(widget);
    }
}

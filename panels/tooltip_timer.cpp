// The tooltip state machine, driven by the host window's timer rather than by mouse messages.
#include "panels/tooltip_timer.h"

#include <limits>

#include "panels/tooltip.h"
#include "panels/tooltip_window.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "widgets/widget.h"

namespace {

constexpr std::int32_t below_cursor = 20;
constexpr std::int32_t right_edge_gap = 8;

void close_tooltip(TooltipState& state) {
    state.shown = 0;
    platform::send_message(state.hwnd, platform::msg::close, 0, 0);
}

// The count stops at its top instead of overflowing: far past any tooltip's end, it no longer
// matters how far.
void count_hover_step(TooltipState& state) {
    constexpr std::int32_t step = static_cast<std::int32_t>(tooltip_tick_ms);
    if (state.hover_time <= std::numeric_limits<std::int32_t>::max() - step) {
        state.hover_time += step;
    }
}

// The cursor rests on the same widget as at the last tick.
void on_same_widget(TooltipState& state, HostWindow& host, platform::Point cursor) {
    count_hover_step(state);
    const Tooltip* tooltip = tooltip_find(state.last_hover_id);
    if (tooltip == nullptr) {
        return;
    }
    if (tooltip->show_at <= state.hover_time && state.hover_time <= tooltip->hide_at) {
        if (state.shown == 0) {
            state.shown = 1;
            tooltip_place(cursor);
            // Runs until the tooltip window is gone; the ticks meanwhile are nested calls, and
            // this outer call must not touch the state afterwards.
            tooltip_open(cursor.x, cursor.y, host);
        }
    } else if (state.shown == 1) {
        close_tooltip(state);
    }
}

// The cursor moved to another widget (or to none): the count starts again. An open tooltip
// follows it to a widget that has one, without closing in between.
void on_new_widget(TooltipState& state, const HostWindow& host, platform::Point cursor) {
    state.last_hover_id = host.hover_id;
    state.hover_time = 0;
    if (state.shown == 0) {
        return;
    }
    if (tooltip_retarget(state.last_hover_id, state.hover_time) != 0) {
        tooltip_place(cursor);
        platform::move_window(state.hwnd, cursor);
        platform::invalidate_window(state.hwnd);
    } else {
        close_tooltip(state);
    }
}

}  // namespace

void tooltip_tick(platform::WindowHandle window, std::uint32_t, std::uint32_t, std::uint32_t) {
    HostWindow* host = host_of(window);
    if (host == nullptr || platform::focus_window() == 0) {
        return;
    }
    const platform::Point cursor = platform::cursor_position();
    TooltipState& state = tooltip_state();
    if (host->hover_id == state.last_hover_id) {
        on_same_widget(state, *host, cursor);
    } else {
        on_new_widget(state, *host, cursor);
    }
}

void tooltip_place(platform::Point& point) {
    const platform::Size screen = platform::screen_size();
    const platform::Size size = tooltip_state().size;
    if (point.x + size.cx > screen.cx) {
        point.x = screen.cx - size.cx - right_edge_gap;
    }
    if (point.y + size.cy + below_cursor > screen.cy) {
        point.y = screen.cy - size.cy - below_cursor;
    } else {
        point.y += below_cursor;
    }
}

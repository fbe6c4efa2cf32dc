// The tooltip state machine, driven by the host window's timer rather than by mouse messages.
#include "panels/tooltip_timer.h"

#include <limits>

#include "panels/tooltip.h"
#include "panels/tooltip_window.h"
#include "platform/clock.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "widgets/widget.h"

namespace {

constexpr std::int32_t below_cursor = 20;
constexpr std::int32_t right_edge_gap = 8;

// The timer stops while nothing can need it, so that the idle game does not wake ten times a
// second, and starts again in step with the ticks it would have had.
struct TimerRhythm {
    bool stopped = false;
    bool realigning = false;  // the tick to come is off the period, which it then resumes
    std::uint32_t last_tick = 0;
};

TimerRhythm& rhythm() {
    static TimerRhythm timer_rhythm;
    return timer_rhythm;
}

// No tooltip is up or can come without the pointer moving first.
bool nothing_to_wait_for(const TooltipState& state, const HostWindow& host) {
    if (state.shown != 0 || host.hover_id != state.last_hover_id) {
        return false;
    }
    const Tooltip* tooltip = tooltip_find(state.last_hover_id);
    return tooltip == nullptr || state.hover_time > tooltip->hide_at;
}

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

void tooltip_timer_start(platform::WindowHandle window) {
    rhythm() = TimerRhythm{.last_tick = platform::tick_count()};
    if (HostWindow* host = host_of(window)) {
        host->pointer_moved = tooltip_timer_wake;
    }
    platform::set_timer(window, 0, tooltip_tick_ms, tooltip_tick);
}

void tooltip_timer_wake(platform::WindowHandle window) {
    TimerRhythm& timer = rhythm();
    if (!timer.stopped) {
        return;
    }
    timer.stopped = false;
    // A tick due at this very moment counts as come before the move: it would have found nothing
    // to do either way.
    const std::uint32_t phase = (platform::tick_count() - timer.last_tick) % tooltip_tick_ms;
    timer.realigning = phase != 0;
    platform::set_timer(window, 0, tooltip_tick_ms - phase, tooltip_tick);
}

void tooltip_tick(platform::WindowHandle window, std::uint32_t, std::uint32_t, std::uint32_t) {
    TimerRhythm& timer = rhythm();
    timer.last_tick = platform::tick_count();
    if (timer.realigning) {
        timer.realigning = false;
        platform::set_timer(window, 0, tooltip_tick_ms, tooltip_tick);
    }
    HostWindow* host = host_of(window);
    if (host == nullptr || platform::focus_window() == 0) {
        return;
    }
    TooltipState& state = tooltip_state();
    if (nothing_to_wait_for(state, *host)) {
        platform::kill_timer(window, 0);
        timer.stopped = true;
        return;
    }
    const platform::Point cursor = platform::cursor_position();
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

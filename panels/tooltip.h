// Tooltip records: the text each widget shows on hover, and the one state the tooltip timer and
// the tooltip window share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"
#include "platform/window.h"
#include "widgets/registry.h"

struct Tooltip {
    std::int32_t widget_id = 0;
    platform::RectF text_box;  // the laid-out text, written by every paint of this tooltip
    std::string text;          // Windows-1252; a line feed starts a second line
    std::int32_t show_at = 0;  // hover time (ms) from which the tooltip is up
    std::int32_t hide_at = 0;  // hover time (ms) after which it is closed
};

// At most one tooltip window exists at a time; this is its state and the hover count.
struct TooltipState {
    platform::WindowHandle hwnd = 0;  // 0 while no tooltip window exists
    platform::Size size;              // measured at every paint; 100 × 20 at creation
    std::int32_t margin = 0;
    std::int32_t hover_time = 0;  // how long the same widget has been seen, in steps of 100 ms
    std::int32_t last_hover_id = 0;
    std::uint8_t shown = 0;  // 1 while a tooltip is meant to be up
    platform::Point src_origin;
    platform::BlendFunction blend{
        .operation = 0, .flags = 0, .constant_alpha = 0, .alpha_format = 0};
};

Registry<Tooltip>& tooltip_list();
TooltipState& tooltip_state();

// Attaches a tooltip to a widget: shown after `delay` ms of hover, for `duration` ms. The text is
// copied. Returns 0.
std::int32_t tooltip_add(std::int32_t widget_id, std::string_view text, std::int32_t delay,
                         std::int32_t duration);
// The first tooltip attached to the widget, or null. Later ones for the same id are never used.
Tooltip* tooltip_find(std::int32_t widget_id);
// When the widget has a tooltip, sets hover_time to its delay and returns 1; else returns 0 and
// leaves hover_time alone.
std::int32_t tooltip_retarget(std::int32_t widget_id, std::int32_t& hover_time);

// Forgets every tooltip and zeroes the state: a fresh start of the program (and of each test).
void reset_tooltips();

// The tooltip's picture: its text in a pale yellow box with a dark border, drawn on a fixed
// off-screen canvas and shown at the size the text needs.
#include <cmath>

#include "panels/drawing.h"
#include "panels/tooltip.h"
#include "panels/tooltip_window.h"
#include "platform/window.h"
#include "widgets/shared_graphics.h"

namespace {

constexpr std::int32_t canvas_side = 300;
constexpr std::int32_t text_size = 12;
constexpr platform::Argb fill_colour = 0xE5FFFFBB;
constexpr platform::Argb ink_colour = 0xFF222222;
constexpr std::uint8_t near_alignment = 0;
constexpr std::uint8_t regular_style = 0;

// Halves go to the even neighbour (the default rounding mode of the floating-point unit).
std::int32_t round_half_even(float value) {
    return static_cast<std::int32_t>(std::lrint(value));
}

void draw_border(std::int32_t width, std::int32_t height) {
    const std::int32_t right = width - 1;
    const std::int32_t bottom = height - 1;
    platform::draw_line(shared_graphics, ink_colour, 1.0f, {0, 0}, {right, 0});
    platform::draw_line(shared_graphics, ink_colour, 1.0f, {right, 0}, {right, bottom});
    platform::draw_line(shared_graphics, ink_colour, 1.0f, {0, bottom}, {right, bottom});
    platform::draw_line(shared_graphics, ink_colour, 1.0f, {0, bottom}, {0, 0});
}

// Measures the text, sizes the tooltip to it and draws box, border and text.
void draw_tooltip(Tooltip& tooltip, TooltipState& state) {
    measure_text(tooltip.text, text_size, tooltip.text_box, near_alignment, regular_style);
    const auto twice_margin = static_cast<float>(2 * state.margin);
    const std::int32_t width = round_half_even(tooltip.text_box.width + twice_margin);
    const std::int32_t height = round_half_even(tooltip.text_box.height + twice_margin);
    state.size = {width, height};
    platform::fill_rectangle(shared_graphics, fill_colour, 0, 0, width, height);
    draw_border(width, height);
    const auto margin = static_cast<float>(state.margin);
    draw_text_box(margin, margin, static_cast<float>(width), static_cast<float>(height),
                  tooltip.text, text_size, ink_colour, near_alignment, regular_style);
}

}  // namespace

void tooltip_paint(platform::WindowHandle window) {
    platform::begin_paint(window);
    const HostWindow* host = host_of(window);
    Tooltip* tooltip = host != nullptr ? tooltip_find(host->hover_id) : nullptr;
    // The hovered widget may have changed since the last tick and have no tooltip: the next tick
    // moves or closes this window, so the picture shown stays until then.
    if (tooltip != nullptr) {
        TooltipState& state = tooltip_state();
        const std::int32_t scale = platform::canvas_scale_for(platform::window_pixel_ratio(window));
        platform::Canvas* canvas = platform::canvas_create(canvas_side, canvas_side, scale);
        bind_shared_graphics(canvas);
        draw_tooltip(*tooltip, state);
        release_shared_graphics();
        platform::update_layered_window(window, canvas, state.size, state.src_origin, state.blend);
        platform::canvas_delete(canvas);
    }
    platform::end_paint(window);
}

// The tooltip window's class, its creation with its own message loop, and its procedure.
#include "panels/tooltip_window.h"

#include <string>

#include "panels/tooltip.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "runtime/text.h"

namespace msg = platform::msg;

namespace {

constexpr std::uint32_t tooltip_class_style = 0x2003;  // byte-aligned, redrawn on resize
constexpr std::uint32_t tooltip_ex_style =
    platform::ex_style::layered | platform::ex_style::tool_window | platform::ex_style::topmost;
constexpr std::uint32_t tooltip_style = platform::style::popup | platform::style::visible |
                                        platform::style::clip_siblings |
                                        platform::style::clip_children;
constexpr platform::Size created_size{100, 20};
constexpr std::int32_t tooltip_margin = 2;

bool ensure_tooltip_class() {
    if (platform::window_class_exists(tooltip_class)) {
        return true;
    }
    return platform::register_window_class({.name = std::string(tooltip_class),
                                            .procedure = tooltip_window_proc,
                                            .class_style = tooltip_class_style});
}

}  // namespace

std::int32_t tooltip_open(std::int32_t x, std::int32_t y, HostWindow& host) {
    TooltipState& state = tooltip_state();
    if (state.hwnd != 0) {
        return 0;
    }
    if (!ensure_tooltip_class()) {
        return -1;
    }
    state.size = created_size;
    state.margin = tooltip_margin;
    state.blend = {.operation = 0, .flags = 0, .constant_alpha = 255, .alpha_format = 1};
    state.hwnd = platform::create_window({.ex_style = tooltip_ex_style,
                                          .class_name = std::string(tooltip_class),
                                          .text = to_wide(tooltip_class),  // named after its class
                                          .style = tooltip_style,
                                          .x = x,
                                          .y = y,
                                          .width = created_size.cx,
                                          .height = created_size.cy,
                                          .parent = host.hwnd});
    // Without a window, nothing but the game's own quit request would end the loop below.
    if (state.hwnd == 0) {
        return -1;
    }
    platform::set_window_property(state.hwnd, host_property, &host);
    platform::invalidate_window(state.hwnd);
    // The window does not end its loop with a quit request: a box or dialog opened on top of
    // the loop (a click on the board while the tooltip is up can end the game) would take that
    // request for the program's end and close at once.
    const platform::WindowHandle tooltip = state.hwnd;
    platform::run_nested_loop([tooltip] { return !platform::is_window(tooltip); });
    return 0;
}

std::int32_t tooltip_window_proc(platform::WindowHandle window, std::uint32_t message,
                                 std::uint32_t wparam, std::int32_t lparam) {
    switch (message) {
        case msg::close:
            platform::destroy_window(window);
            break;
        case msg::destroy:
            tooltip_state().hwnd = 0;
            break;
        case msg::paint:
            tooltip_paint(window);
            break;
        default:
            break;
    }
    return platform::default_window_proc(window, message, wparam, lparam);
}

// The host window: its class, its record with the start values, the window and the loop.
#include "app/host_window_run.h"

#include <string>

#include "panels/drawing.h"
#include "panels/tooltip_timer.h"
#include "platform/message_queue.h"
#include "runtime/text.h"
#include "widgets/widget.h"

namespace {

constexpr std::uint32_t host_class_style = 0x2003;  // byte-aligned, redrawn on resize
constexpr std::uint32_t host_ex_style =
    platform::ex_style::layered | platform::ex_style::tool_window | platform::ex_style::topmost;
constexpr std::uint32_t host_style = platform::style::popup | platform::style::visible |
                                     platform::style::clip_siblings |
                                     platform::style::clip_children;
// The board area of the background picture: a press there never drags the window.
constexpr platform::Rect board_drag_guard{23, 22, 441, 500};

bool ensure_host_class(platform::WindowProc procedure) {
    if (platform::window_class_exists(host_window_class)) {
        return true;
    }
    return platform::register_window_class({.name = std::string(host_window_class),
                                            .procedure = procedure,
                                            .class_style = host_class_style,
                                            .arrow_cursor = true});
}

HostWindow& new_host_record(std::int32_t id, std::int32_t width, std::int32_t height,
                            std::string_view background, std::int32_t centre) {
    HostWindow& host = host_list().append();
    host.id = id;
    if (centre == 1) {
        const platform::Size screen = platform::screen_size();
        host.x = (screen.cx - width) / 2;
        host.y = (screen.cy - height) / 2;
    }
    host.background_resource = background;
    host.read_picture = read_png_resource;
    host.size = {width, height};
    host.drag_guard = board_drag_guard;
    host.blend = {.operation = 0, .flags = 0, .constant_alpha = 255, .alpha_format = 1};
    return host;
}

void run_message_loop() {
    platform::Message message;
    while (platform::get_message(message)) {
        platform::translate_message(message);
        platform::dispatch_message(message);
    }
}

}  // namespace

std::int32_t host_window_run(std::int32_t id, std::int32_t width, std::int32_t height,
                             std::string_view title, std::string_view background,
                             platform::WindowProc procedure, std::int32_t centre) {
    if (!ensure_host_class(procedure)) {
        return 0;
    }
    HostWindow& host = new_host_record(id, width, height, background, centre);
    host.hwnd = platform::create_window({.ex_style = host_ex_style,
                                         .class_name = std::string(host_window_class),
                                         .text = to_wide(title),
                                         .style = host_style,
                                         .x = host.x,
                                         .y = host.y,
                                         .width = width,
                                         .height = height});
    if (host.hwnd == 0) {
        return 0;
    }
    platform::set_window_property(host.hwnd, host_property, &host);
    tooltip_timer_start(host.hwnd);
    platform::invalidate_window(host.hwnd);
    run_message_loop();
    return 0;
}

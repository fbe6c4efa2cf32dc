// The host window procedure: creation and destruction of the widgets, hover and capture, focus
// and keys, dragging the window by its background, the first paint's composition.
#include "widgets/host_window_proc.h"

#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "widgets/shared_graphics.h"

namespace msg = platform::msg;
using platform::WindowHandle;

namespace {

void send_to_every_widget(std::uint32_t event, std::uint32_t wparam, std::int32_t lparam) {
    auto& widgets = widget_list();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        Widget& widget = widgets[i];
        if (widget.callback != nullptr) {
            widget.callback(widget.self, event, wparam, lparam);
        }
    }
}

void call_hovered(HostWindow& host, std::uint32_t event, std::uint32_t wparam,
                  std::int32_t lparam) {
    if (host.hover_self != nullptr) {
        host.hover_callback(host.hover_self, event, wparam, lparam);
    }
}

void call_focused(HostWindow& host, std::uint32_t event, std::uint32_t wparam,
                  std::int32_t lparam) {
    if (host.focus_self != nullptr) {
        host.focus_callback(host.focus_self, event, wparam, lparam);
    }
}

void clear_hover(HostWindow& host) {
    host.hover_id = 0;
    host.hover_kind = 0;
    host.hover_self = nullptr;
    host.hover_rect = nullptr;
}

void make_hovered(HostWindow& host, Widget& widget) {
    host.hover_kind = widget.kind;
    host.hover_id = widget.id;
    host.hover_self = widget.self;
    host.hover_callback = widget.callback;
    host.hover_rect = &widget.rect;
    widget.callback(widget.self, msg::paint, paint_event::direct, paint_event::enter);
}

void make_focused_from_hover(HostWindow& host) {
    host.focus_id = host.hover_id;
    host.focus_self = host.hover_self;
    host.focus_callback = host.hover_callback;
}

void on_destroy(HostWindow* host, std::uint32_t wparam, std::int32_t lparam) {
    if (host != nullptr) {
        platform::canvas_delete(host->canvas);
        host->canvas = nullptr;
        platform::pattern_delete(host->background);
        host->background = nullptr;
        platform::image_dispose(host->background_image);
        host->background_image = nullptr;
    }
    send_to_every_widget(msg::destroy, wparam, lparam);
    platform::post_quit_message(0);
}

void on_kill_focus(WindowHandle hwnd, HostWindow& host, std::uint32_t wparam, std::int32_t lparam) {
    if (wparam != 0) {
        platform::set_focus(hwnd);
        return;
    }
    call_focused(host, msg::kill_focus, wparam, lparam);
    host.focus_id = 0;
    host.focus_self = nullptr;
    host.focus_callback = nullptr;
}

void on_mouse_move(HostWindow& host, std::uint32_t wparam, std::int32_t lparam) {
    const platform::Point point = platform::point_from_lparam(lparam);
    if (host.hover_rect == nullptr || !platform::point_in_rect(*host.hover_rect, point)) {
        if (host.hover_self != nullptr) {
            call_hovered(host, msg::paint, paint_event::direct, paint_event::leave);
            clear_hover(host);
            platform::release_capture();
        }
        if (Widget* widget = widget_hit_test(host.id, point.x, point.y)) {
            platform::set_capture(host.hwnd);
            make_hovered(host, *widget);
        }
    } else if (Widget* child = widget_hit_test(host.hover_id, point.x, point.y)) {
        call_hovered(host, msg::paint, paint_event::direct, paint_event::leave);
        make_hovered(host, *child);
    }
    call_hovered(host, msg::mouse_move, wparam, lparam);
    if (host.pointer_moved != nullptr) {
        host.pointer_moved(host.hwnd);
    }
}

// Tab moves the focus to the next tab stop after the focused widget, wrapping to the first.
void move_focus_to_next_tab_stop(HostWindow& host, std::uint32_t wparam, std::int32_t lparam) {
    const std::int32_t previous_id = host.focus_id;
    call_focused(host, msg::kill_focus, wparam, lparam);
    enum class Mode { before_current, after_first, after_current } mode = Mode::before_current;
    auto& widgets = widget_list();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        Widget& widget = widgets[i];
        if (widget.tab_stop == 0) {
            continue;
        }
        if (widget.id == previous_id) {
            mode = Mode::after_current;
        } else if (mode != Mode::after_first) {
            host.focus_id = widget.id;
            host.focus_self = widget.self;
            host.focus_callback = widget.callback;
            if (mode == Mode::after_current) {
                break;
            }
            mode = Mode::after_first;
        }
    }
    call_focused(host, msg::set_focus, wparam, lparam);
}

void on_key_down(HostWindow& host, std::uint32_t wparam, std::int32_t lparam) {
    if (wparam == platform::vk::tab) {
        if (host.focus_self != nullptr) {
            move_focus_to_next_tab_stop(host, wparam, lparam);
        }
        return;
    }
    call_focused(host, msg::key_down, wparam, lparam);
}

void on_character(WindowHandle hwnd, HostWindow& host, std::uint32_t wparam, std::int32_t lparam) {
    if (wparam == platform::vk::escape) {
        platform::send_message(hwnd, msg::close, 0, 0);
        return;
    }
    call_focused(host, msg::character, wparam, lparam);
}

void on_left_button_down(WindowHandle hwnd, HostWindow& host, std::uint32_t wparam,
                         std::int32_t lparam) {
    platform::set_focus(hwnd);
    const platform::Point point = platform::point_from_lparam(lparam);
    if (host.hover_rect == nullptr) {
        if (!platform::point_in_rect(host.drag_guard, point)) {
            platform::send_message(hwnd, msg::nc_lbutton_down, platform::hit_caption, 0);
        }
        return;
    }
    call_focused(host, msg::kill_focus, wparam, lparam);
    make_focused_from_hover(host);
    call_hovered(host, msg::lbutton_down, wparam, lparam);
    call_hovered(host, msg::set_focus, wparam, lparam);
}

// A new canvas at the scale of the window's screen, with the background picture drawn into it and
// kept as the erasing pattern; every widget is then composed on it.
void make_canvas(WindowHandle hwnd, HostWindow& host) {
    platform::canvas_delete(host.canvas);
    platform::pattern_delete(host.background);
    const std::int32_t scale = platform::canvas_scale_for(platform::window_pixel_ratio(hwnd));
    host.canvas = platform::canvas_create(host.size.cx, host.size.cy, scale);
    platform::Graphics* graphics = platform::graphics_create(host.canvas);
    platform::graphics_set_smoothing_mode(graphics, platform::SmoothingMode::high_quality);
    const bool read_now = host.background_image == nullptr && host.read_picture != nullptr;
    if (read_now) {
        host.background_image = host.read_picture(host.background_resource);
    }
    platform::draw_image(graphics, host.background_image, 0, 0, host.size.cx, host.size.cy);
    platform::graphics_delete(graphics);
    host.compose = 1;
    host.background = platform::pattern_from_canvas(host.canvas);
    // A picture of the window's size (four of it on a dense screen): read again if the screen's
    // density changes.
    if (read_now) {
        platform::image_dispose(host.background_image);
        host.background_image = nullptr;
    }
}

// The window went to a screen of another pixel ratio: a canvas of the new scale is made and
// composed from the widgets' state at once, so that the next direct update (the next step of a
// cascade under way, say) draws on a whole picture.
void on_dpi_changed(WindowHandle hwnd, HostWindow& host) {
    const std::int32_t scale = platform::canvas_scale_for(platform::window_pixel_ratio(hwnd));
    if (host.canvas == nullptr || platform::canvas_scale(host.canvas) == scale) {
        return;
    }
    make_canvas(hwnd, host);
    platform::invalidate_window(hwnd);
}

// The first paint makes the canvas and composes every visible top-level widget. Later paints
// only show the canvas again, which the widgets' direct updates keep up to date.
void on_paint(WindowHandle hwnd, HostWindow& host) {
    platform::begin_paint(hwnd);
    if (host.canvas == nullptr) {
        make_canvas(hwnd, host);
    }
    if (host.compose != 0) {
        bind_shared_graphics(host.canvas);
        erase_to_background(host, {0, 0, host.size.cx, host.size.cy});
        paint_children(host.id);
        release_shared_graphics();
        host.compose = 0;
    }
    push_canvas(host);
    platform::end_paint(hwnd);
}

}  // namespace

std::int32_t paint_children(std::int32_t parent_id) {
    auto& widgets = widget_list();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        Widget& widget = widgets[i];
        if (widget.state != widget_state::hidden && widget.parent_id == parent_id &&
            widget.callback != nullptr) {
            widget.callback(widget.self, msg::paint, paint_event::compose, 0);
        }
    }
    return 0;
}

Widget* widget_hit_test(std::int32_t parent_id, std::int32_t x, std::int32_t y) {
    auto& widgets = widget_list();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        Widget& widget = widgets[i];
        if (widget.parent_id != parent_id || widget.state == widget_state::hidden) {
            continue;
        }
        if (platform::point_in_rect(widget.rect, {x, y})) {
            return &widget;
        }
        if (Widget* child = widget_hit_test(widget.id, x, y)) {
            return child;
        }
    }
    return nullptr;
}

std::int32_t host_drop_hover(WindowHandle hwnd) {
    HostWindow* host = host_of(hwnd);
    if (host != nullptr && host->hover_self != nullptr) {
        call_hovered(*host, msg::paint, paint_event::direct, paint_event::leave);
        clear_hover(*host);
        platform::release_capture();
    }
    return 0;
}

std::int32_t host_window_proc(WindowHandle hwnd, std::uint32_t message, std::uint32_t wparam,
                              std::int32_t lparam) {
    HostWindow* host = host_of(hwnd);
    switch (message) {
        case msg::create:
            send_to_every_widget(msg::create, wparam, lparam);
            break;
        case msg::close:
            platform::destroy_window(hwnd);
            break;
        case msg::destroy:
            on_destroy(host, wparam, lparam);
            break;
        case msg::erase_background:
            return host != nullptr ? 1 : 0;
        default:
            if (host == nullptr) {
                break;
            }
            switch (message) {
                case msg::kill_focus:
                    on_kill_focus(hwnd, *host, wparam, lparam);
                    break;
                case msg::mouse_move:
                    on_mouse_move(*host, wparam, lparam);
                    break;
                case msg::key_down:
                    on_key_down(*host, wparam, lparam);
                    break;
                case msg::character:
                    on_character(hwnd, *host, wparam, lparam);
                    break;
                case msg::lbutton_down:
                    on_left_button_down(hwnd, *host, wparam, lparam);
                    break;
                case msg::paint:
                    on_paint(hwnd, *host);
                    break;
                case msg::dpi_changed:
                    on_dpi_changed(hwnd, *host);
                    break;
                default:
                    call_hovered(*host, message, wparam, lparam);
                    break;
            }
    }
    return platform::default_window_proc(hwnd, message, wparam, lparam);
}

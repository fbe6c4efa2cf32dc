// The shared Graphics and the frame of a direct update.
#include "widgets/shared_graphics.h"

#include "platform/window.h"
#include "widgets/widget.h"

platform::Graphics* shared_graphics = nullptr;

void bind_shared_graphics(platform::Canvas* canvas) {
    shared_graphics = platform::graphics_create(canvas);
    platform::graphics_set_smoothing_mode(shared_graphics, platform::SmoothingMode::none);
    platform::graphics_set_pixel_offset_mode(shared_graphics, platform::PixelOffsetMode::none);
    platform::graphics_set_interpolation_mode(shared_graphics,
                                              platform::InterpolationMode::nearest_neighbor);
}

void release_shared_graphics() {
    platform::graphics_delete(shared_graphics);
    shared_graphics = nullptr;
}

HostWindow* widget_host(Widget& widget) {
    if (widget.host == nullptr) {
        widget.host = host_of(widget.host_hwnd);
    }
    return widget.host;
}

bool begin_direct_update(Widget& widget) {
    HostWindow* host = widget_host(widget);
    if (host == nullptr || host->canvas == nullptr) {
        return false;
    }
    bind_shared_graphics(host->canvas);
    return true;
}

void end_direct_update(Widget& widget) {
    release_shared_graphics();
    if (widget.host != nullptr) {
        push_canvas(*widget.host);
    }
}

void erase_to_background(HostWindow& host, platform::Rect rect) {
    platform::fill_rect_with_pattern(host.canvas, host.background, rect);
}

void push_canvas(HostWindow& host) {
    platform::update_layered_window(host.hwnd, host.canvas, host.size, host.src_origin, host.blend);
}

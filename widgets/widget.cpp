// The widget and host registries, widget creation and lookup by id.
#include "widgets/widget.h"

#include "widgets/shared_graphics.h"

namespace {

platform::WindowHandle current_host = 0;

}  // namespace

Registry<HostWindow>& host_list() {
    static Registry<HostWindow> list;
    return list;
}

Registry<Widget>& widget_list() {
    static Registry<Widget> list;
    return list;
}

void set_current_host(platform::WindowHandle host) {
    current_host = host;
}

Widget* widget_new() {
    Widget& widget = widget_list().append();
    widget.host_hwnd = current_host;
    return &widget;
}

Widget* widget_new_for(std::int32_t parent_id, std::int32_t id, std::int32_t kind, void* self) {
    Widget* widget = widget_new();
    widget->parent_id = parent_id;
    widget->id = id;
    widget->kind = kind;
    widget->self = self;
    return widget;
}

void place_widget(Widget& widget, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height) {
    widget.x = x;
    widget.y = y;
    widget.width = width;
    widget.height = height;
    widget.rect = {x, y, x + width, y + height};
}

Widget* find_widget(std::int32_t id) {
    auto& widgets = widget_list();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        if (widgets[i].id == id) {
            return &widgets[i];
        }
    }
    return nullptr;
}

std::int32_t widget_state_of(std::int32_t id) {
    const Widget* widget = find_widget(id);
    return widget ? widget->state : 0;
}

HostWindow* host_of(platform::WindowHandle window) {
    return static_cast<HostWindow*>(platform::window_property(window, host_property));
}

void reset_widgets() {
    widget_list().clear();
    host_list().clear();
    current_host = 0;
    shared_graphics = nullptr;
}

// Text labels: creation, painting on a translucent white band, and the command on a press.
#include "panels/text_label.h"

#include "panels/drawing.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "widgets/host_window_proc.h"
#include "widgets/paint_frame.h"
#include "widgets/shared_graphics.h"

namespace msg = platform::msg;

namespace {

constexpr std::int32_t label_height = 16;
constexpr float label_font_size = 13.0f;
constexpr platform::Argb label_band = 0xBBFFFFFF;
constexpr platform::Argb label_ink = 0xFF202020;

void paint_label(TextLabel& label, std::uint32_t direct, std::int32_t new_state) {
    Widget& widget = *label.widget;
    if (new_state != 0) {
        widget.state = static_cast<std::uint8_t>(new_state);
    }
    if (widget_state_of(widget.parent_id) == widget_state::hidden) {
        return;
    }
    paint_pending(widget, label.redraw, direct, std::nullopt, [&] {
        if (widget.state == widget_state::normal) {
            platform::fill_rectangle(shared_graphics, label_band, widget.x, widget.y, widget.width,
                                     widget.height);
            draw_widget_text(widget, widget.x, widget.y, label_ink);
        }
    });
}

}  // namespace

Registry<TextLabel>& label_list() {
    static Registry<TextLabel> list;
    return list;
}

TextLabel* label_new(std::int32_t parent_id, std::int32_t id, std::int32_t x, std::int32_t y,
                     std::int32_t width, std::string_view text) {
    TextLabel& label = label_list().append();
    Widget* widget = widget_new_for(parent_id, id, widget_kind::label, &label);
    label.widget = widget;
    widget->text = text;
    give_widget_font(*widget, label_font_size, platform::FontStyle::regular,
                     platform::StringAlignment::center);
    place_widget(*widget, x, y, width, label_height);
    widget->state = widget_state::normal;
    widget->callback = label_callback;
    label.redraw = true;
    return &label;
}

std::int32_t label_callback(void* self, std::uint32_t event, std::uint32_t wparam,
                            std::int32_t lparam) {
    auto& label = *static_cast<TextLabel*>(self);
    switch (event) {
        case msg::paint:
            paint_label(label, wparam, lparam);
            break;
        case msg::lbutton_down:
            label_callback(self, msg::paint, paint_event::direct, paint_event::press);
            platform::send_message(label.widget->host_hwnd, msg::command,
                                   static_cast<std::uint32_t>(label.widget->id), 0);
            break;
        case msg::lbutton_up:
            label_callback(self, msg::paint, paint_event::direct, paint_event::enter);
            break;
        case msg::destroy:
            release_widget_font(*label.widget);
            break;
        default:
            break;
    }
    return 0;
}

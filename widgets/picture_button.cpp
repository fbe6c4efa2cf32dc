// Picture buttons: creation, painting by state, and the command sent on a press.
#include "widgets/picture_button.h"

#include "platform/message_queue.h"
#include "platform/messages.h"
#include "widgets/host_window_proc.h"
#include "widgets/paint_frame.h"
#include "widgets/shared_graphics.h"

namespace msg = platform::msg;

Registry<PictureButton>& button_list() {
    static Registry<PictureButton> list;
    return list;
}

PictureButton* button_new(std::int32_t parent_id, std::int32_t id, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height, platform::Image* normal,
                          platform::Image* hover, platform::Image* pressed) {
    PictureButton& button = button_list().append();
    Widget* widget = widget_new_for(parent_id, id, widget_kind::picture_button, &button);
    button.widget = widget;
    button.image_normal = normal;
    button.image_hover = hover;
    button.image_pressed = pressed;
    place_widget(*widget, x, y, width, height);
    widget->state = widget_state::normal;
    widget->callback = button_callback;
    return &button;
}

const platform::Image* button_image_for_state(const PictureButton& button, std::uint8_t state) {
    const platform::Image* normal = button.image_normal;
    const platform::Image* hover = button.image_hover ? button.image_hover : normal;
    switch (state) {
        case widget_state::normal:
            return normal;
        case widget_state::hovered:
            return hover;
        case widget_state::pressed:
            return button.image_pressed ? button.image_pressed : hover;
        default:
            return nullptr;
    }
}

namespace {

void paint_button(PictureButton& button, std::uint32_t direct, std::int32_t new_state) {
    Widget& widget = *button.widget;
    if (new_state != 0) {
        widget.state = static_cast<std::uint8_t>(new_state);
    }
    const bool drawn = paint_frame(widget, direct, widget.rect, [&] {
        platform::draw_image(shared_graphics, button_image_for_state(button, widget.state),
                             widget.x, widget.y, widget.width, widget.height);
    });
    if (drawn) {
        paint_children(widget.id);
    }
}

}  // namespace

std::int32_t button_callback(void* self, std::uint32_t event, std::uint32_t wparam,
                             std::int32_t lparam) {
    auto& button = *static_cast<PictureButton*>(self);
    switch (event) {
        case msg::paint:
            paint_button(button, wparam, lparam);
            break;
        case msg::lbutton_down:
            button_callback(self, msg::paint, paint_event::direct, paint_event::press);
            platform::send_message(button.widget->host_hwnd, msg::command,
                                   static_cast<std::uint32_t>(button.widget->id), 0);
            break;
        default:
            break;
    }
    return 0;
}

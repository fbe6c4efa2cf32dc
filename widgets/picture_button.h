// Picture buttons: a widget that shows an image per state and sends its id as a command when
// the left button goes down on it.
#pragma once

#include <cstdint>

#include "platform/graphics.h"
#include "widgets/registry.h"
#include "widgets/widget.h"

// The images belong to whoever created the button.
struct PictureButton {
    Widget* widget = nullptr;
    platform::Image* image_normal = nullptr;
    platform::Image* image_hover = nullptr;
    platform::Image* image_pressed = nullptr;
};

Registry<PictureButton>& button_list();

PictureButton* button_new(std::int32_t parent_id, std::int32_t id, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height, platform::Image* normal,
                          platform::Image* hover, platform::Image* pressed);

std::int32_t button_callback(void* self, std::uint32_t event, std::uint32_t wparam,
                             std::int32_t lparam);

// The image a button shows in a state: the first of its list that is set, or null.
const platform::Image* button_image_for_state(const PictureButton& button, std::uint8_t state);

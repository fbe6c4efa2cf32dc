// Text labels: a small clickable caption that sends its id as a command when pressed.
#pragma once

#include <cstdint>
#include <string_view>

#include "widgets/registry.h"
#include "widgets/widget.h"

struct TextLabel {
    Widget* widget = nullptr;
    bool redraw = false;  // the next paint draws the label, and clears it
};

Registry<TextLabel>& label_list();

// A label 16 pixels high with a copy of the text, centred, in 13-pixel Arial.
TextLabel* label_new(std::int32_t parent_id, std::int32_t id, std::int32_t x, std::int32_t y,
                     std::int32_t width, std::string_view text);

std::int32_t label_callback(void* self, std::uint32_t event, std::uint32_t wparam,
                            std::int32_t lparam);

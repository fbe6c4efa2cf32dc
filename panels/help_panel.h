// The help panel: a translucent sheet over the board with the game's title lines and rules.
#pragma once

#include <cstdint>

#include "widgets/registry.h"
#include "widgets/widget.h"

struct HelpPanel {
    Widget* widget = nullptr;
    bool redraw = false;  // the next paint in the visible state draws the panel
};

Registry<HelpPanel>& help_list();

// A panel that starts hidden, with 14-pixel bold Arial.
HelpPanel* help_panel_new(std::int32_t parent_id, std::int32_t id, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height);

std::int32_t help_panel_callback(void* self, std::uint32_t event, std::uint32_t wparam,
                                 std::int32_t lparam);

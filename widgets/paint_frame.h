// The one frame every widget paints in: the compose pass of the host's first paint, or a direct
// update of the widget shown at once.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/types.h"
#include "widgets/host_window_proc.h"
#include "widgets/shared_graphics.h"
#include "widgets/widget.h"

// What a direct update restores to the background before drawing: a rectangle of the canvas, or
// nothing (a translucent sheet drawn over what lies under it).
using EraseArea = std::optional<platform::Rect>;

// Runs draw() inside the frame that the paint's pass (paint_event::compose or ::direct) asks
// for. In the compose pass the host has already bound shared_graphics: draw() draws into it. A
// direct update binds the host's canvas, erases the area, calls draw() and shows the canvas.
// Returns false, having drawn nothing, when a direct update comes before the window's first
// paint (there is no canvas yet).
template <typename Draw>
bool paint_frame(Widget& widget, std::uint32_t pass, const EraseArea& erase, Draw&& draw) {
    widget_host(widget);
    const bool direct = pass != paint_event::compose;
    if (direct) {
        if (!begin_direct_update(widget)) {
            return false;
        }
        if (erase) {
            erase_to_background(*widget.host, *erase);
        }
    }
    draw();
    if (direct) {
        end_direct_update(widget);
    }
    return true;
}

// The same frame for a widget that draws only when its redraw flag is set: nothing happens
// without it, and it is cleared once drawn. It stays set when nothing could be drawn, so that
// the window's first paint draws the widget.
template <typename Draw>
void paint_pending(Widget& widget, bool& redraw, std::uint32_t pass, const EraseArea& erase,
                   Draw&& draw) {
    if (!redraw) {
        return;
    }
    if (paint_frame(widget, pass, erase, draw)) {
        redraw = false;
    }
}

// The one Graphics of the program, bound by whoever paints to the host's canvas.
#pragma once

#include "platform/graphics.h"
#include "platform/types.h"

struct HostWindow;
struct Widget;

// Bound to a canvas only while a painter draws: the compose pass of the host's first paint, or
// a widget's direct update. Null otherwise.
extern platform::Graphics* shared_graphics;

// Binds shared_graphics to the canvas with the painters' modes: no smoothing, no pixel offset,
// nearest-neighbour interpolation.
void bind_shared_graphics(platform::Canvas* canvas);
void release_shared_graphics();

// The widget's host, fetched from its window's property at first use.
HostWindow* widget_host(Widget& widget);

// The frame of a direct update, in which a widget redraws itself at once: begin binds
// shared_graphics to the host's canvas (false when there is no canvas yet: nothing can be
// drawn), end releases it and shows the whole canvas on the screen.
bool begin_direct_update(Widget& widget);
void end_direct_update(Widget& widget);
// Restores the clean background under a rectangle of the host's canvas.
void erase_to_background(HostWindow& host, platform::Rect rect);
// Shows the host's whole canvas on the screen.
void push_canvas(HostWindow& host);

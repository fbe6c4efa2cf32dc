// Whether a compositing manager shows the alpha of our windows, and news of it starting or
// stopping while the program runs.
#pragma once

#include <functional>

namespace platform::qt {

// True when the desktop blends windows with their alpha: an X display with a compositing manager,
// and every desktop that always composites (Wayland) or has no screen (offscreen). Without one,
// an X server shows the colour of every pixel of an alpha window and ignores its alpha.
bool compositing_active();

// Calls `changed` (with the new state) after a compositing manager has started or stopped; one
// watcher at a time, which lasts until the application object goes.
void watch_compositing(std::function<void(bool active)> changed);

}  // namespace platform::qt

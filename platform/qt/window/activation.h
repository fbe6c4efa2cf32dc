// Which of our windows is in front: asked of the window system, and known before it answers.
#pragma once

#include <QWidget>

#include "platform/types.h"

namespace platform::qt {

// Raises the window and asks the window system to make it the active one. On X the answer comes
// some time later; until then the window asked for counts as the one in front, as it would be at
// once on the desktop the program was made for.
void activate(WindowHandle window, QWidget& widget);

// Our active window: the one the window system says is active, else the one asked for while it
// has not answered yet; 0 when another program is in front.
WindowHandle active_window();

// The window is going; it no longer counts as asked for.
void forget_activation(WindowHandle window);

// Raises the window each time it appears on the screen, for window managers that take no notice
// of the owner and stacking hints given when it was mapped.
void raise_when_mapped(QWidget& widget);

// Listens to the window system's news of activation, once the application object exists.
void follow_activation();

}  // namespace platform::qt

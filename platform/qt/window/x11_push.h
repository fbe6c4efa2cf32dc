// The picture of a layered window sent to the X server through shared memory, past Qt's backing
// store: one copy of the picture and no answer awaited, for the step of a cascade that the
// player waits for.
#pragma once

#include <QImage>
#include <QRect>

namespace platform::qt {

// Starts connecting to the display for the pushes, on a thread of its own, while the program
// goes on starting: the first picture then need not wait for the connection.
void prepare_shared_memory_pushes();

// Shows the part of the picture (premultiplied ARGB) as the whole content of the X window (which
// must be mapped, of 32-bit depth and of the part's size), and returns true; false when this
// cannot be done here (not X, no shared memory, another depth), and then nothing was sent.
// With `opaque_bits`, also makes the part's one-bit opaque mask there (see shape.h), in the same
// pass over the pixels.
bool push_through_shared_memory(unsigned long window, const QImage& picture, const QRect& part,
                                QImage* opaque_bits);

// The window is going: what was kept for it is released.
void forget_shared_memory_window(unsigned long window);

// Closes the connection and releases the shared memory (at the end of the program).
void close_shared_memory_pushes();

}  // namespace platform::qt

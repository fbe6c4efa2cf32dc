// What the rest of the Windows backend needs of the drawing services: GDI+ started for the
// program, and a canvas's pixels as a DIB section for the layered update.
#pragma once

#include "platform/win32/paint/windows_words.h"

#include <cstdint>

#include "platform/graphics.h"

namespace platform::win32 {

// Starts GDI+ for the program (once; later calls only say whether it runs) and stops it. Every
// drawing function needs it started; platform_start starts it and platform_stop stops it.
bool start_gdiplus();
void stop_gdiplus();

// A canvas's pixels: a top-down 32-bit DIB section of premultiplied BGRA, device_width ×
// device_height pixels (the logical size times the scale). Empty for null.
struct CanvasBitmap {
    HBITMAP bitmap = nullptr;
    std::int32_t device_width = 0;
    std::int32_t device_height = 0;
    std::int32_t scale = 0;
};
CanvasBitmap canvas_bitmap(const Canvas* canvas);

}  // namespace platform::win32

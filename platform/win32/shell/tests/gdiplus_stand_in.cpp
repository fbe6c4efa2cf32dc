// Starts GDI+ for the tests while the drawing services are not built yet.
// Before the system headers, whose "near" and "far" macros would break its names.
#include "platform/graphics.h"

#include <windows.h>

#include <gdiplus.h>

#include "platform/win32/paint/win32_paint.h"

namespace platform::win32 {
namespace {

ULONG_PTR& token() {
    static ULONG_PTR started = 0;
    return started;
}

}  // namespace

bool start_gdiplus() {
    if (token() != 0) {
        return true;
    }
    Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&token(), &input, nullptr) == Gdiplus::Ok;
}

void stop_gdiplus() {
    if (token() != 0) {
        Gdiplus::GdiplusShutdown(token());
        token() = 0;
    }
}

}  // namespace platform::win32

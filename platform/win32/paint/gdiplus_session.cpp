// GDI+ started once for the program and stopped at its end.
#include "platform/win32/paint/gdiplus_paint.h"
#include "platform/win32/paint/win32_paint.h"

namespace platform::win32 {
namespace {

struct Session {
    ULONG_PTR token = 0;
    bool running = false;
};

Session& session() {
    static Session state;
    return state;
}

}  // namespace

bool start_gdiplus() {
    Session& state = session();
    if (!state.running) {
        const Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartupOutput output;
        state.running = Gdiplus::GdiplusStartup(&state.token, &input, &output) == Gdiplus::Ok;
    }
    return state.running;
}

void stop_gdiplus() {
    Session& state = session();
    if (state.running) {
        Gdiplus::GdiplusShutdown(state.token);
        state.running = false;
    }
}

}  // namespace platform::win32

// Where windows are, their pixel ratio, and their paints.
#include <vector>

#include "platform/win32/window/win32_window.h"

namespace platform {
namespace {

struct Painting {
    HWND hwnd = nullptr;
    PAINTSTRUCT paint{};
};

// Paints begun and not yet ended; a paint is short, so the list is too.
std::vector<Painting>& paintings() {
    static std::vector<Painting> list;
    return list;
}

void end_painting(HWND hwnd) {
    auto& list = paintings();
    for (auto painting = list.begin(); painting != list.end(); ++painting) {
        if (painting->hwnd == hwnd) {
            EndPaint(hwnd, &painting->paint);
            list.erase(painting);
            return;
        }
    }
}

}  // namespace

Rect window_rect(WindowHandle window) {
    RECT rect{};
    if (!is_window(window) || !GetWindowRect(win32::to_hwnd(window), &rect)) {
        return {};
    }
    return {rect.left, rect.top, rect.right, rect.bottom};
}

bool move_window(WindowHandle window, Point position) {
    return is_window(window) && SetWindowPos(win32::to_hwnd(window), HWND_TOP, position.x,
                                             position.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE) != 0;
}

// The program declares no awareness of screen densities, so the system scales its windows and
// every screen shows one device pixel per logical pixel. A program aware of each monitor's
// density would answer GetDpiForWindow / 96 here.
float window_pixel_ratio(WindowHandle) {
    return 1.0F;
}

void invalidate_window(WindowHandle window) {
    if (is_window(window)) {
        InvalidateRect(win32::to_hwnd(window), nullptr, TRUE);
    }
}

void begin_paint(WindowHandle window) {
    const HWND hwnd = win32::to_hwnd(window);
    if (!is_window(window)) {
        return;
    }
    end_painting(hwnd);  // a paint that was never ended gives its device context back
    Painting painting{hwnd, {}};
    if (BeginPaint(hwnd, &painting.paint) != nullptr) {
        paintings().push_back(painting);
    }
}

void end_paint(WindowHandle window) {
    end_painting(win32::to_hwnd(window));
}

}  // namespace platform

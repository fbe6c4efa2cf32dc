// Texts of windows and controls, an edit field's selection, and the dialog font.
#include "platform/win32/window/win32_window.h"

namespace platform {
namespace {

// The desktop's message font, made once for the program's life.
HFONT dialog_font() {
    static const HFONT font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            if (HFONT made = CreateFontIndirectW(&metrics.lfMessageFont)) {
                return made;
            }
        }
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

}  // namespace

bool set_window_text(WindowHandle window, std::u16string_view text) {
    if (!is_window(window)) {
        return false;
    }
    const std::u16string terminated(text);
    return SetWindowTextW(win32::to_hwnd(window), win32::wide_text(terminated)) != 0;
}

std::u16string window_text(WindowHandle window) {
    if (!is_window(window)) {
        return {};
    }
    const HWND hwnd = win32::to_hwnd(window);
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, u'\0');
    const int copied = GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(text.data()),
                                      static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void set_edit_selection(WindowHandle window, std::int32_t start, std::int32_t end) {
    if (window_class_name(window) == edit_class) {
        SendMessageW(win32::to_hwnd(window), EM_SETSEL, static_cast<WPARAM>(start),
                     static_cast<LPARAM>(end));
    }
}

void set_dialog_font(WindowHandle window) {
    if (is_window(window)) {
        SendMessageW(win32::to_hwnd(window), WM_SETFONT, reinterpret_cast<WPARAM>(dialog_font()),
                     TRUE);
    }
}

}  // namespace platform

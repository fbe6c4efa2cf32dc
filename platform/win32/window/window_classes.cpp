// Window classes: each class the program registers has the trampoline as its system procedure,
// and a table of the class's atom finds its platform procedure (the window's user data belongs to
// the program). Names compare without regard to ASCII case, as the system compares them.
#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/win32/window/win32_window.h"

namespace platform {
namespace {

struct RegisteredClass {
    ATOM atom = 0;
    std::string name;  // in lower case
    WindowProc procedure = nullptr;
};

std::vector<RegisteredClass>& registered_classes() {
    static std::vector<RegisteredClass> table;
    return table;
}

std::string lower_case(std::string_view name) {
    std::string lower(name);
    std::ranges::transform(lower, lower.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return lower;
}

HCURSOR class_cursor(const WindowClass& window_class) {
    constexpr WORD arrow = 32512;  // IDC_ARROW, whose spelling in the headers is the ANSI one
    return window_class.arrow_cursor ? LoadCursorW(nullptr, MAKEINTRESOURCEW(arrow)) : nullptr;
}

HBRUSH class_background(const WindowClass& window_class) {
    if (window_class.background == ClassBackground::button_face) {
        return reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1));
    }
    return nullptr;
}

}  // namespace

bool register_window_class(const WindowClass& window_class) {
    if (window_class.name.empty() || window_class.procedure == nullptr ||
        window_class_exists(window_class.name)) {
        return false;
    }
    const std::wstring name = win32::wide_ascii(window_class.name);
    WNDCLASSEXW system_class{};
    system_class.cbSize = sizeof(system_class);
    system_class.style = window_class.class_style;
    system_class.lpfnWndProc = win32::window_trampoline;
    system_class.hInstance = GetModuleHandleW(nullptr);
    system_class.hCursor = class_cursor(window_class);
    system_class.hbrBackground = class_background(window_class);
    system_class.lpszClassName = name.c_str();
    const ATOM atom = RegisterClassExW(&system_class);
    if (atom == 0) {
        return false;
    }
    registered_classes().push_back({atom, lower_case(window_class.name), window_class.procedure});
    return true;
}

bool window_class_exists(std::string_view name) {
    WNDCLASSEXW found{};
    found.cbSize = sizeof(found);
    return !name.empty() &&
           GetClassInfoExW(GetModuleHandleW(nullptr), win32::wide_ascii(name).c_str(), &found) != 0;
}

// Fails while windows of the class exist, as the system refuses it then.
bool unregister_window_class(std::string_view name) {
    if (!UnregisterClassW(win32::wide_ascii(name).c_str(), GetModuleHandleW(nullptr))) {
        return false;
    }
    std::erase_if(registered_classes(),
                  [&](const RegisteredClass& c) { return c.name == lower_case(name); });
    return true;
}

namespace win32 {

WindowProc platform_procedure(HWND hwnd) {
    const auto atom = static_cast<ATOM>(GetClassWord(hwnd, GCW_ATOM));
    for (const RegisteredClass& registered : registered_classes()) {
        if (registered.atom == atom) {
            return registered.procedure;
        }
    }
    return nullptr;
}

}  // namespace win32
}  // namespace platform

// Window classes: names bound to a window procedure. Names compare without regard to ASCII case.
#include <algorithm>
#include <cctype>

#include "platform/common/window_system.h"
#include "platform/window.h"

namespace platform {
namespace {

bool same_name(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

bool register_window_class(const WindowClass& window_class) {
    if (window_class.name.empty() || window_class.procedure == nullptr ||
        window_class_exists(window_class.name)) {
        return false;
    }
    common::window_system().classes.push_back(window_class);
    return true;
}

bool window_class_exists(std::string_view name) {
    const auto& classes = common::window_system().classes;
    return std::ranges::any_of(classes,
                               [&](const WindowClass& c) { return same_name(c.name, name); });
}

bool unregister_window_class(std::string_view name) {
    auto& classes = common::window_system().classes;
    const auto erased =
        std::erase_if(classes, [&](const WindowClass& c) { return same_name(c.name, name); });
    return erased > 0;
}

namespace common {

const WindowClass* find_window_class(std::string_view name) {
    for (const auto& window_class : window_system().classes) {
        if (same_name(window_class.name, name)) {
            return &window_class;
        }
    }
    return nullptr;
}

ControlKind control_kind_of_class(std::string_view name) {
    if (same_name(name, static_class)) {
        return ControlKind::static_text;
    }
    if (same_name(name, edit_class)) {
        return ControlKind::edit;
    }
    if (same_name(name, button_class)) {
        return ControlKind::button;
    }
    return ControlKind::none;
}

}  // namespace common
}  // namespace platform

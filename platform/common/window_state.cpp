// Window state: visibility, enabling, focus, capture, position, painting, properties and texts.
#include "platform/common/native.h"
#include "platform/common/window_system.h"
#include "platform/message_queue.h"
#include "platform/window.h"

namespace platform {
namespace common {

WindowHandle move_focus(WindowHandle window, FocusSource source) {
    auto& system = window_system();
    const WindowHandle previous = system.focus;
    if (previous == window) {
        return previous;
    }
    system.focus = window;
    if (previous != 0 && find_window(previous) != nullptr) {
        send_message(previous, msg::kill_focus, window, 0);
    }
    // The window that lost the focus may have taken it somewhere else meanwhile.
    if (system.focus != window) {
        return previous;
    }
    if (window != 0) {
        send_message(window, msg::set_focus, previous, 0);
    }
    if (source == FocusSource::program && system.focus == window) {
        native::focus_moved(window);
    }
    return previous;
}

bool focus_is_in(WindowHandle window) {
    for (WindowHandle w = window_system().focus; w != 0;) {
        const auto* record = find_window(w);
        if (record == nullptr) {
            return false;
        }
        if (w == window) {
            return true;
        }
        w = record->child ? record->parent : 0;
    }
    return false;
}

}  // namespace common

bool show_window(WindowHandle window, ShowCommand command) {
    auto* record = common::find_window(window);
    if (record == nullptr) {
        return false;
    }
    const bool was_visible = record->visible;
    if (command == ShowCommand::hide) {
        record->visible = false;
        if (common::focus_is_in(window)) {
            common::move_focus(0, common::FocusSource::program);
        }
    } else {
        record->visible = true;
        record->minimized = command == ShowCommand::minimize;
        if (!was_visible && !common::is_layered(*record)) {
            record->invalid = true;
        }
    }
    native::window_shown(*record, command);
    return was_visible;
}

bool is_window_visible(WindowHandle window) {
    for (WindowHandle w = window; w != 0;) {
        const auto* record = common::find_window(w);
        if (record == nullptr || !record->visible) {
            return false;
        }
        w = record->child ? record->parent : 0;
    }
    return window != 0;
}

bool enable_window(WindowHandle window, bool enable) {
    auto* record = common::find_window(window);
    if (record == nullptr) {
        return false;
    }
    const bool was_disabled = !record->enabled;
    record->enabled = enable;
    if (!enable && common::focus_is_in(window)) {
        common::move_focus(0, common::FocusSource::program);
    }
    if (was_disabled == enable) {
        native::window_enabled(*record);
    }
    return was_disabled;
}

bool is_window_enabled(WindowHandle window) {
    const auto* record = common::find_window(window);
    return record != nullptr && record->enabled;
}

WindowHandle foreground_window() {
    return native::foreground_window();
}

bool set_foreground_window(WindowHandle window) {
    auto* record = common::find_window(window);
    return record != nullptr && native::set_foreground(*record);
}

void bring_window_to_top(WindowHandle window) {
    if (auto* record = common::find_window(window)) {
        native::bring_to_top(*record);
    }
}

WindowHandle set_focus(WindowHandle window) {
    if (window != 0) {
        const auto* record = common::find_window(window);
        if (record == nullptr || !record->enabled) {
            return 0;
        }
    }
    return common::move_focus(window, common::FocusSource::program);
}

WindowHandle focus_window() {
    return common::window_system().focus;
}

WindowHandle set_capture(WindowHandle window) {
    auto& system = common::window_system();
    const WindowHandle previous = system.capture;
    if (common::find_window(window) != nullptr) {
        system.capture = window;
    }
    return previous;
}

void release_capture() {
    common::window_system().capture = 0;
}

WindowHandle capture_window() {
    return common::window_system().capture;
}

Point cursor_position() {
    return native::cursor_position();
}

Size screen_size() {
    return native::screen_size();
}

Rect window_rect(WindowHandle window) {
    const auto* record = common::find_window(window);
    if (record == nullptr) {
        return {};
    }
    const Point origin = common::client_origin(*record);
    return {origin.x, origin.y, origin.x + (record->rect.right - record->rect.left),
            origin.y + (record->rect.bottom - record->rect.top)};
}

bool move_window(WindowHandle window, Point position) {
    auto* record = common::find_window(window);
    if (record == nullptr) {
        return false;
    }
    const std::int32_t width = record->rect.right - record->rect.left;
    const std::int32_t height = record->rect.bottom - record->rect.top;
    record->rect = {position.x, position.y, position.x + width, position.y + height};
    native::window_moved(*record);
    return true;
}

void invalidate_window(WindowHandle window) {
    if (auto* record = common::find_window(window)) {
        record->invalid = true;
    }
}

void begin_paint(WindowHandle window) {
    if (auto* record = common::find_window(window)) {
        record->invalid = false;
    }
}

void end_paint(WindowHandle) {}

float window_pixel_ratio(WindowHandle window) {
    const auto* record = common::find_window(window);
    const float ratio = record != nullptr ? native::pixel_ratio(*record) : 1.0F;
    return ratio > 0.0F ? ratio : 1.0F;
}

void update_layered_window(WindowHandle window, const Canvas* canvas, Size size,
                           Point source_origin, BlendFunction blend) {
    auto* record = common::find_window(window);
    if (record == nullptr || !common::is_layered(*record) || canvas == nullptr) {
        return;
    }
    // The picture's size becomes the window's size, as on the desktop.
    if (size.cx > 0 && size.cy > 0) {
        record->rect.right = record->rect.left + size.cx;
        record->rect.bottom = record->rect.top + size.cy;
    }
    native::layered_update(*record, canvas, size, source_origin, blend);
}

bool set_window_property(WindowHandle window, std::string_view name, void* value) {
    auto* record = common::find_window(window);
    if (record == nullptr) {
        return false;
    }
    record->properties[std::string(name)] = value;
    return true;
}

void* window_property(WindowHandle window, std::string_view name) {
    const auto* record = common::find_window(window);
    if (record == nullptr) {
        return nullptr;
    }
    const auto found = record->properties.find(name);
    return found == record->properties.end() ? nullptr : found->second;
}

void set_window_user_data(WindowHandle window, void* value) {
    if (auto* record = common::find_window(window)) {
        record->user_data = value;
    }
}

void* window_user_data(WindowHandle window) {
    const auto* record = common::find_window(window);
    return record ? record->user_data : nullptr;
}

bool set_window_text(WindowHandle window, std::u16string_view text) {
    auto* record = common::find_window(window);
    if (record == nullptr) {
        return false;
    }
    record->text = text;
    native::window_text_changed(*record);
    return true;
}

std::u16string window_text(WindowHandle window) {
    const auto* record = common::find_window(window);
    if (record == nullptr) {
        return {};
    }
    return record->control == common::ControlKind::edit ? native::edit_text(*record) : record->text;
}

void set_edit_selection(WindowHandle window, std::int32_t start, std::int32_t end) {
    auto* record = common::find_window(window);
    if (record != nullptr && record->control == common::ControlKind::edit) {
        native::edit_selection(*record, start, end);
    }
}

void set_dialog_font(WindowHandle window) {
    if (auto* record = common::find_window(window)) {
        native::dialog_font(*record);
    }
}

}  // namespace platform

// Window records: creation, destruction and lookup.
#include "platform/common/window_table.h"

#include <algorithm>

#include "platform/common/native.h"
#include "platform/common/window_system.h"
#include "platform/message_queue.h"

namespace platform {
namespace common {

WindowSystem& window_system() {
    static WindowSystem system;
    return system;
}

WindowRecord* find_window(WindowHandle window) {
    auto& windows = window_system().windows;
    const auto found = windows.find(window);
    return found == windows.end() ? nullptr : found->second.get();
}

std::vector<WindowHandle> all_windows() {
    std::vector<WindowHandle> handles;
    for (const auto& [handle, record] : window_system().windows) {
        handles.push_back(handle);
    }
    return handles;
}

bool is_layered(const WindowRecord& record) {
    return (record.ex_style & ex_style::layered) != 0;
}

Point client_origin(const WindowRecord& record) {
    Point origin{record.rect.left, record.rect.top};
    if (record.child) {
        if (const WindowRecord* parent = find_window(record.parent)) {
            const Point parent_origin = client_origin(*parent);
            origin.x += parent_origin.x;
            origin.y += parent_origin.y;
        }
    }
    return origin;
}

void reset_window_system() {
    auto& system = window_system();
    for (auto& [handle, record] : system.windows) {
        native::window_destroyed(*record);
    }
    system = WindowSystem{};
}

namespace {

std::unique_ptr<WindowRecord> make_record(const WindowSpec& spec, WindowProc procedure,
                                          ControlKind control, ClassBackground background) {
    auto record = std::make_unique<WindowRecord>();
    record->class_name = spec.class_name;
    record->procedure = procedure;
    record->control = control;
    record->child = (spec.style & style::child) != 0;
    record->parent = spec.parent;
    record->style = spec.style;
    record->ex_style = spec.ex_style;
    record->background = background;
    record->rect = {spec.x, spec.y, spec.x + spec.width, spec.y + spec.height};
    record->text = spec.text;
    record->control_id = spec.control_id;
    return record;
}

// Children and owned windows, newest first, so that later windows go before the ones they
// may depend on.
std::vector<WindowHandle> dependants_of(WindowHandle window) {
    std::vector<WindowHandle> dependants;
    for (const auto& [handle, record] : window_system().windows) {
        if (record->parent == window && !record->destroying) {
            dependants.push_back(handle);
        }
    }
    std::ranges::reverse(dependants);
    return dependants;
}

void forget_window_state(WindowHandle window) {
    auto& system = window_system();
    std::erase_if(system.timers, [&](const Timer& timer) { return timer.window == window; });
    if (system.capture == window) {
        system.capture = 0;
    }
}

}  // namespace
}  // namespace common

WindowHandle create_window(const WindowSpec& spec) {
    using namespace common;
    auto& system = window_system();
    const ControlKind control = control_kind_of_class(spec.class_name);
    const WindowClass* window_class = find_window_class(spec.class_name);
    if (control == ControlKind::none && window_class == nullptr) {
        return 0;
    }
    const bool child = (spec.style & style::child) != 0;
    if ((child || spec.parent != 0) && find_window(spec.parent) == nullptr) {
        return 0;
    }
    auto record = make_record(spec, window_class ? window_class->procedure : nullptr, control,
                              window_class ? window_class->background : ClassBackground::none);
    const WindowHandle handle = system.next_handle++;
    record->handle = handle;
    WindowRecord& stored = *(system.windows[handle] = std::move(record));
    native::window_created(stored);

    if (stored.procedure != nullptr && send_message(handle, msg::create, 0, 0) == -1) {
        destroy_window(handle);
        return 0;
    }
    if ((spec.style & style::visible) != 0 && is_window(handle)) {
        show_window(handle, ShowCommand::show);
    }
    return is_window(handle) ? handle : 0;
}

bool destroy_window(WindowHandle window) {
    using namespace common;
    WindowRecord* record = find_window(window);
    if (record == nullptr || record->destroying) {
        return false;
    }
    record->destroying = true;
    const bool had_focus = focus_is_in(window);
    for (const WindowHandle dependant : dependants_of(window)) {
        destroy_window(dependant);
    }
    if (focus_is_in(window)) {
        move_focus(0, FocusSource::program);
    }
    forget_window_state(window);
    if (record->procedure != nullptr) {
        send_message(window, msg::destroy, 0, 0);
    }
    forget_window_state(window);  // the procedure may have set a timer or the capture again
    const WindowHandle owner = record->child ? 0 : record->parent;
    native::window_destroyed(*record);
    window_system().windows.erase(window);
    // Like the desktop does, the keyboard goes back to the owner of a closed window.
    if (had_focus && window_system().focus == 0 && owner != 0 && is_window_visible(owner) &&
        is_window_enabled(owner)) {
        set_focus(owner);
    }
    return true;
}

bool is_window(WindowHandle window) {
    return common::find_window(window) != nullptr;
}

WindowHandle window_parent(WindowHandle window) {
    const auto* record = common::find_window(window);
    return record ? record->parent : 0;
}

std::string window_class_name(WindowHandle window) {
    const auto* record = common::find_window(window);
    return record ? record->class_name : std::string{};
}

std::vector<WindowHandle> thread_windows() {
    std::vector<WindowHandle> handles;
    for (const auto& [handle, record] : common::window_system().windows) {
        if (!record->child) {
            handles.push_back(handle);
        }
    }
    return handles;
}

}  // namespace platform

// The window system of the test backend: windows exist only as records; what would reach the
// screen is written to the journal.
#include "platform/common/native.h"
#include "platform/common/window_system.h"
#include "platform/message_queue.h"
#include "platform/testing/test_world.h"

namespace platform::native {

using testing::EventKind;
using testing::world;

void window_created(common::WindowRecord& record) {
    if (record.control == common::ControlKind::edit) {
        world().edits[record.handle].text = record.text;
    }
}

void window_destroyed(common::WindowRecord& record) {
    world().edits.erase(record.handle);
    world().last_pictures.erase(record.handle);
    if (world().foreground == record.handle) {
        world().foreground = 0;
    }
}

void window_shown(common::WindowRecord& record, ShowCommand command) {
    testing::record({.kind = EventKind::show,
                     .window = record.handle,
                     .value = static_cast<std::uint32_t>(command)});
}

void window_enabled(common::WindowRecord&) {}
void window_moved(common::WindowRecord&) {}

void window_text_changed(common::WindowRecord& record) {
    if (record.control == common::ControlKind::edit) {
        world().edits[record.handle].text = record.text;
    }
}

std::u16string edit_text(const common::WindowRecord& record) {
    const auto found = world().edits.find(record.handle);
    return found == world().edits.end() ? std::u16string{} : found->second.text;
}

void edit_selection(common::WindowRecord& record, std::int32_t start, std::int32_t end) {
    world().edits[record.handle].selection = {start, end};
}

void dialog_font(common::WindowRecord& record) {
    world().edits[record.handle].dialog_font = true;
}

void focus_moved(WindowHandle) {}

WindowHandle foreground_window() {
    return world().foreground;
}

bool set_foreground(common::WindowRecord& record) {
    world().foreground = record.handle;
    return true;
}

void bring_to_top(common::WindowRecord&) {}

Point cursor_position() {
    return world().cursor;
}

Size screen_size() {
    return world().screen;
}

float pixel_ratio(const common::WindowRecord&) {
    return world().pixel_ratio;
}

void layered_update(common::WindowRecord& record, const Canvas* canvas, Size, Point,
                    BlendFunction) {
    testing::Event event{.kind = EventKind::layered_update, .window = record.handle};
    if (world().keep_pictures) {
        event.picture = testing::Picture(canvas_copy(canvas), testing::CanvasDeleter{});
        world().last_pictures[record.handle] = event.picture;
    }
    testing::record(std::move(event));
}

void begin_move(common::WindowRecord& record) {
    testing::record({.kind = EventKind::begin_move, .window = record.handle});
}

void wait_for_events(std::uint32_t timeout_ms) {
    const auto& system = common::window_system();
    if (world().idle_handler) {
        world().idle_handler();
        if (!system.queue.empty() || system.quit_requested) {
            return;
        }
    }
    if (timeout_ms != wait_forever) {
        world().clock += timeout_ms;
        return;
    }
    world().starved = true;
    post_quit_message(0);
}

}  // namespace platform::native

namespace platform::testing {

void type_into(WindowHandle edit, std::u16string_view text) {
    auto& state = world().edits[edit];
    state.text = text;
    state.selection = {static_cast<std::int32_t>(text.size()),
                       static_cast<std::int32_t>(text.size())};
}

EditSelection edit_selection(WindowHandle edit) {
    return world().edits[edit].selection;
}

bool has_dialog_font(WindowHandle window) {
    const auto found = world().edits.find(window);
    return found != world().edits.end() && found->second.dialog_font;
}

}  // namespace platform::testing

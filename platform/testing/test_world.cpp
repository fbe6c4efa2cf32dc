// The test backend's world: reset, clock, desktop settings and the journal.
#include "platform/testing/test_world.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/common/window_table.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace platform {
namespace testing {

TestWorld& world() {
    static TestWorld state;
    return state;
}

void record(Event event) {
    event.time = world().clock;
    world().journal.push_back(std::move(event));
}

void reset() {
    common::reset_window_system();
    world() = TestWorld{};
}

std::uint32_t now() {
    return world().clock;
}

void advance_clock(std::uint32_t milliseconds) {
    world().clock += milliseconds;
}

void set_screen_size(Size size) {
    world().screen = size;
}

void set_pixel_ratio(float ratio) {
    if (ratio == world().pixel_ratio) {
        return;
    }
    world().pixel_ratio = ratio;
    for (const WindowHandle window : common::all_windows()) {
        const auto* record = common::find_window(window);
        if (record != nullptr && (record->style & style::child) == 0) {
            post_message(window, msg::dpi_changed, 0, 0);
        }
    }
}

void set_cursor_position(Point position) {
    world().cursor = position;
}

void set_foreground(WindowHandle window) {
    world().foreground = window;
}

void set_tray_available(bool available) {
    world().tray_available = available;
}

void on_idle(std::function<void()> handler) {
    world().idle_handler = std::move(handler);
}

bool starved() {
    return world().starved;
}

const std::vector<Event>& journal() {
    return world().journal;
}

std::vector<Event> events_of(EventKind kind) {
    std::vector<Event> found;
    std::ranges::copy_if(world().journal, std::back_inserter(found),
                         [kind](const Event& event) { return event.kind == kind; });
    return found;
}

void clear_journal() {
    world().journal.clear();
}

void keep_pictures(bool keep) {
    world().keep_pictures = keep;
}

const Canvas* last_picture(WindowHandle window) {
    const auto found = world().last_pictures.find(window);
    return found == world().last_pictures.end() ? nullptr : found->second.get();
}

void on_message_box(std::function<std::int32_t(const Event&)> handler) {
    world().message_box_handler = std::move(handler);
}

void set_midi_open_result(std::uint32_t result) {
    world().midi_open_result = result;
}

void set_midi_send_result(std::uint32_t result) {
    world().midi_send_result = result;
}

}  // namespace testing

std::uint32_t tick_count() {
    return testing::world().clock;
}

void sleep_ms(std::uint32_t milliseconds) {
    testing::record({.kind = testing::EventKind::sleep, .value = milliseconds});
    testing::world().clock += milliseconds;
}

}  // namespace platform

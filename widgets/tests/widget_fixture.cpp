// The host window and probe widgets used by the framework tests.
#include "widgets/tests/widget_fixture.h"

#include <ostream>

#include "platform/message_queue.h"
#include "widgets/host_window_proc.h"
#include "widgets/picture_button.h"

namespace {

std::int32_t probe_callback(void* self, std::uint32_t event, std::uint32_t wparam,
                            std::int32_t lparam) {
    auto& widget = *static_cast<Widget*>(self);
    probe_events().push_back({widget.id, event, wparam, lparam});
    if (event == platform::msg::paint && wparam != 0 && lparam != 0) {
        widget.state = static_cast<std::uint8_t>(lparam);
    }
    if (event == platform::msg::paint && wparam == 0) {
        paint_children(widget.id);
    }
    return 0;
}

std::function<void()> pending_build;

std::int32_t fixture_window_proc(platform::WindowHandle hwnd, std::uint32_t message,
                                 std::uint32_t wparam, std::int32_t lparam) {
    if (message == platform::msg::command) {
        host_commands().push_back(wparam);
    }
    if (message == platform::msg::create) {
        set_current_host(hwnd);
        if (pending_build) {
            pending_build();
        }
    }
    return host_window_proc(hwnd, message, wparam, lparam);
}

}  // namespace

std::vector<ProbeEvent>& probe_events() {
    static std::vector<ProbeEvent> events;
    return events;
}

std::vector<std::uint32_t>& host_commands() {
    static std::vector<std::uint32_t> commands;
    return commands;
}

void PrintTo(const ProbeEvent& event, std::ostream* out) {
    *out << "{id " << event.id << ", event " << event.event << ", " << event.wparam << ", "
         << event.lparam << "}";
}

void WidgetTest::SetUp() {
    platform::testing::reset();
    reset_widgets();
    button_list().clear();
    probe_events().clear();
    host_commands().clear();
    platform::register_window_class({.name = "WidgetQelm", .procedure = fixture_window_proc});
    hwnd = 0;
    host = nullptr;
}

void WidgetTest::TearDown() {
    if (platform::is_window(hwnd)) {
        platform::destroy_window(hwnd);
    }
}

Widget* WidgetTest::add_probe(std::int32_t parent_id, std::int32_t id, platform::Rect rect,
                              std::uint8_t state) {
    Widget* widget = widget_new();
    widget->parent_id = parent_id;
    widget->id = id;
    widget->self = widget;
    widget->x = rect.left;
    widget->y = rect.top;
    widget->width = rect.right - rect.left;
    widget->height = rect.bottom - rect.top;
    widget->rect = rect;
    widget->state = state;
    widget->callback = probe_callback;
    return widget;
}

void WidgetTest::open_host(const std::function<void()>& build_widgets,
                           platform::Image* background) {
    pending_build = build_widgets;
    HostWindow& record = host_list().append();
    record.x = 162;
    record.y = 109;
    record.size = {700, 550};
    record.drag_guard = {23, 22, 441, 500};
    record.background_image = background;
    hwnd = platform::create_window({.ex_style = platform::ex_style::layered,
                                    .class_name = "WidgetQelm",
                                    .style = platform::style::popup | platform::style::visible,
                                    .x = 162,
                                    .y = 109,
                                    .width = 700,
                                    .height = 550});
    pending_build = nullptr;
    ASSERT_NE(hwnd, 0u);
    record.hwnd = hwnd;
    platform::set_window_property(hwnd, host_property, &record);
    host = &record;
    platform::set_focus(hwnd);
    platform::invalidate_window(hwnd);
    platform::testing::pump();
}

void WidgetTest::move_to(platform::Point point) {
    platform::testing::mouse_move(hwnd, point);
    platform::testing::pump();
}

void WidgetTest::press_at(platform::Point point) {
    platform::testing::mouse_down(hwnd, point);
    platform::testing::pump();
}

void WidgetTest::release_at(platform::Point point) {
    platform::testing::mouse_up(hwnd, point);
    platform::testing::pump();
}

std::vector<ProbeEvent> WidgetTest::take_events() {
    auto events = probe_events();
    probe_events().clear();
    return events;
}

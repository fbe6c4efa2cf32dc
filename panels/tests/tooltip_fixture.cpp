// The tooltip tests' host window, their script of actions and the watch on the tooltip window.
#include "panels/tests/tooltip_fixture.h"

#include <ostream>

#include "panels/tooltip.h"
#include "panels/tooltip_timer.h"
#include "platform/message_queue.h"

namespace testing_platform = platform::testing;

namespace {

struct Place {
    std::int32_t id;
    platform::Rect rect;
};

constexpr Place places[] = {
    {1, {619, 470, 655, 504}}, {2, {581, 465, 617, 499}}, {3, {467, 470, 503, 504}},
    {4, {505, 465, 541, 499}}, {5, {543, 461, 579, 495}}, {6, {30, 31, 436, 495}},
};
constexpr platform::Point bare_background{660, 30};
constexpr platform::Point host_origin{162, 109};
// A test whose tooltip never goes would otherwise wait for ever inside the tooltip's loop.
constexpr std::uint32_t time_limit = 120000;

platform::Point centre_of(std::int32_t widget_id) {
    for (const Place& place : places) {
        if (place.id == widget_id) {
            return {(place.rect.left + place.rect.right) / 2,
                    (place.rect.top + place.rect.bottom) / 2};
        }
    }
    return bare_background;
}

}  // namespace

void PrintTo(const Sighting& sighting, std::ostream* out) {
    *out << "{at " << sighting.time << ", window " << sighting.window << ", (" << sighting.rect.left
         << ", " << sighting.rect.top << ", " << sighting.rect.right << ", " << sighting.rect.bottom
         << ")}";
}

namespace {
constexpr std::uint32_t script_timer_id = 77;
}  // namespace

void TooltipTest::SetUp() {
    WidgetTest::SetUp();
    reset_tooltips();
    testing_platform::on_idle([this] { on_idle(); });
}

void TooltipTest::open_main_window() {
    open_host([this] {
        for (const Place& place : places) {
            add_probe(0, place.id, place.rect);
        }
        tooltip_add(1, text_fermer, 1500, 3000);
        tooltip_add(2,
                    "R\xE9"
                    "duire",
                    1500, 3000);
        tooltip_add(3, "Nouveau tableau de jeu", 1500, 3000);
        tooltip_add(4, text_remise, 1500, 3000);
        tooltip_add(5, text_aide, 1500, 3000);
    });
    tooltip_timer_start(hwnd);
    // The virtual clock moves from one due timer to the next, and the script's actions run when
    // it stops: a timer of the script's own keeps it stopping every 100 ms, whether the tooltip's
    // timer runs or not.
    platform::set_timer(hwnd, script_timer_id, tooltip_tick_ms,
                        [](platform::WindowHandle, std::uint32_t, std::uint32_t, std::uint32_t) {});
}

void TooltipTest::at(std::uint32_t time, std::function<void()> action) {
    script.push_back({time, std::move(action)});
}

void TooltipTest::run_until(std::uint32_t time) {
    EXPECT_TRUE(testing_platform::run_for(time - testing_platform::now()))
        << "a quit request reached the main loop";
    watch_tooltip();
}

void TooltipTest::hover(std::int32_t widget_id) {
    testing_platform::mouse_move(hwnd, centre_of(widget_id));
}

platform::Point TooltipTest::screen_point(std::int32_t widget_id) const {
    const platform::Point client = centre_of(widget_id);
    return {host_origin.x + client.x, host_origin.y + client.y};
}

std::vector<const platform::Canvas*> TooltipTest::tooltip_pictures(
    platform::WindowHandle window) const {
    std::vector<const platform::Canvas*> pictures;
    for (const auto& event :
         testing_platform::events_of(testing_platform::EventKind::layered_update)) {
        if (event.window == window && event.picture) {
            pictures.push_back(event.picture.get());
        }
    }
    return pictures;
}

void TooltipTest::on_idle() {
    watch_tooltip();
    // Actions may schedule more; run them by index.
    for (std::size_t i = 0; i < script.size(); ++i) {
        if (script[i].action && script[i].time <= testing_platform::now()) {
            auto action = std::move(script[i].action);
            script[i].action = nullptr;
            action();
        }
    }
    if (testing_platform::now() > time_limit && platform::is_window(hwnd)) {
        ADD_FAILURE() << "the tooltip was still up at " << testing_platform::now() << " ms";
        platform::destroy_window(hwnd);
    }
}

void TooltipTest::watch_tooltip() {
    const platform::WindowHandle window = tooltip_state().hwnd;
    const platform::Rect rect = window != 0 ? platform::window_rect(window) : platform::Rect{};
    if (window != last_seen.window || rect != last_seen.rect) {
        last_seen = {testing_platform::now(), window, rect};
        sightings.push_back(last_seen);
    }
}

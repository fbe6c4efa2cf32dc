// The host window procedure: hover, drill-down, focus, keys, dragging, the first paint and the
// background of each canvas.
#include <gtest/gtest.h>

#include "platform/common/window_table.h"
#include "platform/graphics.h"
#include "platform/message_queue.h"
#include "platform/qt/paint/qt_paint.h"
#include "platform/testing/test_platform.h"
#include "tests/support/png_writer.h"
#include "widgets/host_window_proc.h"
#include "widgets/tests/widget_fixture.h"

namespace msg = platform::msg;
namespace testing_platform = platform::testing;
using platform::make_point_lparam;

namespace {

constexpr platform::Rect board_rect{30, 31, 436, 495};
constexpr platform::Rect panel_rect{40, 41, 426, 485};
constexpr platform::Rect label_rect{210, 460, 275, 476};

ProbeEvent enter(std::int32_t id) {
    return {id, msg::paint, 1, 2};
}
ProbeEvent leave(std::int32_t id) {
    return {id, msg::paint, 1, 1};
}
ProbeEvent moved(std::int32_t id, platform::Point point) {
    return {id, msg::mouse_move, 0, make_point_lparam(point.x, point.y)};
}

TEST_F(WidgetTest, HoverEnterAndLeaveAreSentOnceAndTheCaptureFollowsTheHover) {
    open_host([&] { add_probe(0, 1, {100, 100, 150, 150}); });
    take_events();

    move_to({10, 10});
    EXPECT_TRUE(take_events().empty());
    move_to({120, 120});
    EXPECT_EQ(take_events(), (std::vector<ProbeEvent>{enter(1), moved(1, {120, 120})}));
    EXPECT_EQ(platform::capture_window(), hwnd);
    move_to({121, 149});
    EXPECT_EQ(take_events(), (std::vector<ProbeEvent>{moved(1, {121, 149})}));
    move_to({121, 150});
    EXPECT_EQ(take_events(), (std::vector<ProbeEvent>{leave(1)}));
    EXPECT_EQ(platform::capture_window(), 0u);
    EXPECT_EQ(host->hover_id, 0);
    EXPECT_EQ(host->hover_rect, nullptr);
}

TEST_F(WidgetTest, TheHoverDrillsDownOneLevelPerMoveAndClimbsBackToTheTop) {
    open_host([&] {
        add_probe(0, 6, board_rect);
        add_probe(6, 7, panel_rect);
        add_probe(7, 8, label_rect);
    });
    take_events();

    move_to({220, 465});
    move_to({221, 465});
    move_to({222, 465});
    EXPECT_EQ(take_events(), (std::vector<ProbeEvent>{enter(6), moved(6, {220, 465}), leave(6),
                                                      enter(7), moved(7, {221, 465}), leave(7),
                                                      enter(8), moved(8, {222, 465})}));
    move_to({100, 100});  // still in the panel, out of the label
    EXPECT_EQ(take_events(), (std::vector<ProbeEvent>{leave(8), enter(6), moved(6, {100, 100})}));
    move_to({101, 100});
    EXPECT_EQ(host->hover_id, 7);
}

TEST_F(WidgetTest, HiddenWidgetsAndTheirChildrenAreNeitherHitNorPainted) {
    open_host([&] {
        add_probe(0, 6, board_rect);
        add_probe(6, 7, panel_rect, widget_state::hidden);
        add_probe(7, 8, label_rect);
    });
    EXPECT_EQ(take_events(), (std::vector<ProbeEvent>{{6, msg::create, 0, 0},
                                                      {7, msg::create, 0, 0},
                                                      {8, msg::create, 0, 0},
                                                      {6, msg::paint, 0, 0}}))
        << "every widget is created, only the visible ones are composed";
    move_to({220, 465});
    move_to({221, 465});
    move_to({222, 465});
    EXPECT_EQ(host->hover_id, 6);
    EXPECT_EQ(widget_state_of(7), widget_state::hidden);
    EXPECT_EQ(widget_state_of(99), 0);
}

TEST_F(WidgetTest, APressSendsKillFocusToTheFocusedWidgetThenPressAndFocusToThePressedOne) {
    open_host([&] {
        add_probe(0, 1, {100, 100, 150, 150});
        add_probe(0, 2, {200, 100, 250, 150});
    });
    move_to({120, 120});
    press_at({120, 120});
    take_events();

    press_at({121, 120});
    EXPECT_EQ(take_events(),
              (std::vector<ProbeEvent>{{1, msg::kill_focus, 1, make_point_lparam(121, 120)},
                                       {1, msg::lbutton_down, 1, make_point_lparam(121, 120)},
                                       {1, msg::set_focus, 1, make_point_lparam(121, 120)}}))
        << "the focused widget hears of the focus leaving even when it is pressed again";
    move_to({220, 120});
    take_events();
    press_at({220, 120});
    const auto events = take_events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].id, 1);
    EXPECT_EQ(events[0].event, msg::kill_focus);
    EXPECT_EQ(events[1].id, 2);
    EXPECT_EQ(events[1].event, msg::lbutton_down);
    EXPECT_EQ(events[2].id, 2);
    EXPECT_EQ(events[2].event, msg::set_focus);
    EXPECT_EQ(host->focus_id, 2);
}

TEST_F(WidgetTest, KeysGoToTheFocusedWidgetTabCyclesTabStopsAndEscapeCloses) {
    Widget* first = nullptr;
    Widget* third = nullptr;
    open_host([&] {
        first = add_probe(0, 1, {100, 100, 150, 150});
        add_probe(0, 2, {200, 100, 250, 150});
        third = add_probe(0, 3, {300, 100, 350, 150});
    });
    take_events();
    testing_platform::key_press(hwnd, 'A', 'a');
    testing_platform::pump();
    EXPECT_TRUE(take_events().empty()) << "no focused widget, nobody hears keys";

    move_to({120, 120});
    press_at({120, 120});
    take_events();
    testing_platform::key_press(hwnd, platform::vk::tab, '\t');
    testing_platform::pump();
    EXPECT_EQ(take_events(), (std::vector<ProbeEvent>{{1, msg::kill_focus, 9, 1},
                                                      {1, msg::set_focus, 9, 1},
                                                      {1, msg::character, '\t', 1},
                                                      {1, msg::key_up, 9, 1}}))
        << "without tab stops the focused widget keeps the focus";

    first->tab_stop = 1;
    third->tab_stop = 1;
    testing_platform::key_press(hwnd, platform::vk::tab);
    testing_platform::pump();
    EXPECT_EQ(host->focus_id, 3);
    testing_platform::key_press(hwnd, platform::vk::tab);
    testing_platform::pump();
    EXPECT_EQ(host->focus_id, 1) << "wraps to the first tab stop";

    take_events();
    testing_platform::key_press(hwnd, platform::vk::escape, 27);
    EXPECT_FALSE(testing_platform::pump()) << "the quit request ends the loop";
    EXPECT_FALSE(platform::is_window(hwnd));
    const auto events = take_events();
    EXPECT_EQ(events, (std::vector<ProbeEvent>{{1, msg::key_down, 27, 1},
                                               {1, msg::kill_focus, 0, 0},
                                               {1, msg::destroy, 0, 0},
                                               {2, msg::destroy, 0, 0},
                                               {3, msg::destroy, 0, 0}}))
        << "the window gives up the focus as it is destroyed";
}

TEST_F(WidgetTest, LosingTheFocusToNoWindowClearsTheFocusedWidgetButAnotherWindowCannotTakeIt) {
    open_host([&] { add_probe(0, 1, {100, 100, 150, 150}); });
    move_to({120, 120});
    press_at({120, 120});
    take_events();

    platform::register_window_class({.name = "Other", .procedure = platform::default_window_proc});
    const platform::WindowHandle other =
        platform::create_window({.class_name = "Other", .style = platform::style::popup});
    platform::set_focus(other);
    EXPECT_EQ(platform::focus_window(), hwnd) << "the host takes the focus back at once";
    EXPECT_EQ(host->focus_id, 1);
    EXPECT_EQ(take_events(), (std::vector<ProbeEvent>{{1, msg::set_focus, other, 0}}))
        << "the window's own focus message goes to the hovered widget";

    platform::common::native_focus_changed(0);
    EXPECT_EQ(take_events(), (std::vector<ProbeEvent>{{1, msg::kill_focus, 0, 0}}));
    EXPECT_EQ(host->focus_self, nullptr);
}

TEST_F(WidgetTest, APressOnBareBackgroundMovesTheWindowOnlyOutsideTheBoardArea) {
    open_host([&] { add_probe(0, 1, {100, 100, 150, 150}); });
    press_at({30, 25});
    EXPECT_TRUE(testing_platform::events_of(testing_platform::EventKind::begin_move).empty());
    press_at({600, 20});
    EXPECT_EQ(testing_platform::events_of(testing_platform::EventKind::begin_move).size(), 1u);
    EXPECT_EQ(platform::focus_window(), hwnd);
}

TEST_F(WidgetTest, OnlyTheFirstPaintComposesAndEveryPaintShowsTheCanvas) {
    open_host([&] { add_probe(0, 1, {100, 100, 150, 150}); });
    EXPECT_EQ(take_events().back(), (ProbeEvent{1, msg::paint, 0, 0}));
    EXPECT_EQ(testing_platform::events_of(testing_platform::EventKind::layered_update).size(), 1u);
    ASSERT_NE(host->background, nullptr);
    EXPECT_EQ(host->compose, 0);

    platform::invalidate_window(hwnd);
    testing_platform::pump();
    EXPECT_TRUE(take_events().empty());
    EXPECT_EQ(testing_platform::events_of(testing_platform::EventKind::layered_update).size(), 2u);
}

int background_reads = 0;

TEST_F(WidgetTest, TheBackgroundIsReadForEachNewCanvasAndLetGoOnceDrawn) {
    background_reads = 0;
    open_host([&] {});
    host->background_resource = "Blue";
    host->read_picture = [](std::string_view name) -> platform::Image* {
        ++background_reads;
        EXPECT_EQ(name, "Blue");
        return platform::image_from_png(test_support::make_solid_png(700, 550, 0xFF2040C0));
    };
    for (const float ratio : {2.0F, 1.0F}) {
        testing_platform::set_pixel_ratio(ratio);
        testing_platform::pump();
        EXPECT_EQ(host->background_image, nullptr) << "the pattern holds its pixels";
        ASSERT_NE(host->canvas, nullptr);
        EXPECT_EQ(host->canvas->image.pixel(5, 5), 0xFF2040C0u);
    }
    EXPECT_EQ(background_reads, 2) << "once for each canvas";
}

TEST_F(WidgetTest, OtherMessagesGoToTheHoveredWidget) {
    open_host([&] { add_probe(0, 1, {100, 100, 150, 150}); });
    take_events();
    platform::send_message(hwnd, msg::lbutton_up, 0, 0);
    EXPECT_TRUE(take_events().empty());
    move_to({120, 120});
    take_events();
    platform::send_message(hwnd, msg::lbutton_up, 0, 5);
    platform::send_message(hwnd, msg::command, 3, 0);
    EXPECT_EQ(take_events(),
              (std::vector<ProbeEvent>{{1, msg::lbutton_up, 0, 5}, {1, msg::command, 3, 0}}));
}

TEST(RegistryTest, TraversalsNestAndSeeRecordsAppendedMeanwhile) {
    Registry<int> list;
    list.append() = 1;
    list.append() = 2;
    int* first = &list[0];
    std::vector<int> visits;
    for (std::size_t i = 0; i < list.size(); ++i) {
        visits.push_back(list[i]);
        if (list[i] == 1) {
            for (std::size_t j = 0; j < list.size(); ++j) {
                visits.push_back(10 * list[j]);
            }
            list.append() = 3;
        }
    }
    EXPECT_EQ(visits, (std::vector<int>{1, 10, 20, 2, 3}));
    for (int i = 0; i < 1000; ++i) {
        list.append();
    }
    EXPECT_EQ(first, &list[0]) << "records never move";
    EXPECT_EQ(list[4], 0) << "new records are zero-filled";
}

}  // namespace

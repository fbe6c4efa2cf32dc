// Window records: creation, destruction, focus, capture and input routing.
#include <gtest/gtest.h>

#include "platform/testing/tests/recording_proc.h"

namespace platform::testing {
namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { start_recording_world(); }
};

TEST_F(WindowTest, CreationSendsCreateBeforeReturningAndHonoursClassRules) {
    EXPECT_FALSE(register_window_class({.name = "recorder", .procedure = recording_proc}))
        << "class names compare without regard to case";
    const WindowHandle window = make_window();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(messages_of(window).front(), msg::create);
    EXPECT_TRUE(is_window_visible(window));
    EXPECT_EQ(window_rect(window), (Rect{100, 50, 300, 150}));

    EXPECT_EQ(create_window({.class_name = "Nobody"}), 0u);
    register_window_class(
        {.name = "Refuser",
         .procedure = [](WindowHandle w, std::uint32_t m, std::uint32_t wp, std::int32_t lp) {
             return m == msg::create ? -1 : default_window_proc(w, m, wp, lp);
         }});
    EXPECT_EQ(create_window({.class_name = "Refuser"}), 0u);
    EXPECT_EQ(thread_windows().size(), 1u);
}

TEST_F(WindowTest, DestroyingAnOwnerDestroysOwnedWindowsFirstAndForgetsTheirTimers) {
    const WindowHandle owner = make_window();
    const WindowHandle owned = make_window(style::popup | style::visible, owner);
    const WindowHandle control =
        create_window({.class_name = "EDIT", .style = style::child, .parent = owned});
    ASSERT_NE(control, 0u);
    set_timer(owned, 3, 100, nullptr);
    set_capture(owned);
    received().clear();

    EXPECT_TRUE(destroy_window(owner));
    EXPECT_EQ(received().size(), 2u);
    EXPECT_EQ(received()[0], (Received{owned, msg::destroy, 0, 0}));
    EXPECT_EQ(received()[1], (Received{owner, msg::destroy, 0, 0}));
    EXPECT_FALSE(is_window(control));
    EXPECT_EQ(capture_window(), 0u);
    EXPECT_TRUE(run_for(1000));
    EXPECT_TRUE(received().size() == 2u) << "no timer message for a destroyed window";
}

TEST_F(WindowTest, FocusMovesWithKillThenSetAndNeverToADisabledWindow) {
    const WindowHandle first = make_window();
    const WindowHandle second = make_window();
    set_focus(first);
    received().clear();

    EXPECT_EQ(set_focus(second), first);
    ASSERT_EQ(received().size(), 2u);
    EXPECT_EQ(received()[0], (Received{first, msg::kill_focus, second, 0}));
    EXPECT_EQ(received()[1], (Received{second, msg::set_focus, first, 0}));

    enable_window(first, false);
    EXPECT_EQ(set_focus(first), 0u);
    EXPECT_EQ(focus_window(), second);

    received().clear();
    enable_window(second, false);
    EXPECT_EQ(focus_window(), 0u);
    EXPECT_EQ(received(), (std::vector<Received>{{second, msg::kill_focus, 0, 0}}));
}

TEST_F(WindowTest, AWindowThatTakesTheFocusBackIsNotOverruled) {
    const WindowHandle keeper = make_window();
    const WindowHandle other = make_window();
    set_focus(keeper);
    reaction() = [keeper](const Received& got) {
        if (got.window == keeper && got.message == msg::kill_focus && got.wparam != 0) {
            set_focus(keeper);
        }
        return false;
    };
    set_focus(other);
    EXPECT_EQ(focus_window(), keeper);
    EXPECT_EQ(messages_of(other), (std::vector<std::uint32_t>{msg::create, msg::kill_focus}))
        << "the window that lost the race gets no set-focus";
}

TEST_F(WindowTest, ClosingAFocusedDialogGivesTheKeyboardBackToItsOwner) {
    const WindowHandle owner = make_window();
    const WindowHandle dialog = make_window(style::popup | style::visible, owner);
    set_focus(dialog);
    destroy_window(dialog);
    EXPECT_EQ(focus_window(), owner);
}

TEST_F(WindowTest, CaptureRoutesMouseInputOutsideTheWindowToItsHolder) {
    const WindowHandle holder = make_window();
    const WindowHandle other = create_window({.ex_style = ex_style::layered,
                                              .class_name = "Recorder",
                                              .style = style::popup | style::visible,
                                              .x = 400,
                                              .y = 400,
                                              .width = 50,
                                              .height = 50});
    set_capture(holder);
    mouse_move(other, {5, 5});  // screen (405, 405)
    release_capture();
    mouse_move(other, {6, 6});
    received().clear();
    pump();
    ASSERT_EQ(received().size(), 2u);
    EXPECT_EQ(received()[0], (Received{holder, msg::mouse_move, 0, make_point_lparam(305, 355)}));
    EXPECT_EQ(received()[1], (Received{other, msg::mouse_move, 0, make_point_lparam(6, 6)}));
    EXPECT_EQ(point_from_lparam(make_point_lparam(-20, -7)), (Point{-20, -7}));
}

TEST_F(WindowTest, DisabledWindowsReceiveNoInputAndKeysGoToTheFocus) {
    const WindowHandle target = make_window();
    const WindowHandle focused = make_window();
    set_focus(focused);
    enable_window(target, false);
    mouse_down(target, {1, 1});
    key_press(target, vk::enter, '\r');
    received().clear();
    pump();
    EXPECT_EQ(messages_of(target), std::vector<std::uint32_t>{});
    EXPECT_EQ(messages_of(focused),
              (std::vector<std::uint32_t>{msg::key_down, msg::character, msg::key_up}));
}

TEST_F(WindowTest, PropertiesTextsAndEditFields) {
    const WindowHandle window = make_window();
    int value = 0;
    set_window_property(window, "objet", &value);
    EXPECT_EQ(window_property(window, "objet"), &value);
    EXPECT_EQ(window_property(window, "other"), nullptr);
    EXPECT_EQ(window_property(0, "objet"), nullptr);

    const WindowHandle edit = create_window(
        {.class_name = "EDIT", .style = style::child | style::visible, .parent = window});
    set_window_text(edit, u"Anne");
    set_edit_selection(edit, 4, 4);
    EXPECT_EQ(window_text(edit), u"Anne");
    EXPECT_EQ(edit_selection(edit).start, 4);
    type_into(edit, u"Anne-Marie");
    EXPECT_EQ(window_text(edit), u"Anne-Marie");
}

TEST_F(WindowTest, ALayeredUpdateRecordsThePictureAndGivesTheWindowItsSize) {
    const WindowHandle window = make_window();
    Canvas* canvas = canvas_create(300, 300);
    update_layered_window(window, canvas, {120, 40}, {0, 0}, {});
    EXPECT_EQ(window_rect(window), (Rect{100, 50, 220, 90}));
    ASSERT_EQ(events_of(EventKind::layered_update).size(), 1u);
    EXPECT_NE(last_picture(window), nullptr);
    canvas_delete(canvas);
}

}  // namespace
}  // namespace platform::testing

// The message queue: order of retrieval, quit requests, paints, timers and accelerators.
#include <gtest/gtest.h>

#include "platform/accelerators.h"
#include "platform/clock.h"
#include "platform/testing/tests/recording_proc.h"

namespace platform::testing {
namespace {

class MessageQueueTest : public ::testing::Test {
protected:
    void SetUp() override { start_recording_world(); }
};

std::vector<std::uint32_t> retrieve_all() {
    std::vector<std::uint32_t> order;
    Message message;
    for (int i = 0; i < 10; ++i) {
        const bool more = get_message(message);
        order.push_back(message.message);
        if (!more) {
            break;
        }
        if (message.message == msg::paint) {
            begin_paint(message.window);
        }
    }
    return order;
}

TEST_F(MessageQueueTest, PostedMessagesComeFirstThenQuitThenPaintThenTimers) {
    const WindowHandle window = make_window();
    invalidate_window(window);
    set_timer(window, 0, 100, nullptr);
    post_message(window, msg::user, 0, 0);
    post_quit_message(3);
    post_quit_message(4);  // merges with the first request
    post_message(window, msg::user + 1, 0, 0);

    EXPECT_EQ(retrieve_all(), (std::vector<std::uint32_t>{msg::user, msg::user + 1, msg::quit}));
    EXPECT_EQ(retrieve_all(), (std::vector<std::uint32_t>{
                                  msg::paint, msg::timer, msg::timer, msg::timer, msg::timer,
                                  msg::timer, msg::timer, msg::timer, msg::timer, msg::timer}));
    EXPECT_EQ(now(), 900u) << "the clock moves to each timer as it comes due";
}

TEST_F(MessageQueueTest, QuitCarriesItsExitCodeAndAnIdleLoopEndsStarved) {
    post_quit_message(7);
    Message message;
    EXPECT_FALSE(get_message(message));
    EXPECT_EQ(message.wparam, 7u);
    EXPECT_FALSE(starved());
    EXPECT_FALSE(get_message(message));
    EXPECT_TRUE(starved());
}

TEST_F(MessageQueueTest, TimersWithAProcedureBypassTheWindowAndCanBeKilled) {
    static std::vector<std::uint32_t> ticks;
    ticks.clear();
    const WindowHandle window = make_window();
    set_timer(window, 0, 100, [](WindowHandle, std::uint32_t, std::uint32_t, std::uint32_t time) {
        ticks.push_back(time);
    });
    set_timer(window, 1, 250, nullptr);
    received().clear();
    EXPECT_TRUE(run_for(500));
    EXPECT_EQ(ticks, (std::vector<std::uint32_t>{100, 200, 300, 400, 500}));
    EXPECT_EQ(received().size(), 2u) << "timer 1 reaches the window procedure at 250 and 500";

    kill_timer(window, 0);
    EXPECT_TRUE(run_for(500));
    EXPECT_EQ(ticks.size(), 5u);
}

TEST_F(MessageQueueTest, SleepingMovesTheClockWithoutHandlingMessages) {
    const WindowHandle window = make_window();
    post_message(window, msg::user, 0, 0);
    received().clear();
    sleep_ms(100);
    EXPECT_EQ(tick_count(), 100u);
    EXPECT_TRUE(received().empty());
    ASSERT_EQ(events_of(EventKind::sleep).size(), 1u);
    EXPECT_EQ(events_of(EventKind::sleep)[0].value, 100u);
}

TEST_F(MessageQueueTest, AcceleratorsTurnKeysOfAnyWindowIntoCommandsForTheDialog) {
    const WindowHandle main_window = make_window();
    const WindowHandle dialog = make_window();
    const AcceleratorTable table =
        create_accelerator_table({{vk::enter, 1000}, {vk::escape, 1001}});
    begin_paint(main_window);
    begin_paint(dialog);
    set_focus(main_window);
    key_press(main_window, vk::escape, 27);
    key_press(main_window, 'A', 'a');
    received().clear();

    Message message;
    std::vector<std::uint32_t> unhandled;
    while (get_message(message)) {
        if (!translate_accelerator(dialog, table, message)) {
            unhandled.push_back(message.message);
            translate_message(message);
            dispatch_message(message);
        }
    }
    EXPECT_EQ(received().front(), (Received{dialog, msg::command, 1001u | (1u << 16), 0}));
    EXPECT_EQ(unhandled, (std::vector<std::uint32_t>{msg::key_up, msg::key_down, msg::character,
                                                     msg::key_up}));
    EXPECT_TRUE(destroy_accelerator_table(table));
    EXPECT_FALSE(translate_accelerator(dialog, table, message));
}

TEST_F(MessageQueueTest, DefaultHandlingClosesPaintsAndMovesByTheCaption) {
    const WindowHandle window = make_window();
    send_message(window, msg::nc_lbutton_down, hit_caption, 0);
    EXPECT_EQ(events_of(EventKind::begin_move).size(), 1u);
    invalidate_window(window);
    EXPECT_TRUE(pump());
    EXPECT_EQ(messages_of(window).back(), msg::paint) << "painted once, then valid";
    send_message(window, msg::close, 0, 0);
    EXPECT_FALSE(is_window(window));
    EXPECT_EQ(send_message(window, msg::user, 0, 0), 0);
    EXPECT_FALSE(post_message(window, msg::user, 0, 0));
}

TEST_F(MessageQueueTest, ABuiltInControlIsPaintedOnceWhenItIsShown) {
    const WindowHandle dialog = make_window(style::popup | style::visible, 0, 0);
    const WindowHandle edit = create_window(
        {.class_name = "EDIT", .style = style::child | style::visible, .parent = dialog});
    int edit_paints = 0;
    Message message;
    for (int i = 0; i < 5 && get_message(message); ++i) {
        edit_paints += message.window == edit && message.message == msg::paint;
        dispatch_message(message);
    }
    EXPECT_EQ(edit_paints, 1) << "the control's default handling validates it";
}

}  // namespace
}  // namespace platform::testing

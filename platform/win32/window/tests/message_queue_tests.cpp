// The thread's message queue on the desktop: the order of retrieval, sending and posting, the
// quit request and nested loops, timers, typed characters, accelerators and the clock.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/accelerators.h"
#include "platform/clock.h"
#include "platform/message_queue.h"
#include "platform/win32/window/tests/recording.h"

namespace platform::testing {
namespace {

class Win32Queue : public ::testing::Test {
protected:
    void SetUp() override { start_recording(); }
    void TearDown() override { destroy_every_window(); }
};

// Retrieves and dispatches one message; the message itself for the test.
Message next(bool* not_quit = nullptr) {
    Message message;
    const bool got = get_message(message);
    if (not_quit != nullptr) {
        *not_quit = got;
    }
    if (got) {
        translate_message(message);
        dispatch_message(message);
    }
    return message;
}

TEST_F(Win32Queue, PostedMessagesComeFirstThenQuitThenPaintThenTimers) {
    const WindowHandle window = make_window();
    set_timer(window, 1, 10, nullptr);
    invalidate_window(window);
    sleep_ms(40);
    post_message(window, msg::user + 1, 7, -7);
    post_quit_message(3);

    Message message = next();
    EXPECT_EQ(message.message, msg::user + 1);
    EXPECT_EQ(message.wparam, 7u);
    EXPECT_EQ(message.lparam, -7);
    bool not_quit = true;
    message = next(&not_quit);
    EXPECT_FALSE(not_quit);
    EXPECT_EQ(message.message, msg::quit);
    EXPECT_EQ(message.wparam, 3u);
    EXPECT_EQ(next().message, msg::paint);
    EXPECT_EQ(next().message, msg::timer) << "the paint validated the window";
    kill_timer(window, 1);
}

TEST_F(Win32Queue, SendingCallsTheProcedureAtOncePostingWaitsForTheLoop) {
    const WindowHandle window = make_window();
    reaction() = [](const Received& got, std::int32_t& result) {
        result = got.message == msg::user ? static_cast<std::int32_t>(got.wparam) * 2 : 0;
        return got.message == msg::user;
    };
    EXPECT_EQ(send_message(window, msg::user, 21, 0), 42);
    EXPECT_EQ(send_message(0x12345678u, msg::user, 21, 0), 0) << "no such window";
    EXPECT_TRUE(post_message(window, msg::user + 2, 0, 0));
    EXPECT_FALSE(post_message(0x12345678u, msg::user + 2, 0, 0));
    EXPECT_TRUE(received_of(window, msg::user + 2).empty());
    EXPECT_TRUE(run_until([&] { return !received_of(window, msg::user + 2).empty(); }));
}

TEST_F(Win32Queue, QuitRequestsMergeIntoTheLastOne) {
    post_quit_message(1);
    post_quit_message(2);
    Message message;
    EXPECT_FALSE(get_message(message));
    EXPECT_EQ(message.wparam, 2u);
    post_message(0, msg::user + 9, 0, 0);
    EXPECT_TRUE(get_message(message)) << "one quit only";
    EXPECT_EQ(message.message, msg::user + 9);
}

TEST_F(Win32Queue, ANestedLoopPostsTheQuitItMeetsAgainAndSaysSo) {
    const WindowHandle window = make_window();
    post_message(window, msg::user + 1, 0, 0);
    post_quit_message(5);
    EXPECT_FALSE(run_nested_loop([] { return false; }));
    EXPECT_EQ(received_of(window, msg::user + 1).size(), 1u);
    Message message;
    EXPECT_FALSE(get_message(message)) << "the loop below gets the quit request";
    EXPECT_EQ(message.wparam, 5u);

    EXPECT_TRUE(run_nested_loop([] { return true; })) << "its own condition ends it";
}

TEST_F(Win32Queue, TakeSeesEachMessageFirstAndKeepsWhatItHandles) {
    const WindowHandle window = make_window();
    post_message(window, msg::user + 1, 0, 0);
    post_message(window, msg::user + 2, 0, 0);
    std::vector<std::uint32_t> seen;
    run_nested_loop([&] { return !received_of(window, msg::user + 2).empty(); },
                    [&](const Message& message) {
                        seen.push_back(message.message);
                        return message.message == msg::user + 1;
                    });
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{msg::user + 1, msg::user + 2}));
    EXPECT_TRUE(received_of(window, msg::user + 1).empty());
}

void count_tick(WindowHandle window, std::uint32_t message, std::uint32_t id, std::uint32_t) {
    received().push_back({window, message, id, -1});
}

TEST_F(Win32Queue, TimersFireByPeriodRestartAndStopAndMayHaveAProcedure) {
    const WindowHandle window = make_window();
    const std::uint32_t start = tick_count();
    ASSERT_TRUE(set_timer(window, 4, 60, nullptr));
    ASSERT_TRUE(run_until([&] { return !received_of(window, msg::timer).empty(); }));
    EXPECT_GE(tick_count() - start, 50u);
    EXPECT_EQ(received_of(window, msg::timer)[0].wparam, 4u);

    ASSERT_TRUE(set_timer(window, 4, 400, nullptr)) << "setting it again restarts it";
    received().clear();
    run_for(200);
    EXPECT_TRUE(received_of(window, msg::timer).empty());
    EXPECT_TRUE(kill_timer(window, 4));
    EXPECT_FALSE(kill_timer(window, 4));
    run_for(300);
    EXPECT_TRUE(received_of(window, msg::timer).empty());

    ASSERT_TRUE(set_timer(window, 8, 20, count_tick));
    ASSERT_TRUE(run_until([&] { return received_of(window, msg::timer).size() >= 2; }));
    for (const Received& got : received_of(window, msg::timer)) {
        EXPECT_EQ(got, (Received{window, msg::timer, 8, -1})) << "the procedure, not the window";
    }
    EXPECT_TRUE(kill_timer(window, 8));
    EXPECT_FALSE(set_timer(0x12345678u, 1, 10, nullptr));
}

TEST_F(Win32Queue, AKeyTypesItsCharacterInWindows1252) {
    const WindowHandle window = make_window(style::popup | style::visible, 0, 0);
    const UINT scan_code = MapVirtualKeyW('A', MAPVK_VK_TO_VSC);
    post_message(window, msg::key_down, 'A', static_cast<std::int32_t>(1 | (scan_code << 16)));
    Message key;
    ASSERT_TRUE(get_message(key));
    EXPECT_EQ(key.message, msg::key_down);
    EXPECT_EQ(key.character, 'a');
    translate_message(key);
    dispatch_message(key);
    Message character;
    ASSERT_TRUE(get_message(character));
    EXPECT_EQ(character.message, msg::character);
    EXPECT_EQ(character.wparam, static_cast<std::uint32_t>('a'));
    dispatch_message(character);

    // What the desktop types in UTF-16 reaches the window in Windows-1252, or not at all.
    received().clear();
    post_message(window, msg::character, 0x20AC, 1);  // €
    post_message(window, msg::character, 0x263A, 1);  // a smiling face, not in the code page
    post_message(window, msg::character, 0xE9, 1);    // é
    run_until([&] { return received_of(window, msg::character).size() >= 2; }, 300);
    const auto characters = received_of(window, msg::character);
    ASSERT_EQ(characters.size(), 2u);
    EXPECT_EQ(characters[0].wparam, 0x80u);
    EXPECT_EQ(characters[1].wparam, 0xE9u);
}

TEST_F(Win32Queue, AcceleratorsTurnKeysOfAnyWindowIntoCommands) {
    const WindowHandle dialog = make_window(style::popup | style::visible, 0, 0);
    const WindowHandle edit =
        create_window({.class_name = "EDIT", .style = style::child, .parent = dialog});
    const AcceleratorTable table =
        create_accelerator_table({{vk::enter, 1000}, {vk::escape, 1001}});
    ASSERT_NE(table, 0u);
    const Message enter{.window = edit,
                        .message = msg::key_down,
                        .wparam = vk::enter,
                        .lparam = key_state::pressed};
    EXPECT_TRUE(translate_accelerator(dialog, table, enter));
    const auto commands = received_of(dialog, msg::command);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wparam, 1000u | (1u << 16));

    Message other = enter;
    other.wparam = 'A';
    EXPECT_FALSE(translate_accelerator(dialog, table, other));
    Message release = enter;
    release.message = msg::key_up;
    EXPECT_FALSE(translate_accelerator(dialog, table, release));
    EXPECT_TRUE(destroy_accelerator_table(table));
    EXPECT_FALSE(destroy_accelerator_table(table));
    EXPECT_FALSE(translate_accelerator(dialog, table, enter)) << "a destroyed table";
    EXPECT_EQ(received_of(dialog, msg::command).size(), 1u);
}

TEST_F(Win32Queue, APaintComesForAnInvalidWindowAndItsHandlingValidatesIt) {
    const WindowHandle window = make_window(style::popup | style::visible, 0, 0);
    run_for(100);  // the paint of its showing
    received().clear();
    invalidate_window(window);
    ASSERT_TRUE(run_until([&] { return !received_of(window, msg::paint).empty(); }));
    run_for(100);
    EXPECT_EQ(received_of(window, msg::paint).size(), 1u);

    // A procedure that paints itself validates with begin_paint.
    reaction() = [](const Received& got, std::int32_t&) {
        if (got.message == msg::paint) {
            begin_paint(got.window);
            end_paint(got.window);
            return true;
        }
        return false;
    };
    invalidate_window(window);
    run_for(150);
    EXPECT_EQ(received_of(window, msg::paint).size(), 2u);
}

TEST_F(Win32Queue, SleepingHandlesNoMessageAndTheClockMoves) {
    const WindowHandle window = make_window();
    post_message(window, msg::user + 4, 0, 0);
    const std::uint32_t before = tick_count();
    sleep_ms(50);
    // The tick count moves in steps of the system timer (about 16 ms on Windows; Wine's was seen
    // 15 ms behind), so the time slept shows only to within a step or so.
    EXPECT_GE(tick_count() - before, 25u);
    EXPECT_TRUE(received_of(window, msg::user + 4).empty());
}

}  // namespace
}  // namespace platform::testing

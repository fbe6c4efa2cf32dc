// A later start in the same folder: the running game's window comes forward from wherever it is.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/tests/app_fixture.h"
#include "app/tray.h"
#include "platform/message_queue.h"
#include "platform/single_instance.h"
#include "runtime/dialogs.h"

namespace testing_platform = platform::testing;
using testing_platform::EventKind;

namespace {

using ComeForwardTest = AppTest;

std::size_t shows_of(platform::WindowHandle window) {
    std::size_t count = 0;
    for (const auto& event : testing_platform::events_of(EventKind::show)) {
        count += event.window == window &&
                 event.value == static_cast<std::uint32_t>(platform::ShowCommand::show);
    }
    return count;
}

platform::ShowCommand last_show() {
    const auto shows = testing_platform::events_of(EventKind::show);
    EXPECT_FALSE(shows.empty());
    return shows.empty() ? platform::ShowCommand::hide
                         : static_cast<platform::ShowCommand>(shows.back().value);
}

TEST_F(ComeForwardTest, AWindowBehindAnotherProgramComesToTheFront) {
    open_main_window();
    EXPECT_EQ(shows_of(hwnd), 1u) << "shown once, when created";
    testing_platform::set_foreground(0);
    testing_platform::ask_to_come_forward();
    testing_platform::pump();
    EXPECT_EQ(platform::foreground_window(), hwnd);
    EXPECT_TRUE(platform::is_window_visible(hwnd));
    EXPECT_TRUE(testing_platform::events_of(EventKind::tray_delete).empty())
        << "no icon to take away";
}

TEST_F(ComeForwardTest, AWindowHiddenBehindTheIconIsShownAndTheIconGoes) {
    open_main_window();
    command(command_id::minimise);
    ASSERT_FALSE(platform::is_window_visible(hwnd));
    testing_platform::set_foreground(0);

    testing_platform::ask_to_come_forward();
    testing_platform::pump();
    EXPECT_TRUE(platform::is_window_visible(hwnd));
    EXPECT_EQ(last_show(), platform::ShowCommand::show);
    const auto deleted = testing_platform::events_of(EventKind::tray_delete);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0].window, hwnd);
    EXPECT_EQ(platform::foreground_window(), hwnd);

    // The icon works as before afterwards.
    command(command_id::minimise);
    EXPECT_FALSE(platform::is_window_visible(hwnd));
    EXPECT_EQ(testing_platform::events_of(EventKind::tray_add).size(), 2u);
}

TEST_F(ComeForwardTest, AnIconifiedWindowIsRestored) {
    testing_platform::set_tray_available(false);
    open_main_window();
    command(command_id::minimise);
    ASSERT_EQ(last_show(), platform::ShowCommand::minimize);
    testing_platform::set_foreground(0);

    testing_platform::ask_to_come_forward();
    testing_platform::pump();
    EXPECT_EQ(last_show(), platform::ShowCommand::show);
    EXPECT_EQ(platform::foreground_window(), hwnd);
}

TEST_F(ComeForwardTest, ARequestBeforeTheWindowExistsIsAnsweredOnceItDoes) {
    testing_platform::ask_to_come_forward();
    open_main_window();
    EXPECT_EQ(shows_of(hwnd), 2u) << "shown when created, then brought forward";
    EXPECT_EQ(platform::foreground_window(), hwnd);
}

TEST_F(ComeForwardTest, WhileABoxIsUpTheWindowIsShownButTheBoxKeepsTheKeyboard) {
    open_main_window();
    bool asked = false;
    testing_platform::on_message_box([&](const testing_platform::Event&) {
        testing_platform::set_foreground(0);
        testing_platform::ask_to_come_forward();
        testing_platform::pump();
        asked = true;
        return platform::message_box_result_ok;
    });
    show_message_box("Probl\xE8me", "texte", platform::message_box_ok);
    ASSERT_TRUE(asked);
    EXPECT_EQ(platform::foreground_window(), 0u) << "the disabled game window is not activated";
    EXPECT_EQ(last_show(), platform::ShowCommand::show);
}

TEST_F(ComeForwardTest, AGoneWindowHearsNoMoreRequests) {
    open_main_window();
    platform::destroy_window(hwnd);
    testing_platform::clear_journal();
    testing_platform::ask_to_come_forward();
    testing_platform::pump();
    EXPECT_TRUE(testing_platform::events_of(EventKind::show).empty());
}

}  // namespace

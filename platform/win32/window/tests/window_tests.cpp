// Windows on the desktop (Wine in the test command): creation and destruction as the program
// relies on them, focus, capture, properties and texts, and the built-in controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/message_queue.h"
#include "platform/win32/window/tests/recording.h"
#include "platform/window.h"

namespace platform::testing {
namespace {

class Win32Window : public ::testing::Test {
protected:
    void SetUp() override { start_recording(); }
    void TearDown() override { destroy_every_window(); }
};

std::int32_t refuse_creation(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                             std::int32_t lparam) {
    return message == msg::create ? -1 : default_window_proc(window, message, wparam, lparam);
}

TEST_F(Win32Window, CreationSendsCreateBeforeReturningAndHonoursClassRules) {
    EXPECT_FALSE(register_window_class({.name = "recorder", .procedure = refuse_creation}))
        << "class names compare without regard to case";
    EXPECT_FALSE(register_window_class({.name = "Incomplete"}));

    const WindowHandle owner = make_window();
    const WindowHandle window = make_window(style::popup | style::visible, owner, 0);
    ASSERT_NE(window, 0u);
    const auto creates = received_of(window, msg::create);
    ASSERT_EQ(creates.size(), 1u);
    EXPECT_EQ(creates[0].lparam, 0) << "the creation record's pointer does not reach the program";
    EXPECT_TRUE(is_window_visible(window));
    EXPECT_TRUE(is_window_enabled(window));
    EXPECT_EQ(window_parent(window), owner);
    EXPECT_EQ(window_class_name(window), recorder_class);
    const Rect rect = window_rect(window);
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(rect.bottom - rect.top, 100);

    ASSERT_TRUE(register_window_class({.name = "Refuser", .procedure = refuse_creation}));
    EXPECT_EQ(create_window({.class_name = "Refuser", .style = style::popup}), 0u);
    EXPECT_EQ(create_window({.class_name = "Nobody", .style = style::popup}), 0u);
    EXPECT_EQ(make_window(style::child, 0), 0u) << "a child needs a parent";
    EXPECT_EQ(make_window(style::popup, 0x12345678u), 0u) << "no such owner";
    EXPECT_TRUE(unregister_window_class("Refuser"));
    EXPECT_FALSE(window_class_exists("Refuser"));
}

TEST_F(Win32Window, HandlesAreThirtyTwoBitNumbersThatFindTheirWindowAgain) {
    const WindowHandle window = make_window();
    const HWND hwnd = FindWindowExW(nullptr, nullptr, L"Recorder", nullptr);
    ASSERT_NE(hwnd, nullptr);
    // Whatever the window found, its handle went through 32 bits and back unchanged.
    EXPECT_TRUE(IsWindow(
        reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window)))));
    EXPECT_EQ(send_message(window, msg::user + 3, 0xFFFFFFFFu, -2), 0);
    const auto got = received_of(window, msg::user + 3);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].wparam, 0xFFFFFFFFu);
    EXPECT_EQ(got[0].lparam, -2);
}

TEST_F(Win32Window, ThreadWindowsComeInCreationOrderWhateverTheStacking) {
    const WindowHandle first = make_window();
    const WindowHandle second = make_window();
    const WindowHandle third = make_window();
    make_window(style::child | style::visible, second, 0);
    bring_window_to_top(first);
    std::vector<WindowHandle> windows = thread_windows();
    std::erase_if(windows, [&](WindowHandle w) { return w != first && w != second && w != third; });
    EXPECT_EQ(windows, (std::vector<WindowHandle>{first, second, third}));
    destroy_window(second);
    EXPECT_EQ(std::ranges::count(thread_windows(), second), 0);
}

TEST_F(Win32Window, DestroyingGoesFromDependantsToTheWindowAndDropsTimersAndCapture) {
    const WindowHandle owner = make_window();
    const WindowHandle owned = make_window(style::popup | style::visible, owner);
    const WindowHandle child = make_window(style::child | style::visible, owner, 0, 5);
    const WindowHandle control =
        create_window({.class_name = "EDIT", .style = style::child, .parent = owned});
    ASSERT_NE(control, 0u);
    ASSERT_TRUE(set_window_property(child, "objet", &received()));
    set_timer(owned, 3, 20, nullptr);
    set_capture(owned);
    received().clear();

    EXPECT_TRUE(destroy_window(owner));
    std::vector<Received> destroys;
    std::ranges::copy_if(received(), std::back_inserter(destroys),
                         [](const Received& got) { return got.message == msg::destroy; });
    ASSERT_EQ(destroys.size(), 3u);
    EXPECT_EQ(destroys.back().window, owner) << "dependants first";
    EXPECT_FALSE(is_window(owned) || is_window(child) || is_window(control));
    EXPECT_EQ(capture_window(), 0u);
    EXPECT_FALSE(destroy_window(owner));
    run_for(100);
    EXPECT_TRUE(received_of(owned, msg::timer).empty()) << "no timer for a destroyed window";
}

TEST_F(Win32Window, ADestroyRequestedFromInsideTheDestructionIsRefused) {
    const WindowHandle owner = make_window();
    const WindowHandle owned = make_window(style::popup | style::visible, owner);
    reaction() = [&](const Received& got, std::int32_t&) {
        if (got.window == owned && got.message == msg::destroy) {
            EXPECT_FALSE(destroy_window(owner));
        }
        return false;
    };
    EXPECT_TRUE(destroy_window(owner));
    EXPECT_EQ(received_of(owner, msg::destroy).size(), 1u);
}

TEST_F(Win32Window, FocusMovesWithKillThenSetAndNeverToADisabledWindow) {
    const WindowHandle parent = make_window(style::popup | style::visible, 0, 0);
    const WindowHandle first = make_window(style::child | style::visible, parent, 0, 1);
    const WindowHandle second = make_window(style::child | style::visible, parent, 0, 2);
    set_focus(first);
    ASSERT_EQ(focus_window(), first);
    received().clear();

    EXPECT_EQ(set_focus(second), first);
    std::vector<Received> focus_messages;
    std::ranges::copy_if(received(), std::back_inserter(focus_messages), [](const Received& got) {
        return got.message == msg::kill_focus || got.message == msg::set_focus;
    });
    EXPECT_EQ(focus_messages, (std::vector<Received>{{first, msg::kill_focus, second, 0},
                                                     {second, msg::set_focus, first, 0}}));

    enable_window(first, false);
    EXPECT_EQ(set_focus(first), 0u);
    EXPECT_EQ(focus_window(), second);
    EXPECT_FALSE(enable_window(second, false)) << "it was enabled";
    EXPECT_EQ(focus_window(), 0u) << "a disabled window loses the keyboard";
    EXPECT_TRUE(enable_window(second, true)) << "it was disabled";

    set_focus(second);
    destroy_window(second);
    EXPECT_NE(focus_window(), second) << "a destroyed window's focus is dropped";
}

TEST_F(Win32Window, CaptureIsHeldUntilReleasedOrTheHolderGoes) {
    const WindowHandle window = make_window();
    EXPECT_EQ(set_capture(window), 0u);
    EXPECT_EQ(capture_window(), window);
    release_capture();
    EXPECT_EQ(capture_window(), 0u);
    set_capture(window);
    EXPECT_EQ(set_capture(0x12345678u), window) << "no such window: the capture stays";
    destroy_window(window);
    EXPECT_EQ(capture_window(), 0u);
}

TEST_F(Win32Window, PropertiesUserDataAndTextsWithAccentedLetters) {
    const WindowHandle window = make_window(style::popup | style::visible, 0, 0);
    int value = 0;
    EXPECT_TRUE(set_window_property(window, "objet", &value));
    EXPECT_EQ(window_property(window, "objet"), &value);
    EXPECT_EQ(window_property(window, "autre"), nullptr);
    set_window_user_data(window, &received());
    EXPECT_EQ(window_user_data(window), &received());
    EXPECT_EQ(window_property(window, "objet"), &value) << "user data and properties are apart";

    const std::u16string title = u"Hélène à l'Œuvre — 12 €";
    EXPECT_TRUE(set_window_text(window, title));
    EXPECT_EQ(window_text(window), title);
    EXPECT_TRUE(set_window_text(window, u""));
    EXPECT_EQ(window_text(window), u"");

    destroy_window(window);
    EXPECT_FALSE(set_window_property(window, "objet", &value));
    EXPECT_EQ(window_property(window, "objet"), nullptr);
    EXPECT_EQ(window_text(window), u"");
}

class Win32Controls : public Win32Window {
protected:
    WindowHandle make_control(std::string_view class_name, std::u16string text, std::int32_t id,
                              std::uint32_t extra_style = 0) {
        return create_window({.class_name = std::string(class_name),
                              .text = std::move(text),
                              .style = style::child | style::visible | extra_style,
                              .x = 10,
                              .y = 10,
                              .width = 150,
                              .height = 24,
                              .parent = dialog,
                              .control_id = id});
    }
    WindowHandle dialog = 0;
    void SetUp() override {
        Win32Window::SetUp();
        dialog = make_window(style::popup | style::visible | style::caption, 0, 0);
    }
};

TEST_F(Win32Controls, AnEditFieldHoldsWhatIsTypedOverItsSelection) {
    const WindowHandle edit = make_control(edit_class, u"", 10, style::edit_auto_hscroll);
    ASSERT_NE(edit, 0u);
    EXPECT_EQ(window_class_name(edit), edit_class);
    set_dialog_font(edit);
    EXPECT_NE(SendMessageW(reinterpret_cast<HWND>(
                               static_cast<std::intptr_t>(static_cast<std::int32_t>(edit))),
                           WM_GETFONT, 0, 0),
              0);
    set_window_text(edit, u"Hélène");
    set_edit_selection(edit, 2, 4);
    send_message(edit, msg::character, u'ï', 1);
    EXPECT_EQ(window_text(edit), u"Héïne");
    set_edit_selection(edit, 5, 5);
    send_message(edit, msg::character, u'€', 1);
    EXPECT_EQ(window_text(edit), u"Héïne€") << "the field takes UTF-16 as typed";
}

TEST_F(Win32Controls, AClickedButtonSendsItsIdToTheParent) {
    const WindowHandle button =
        make_control(button_class, u"OK", 1000, style::tab_stop | style::button_default_push);
    const WindowHandle label = make_control(static_class, u"Votre nom :", 0);
    ASSERT_NE(button, 0u);
    EXPECT_EQ(window_class_name(label), static_class);
    EXPECT_EQ(window_text(label), u"Votre nom :");
    EXPECT_EQ(window_parent(button), dialog);
    received().clear();

    // The button's own click, as the mouse or the space bar gives it.
    const HWND hwnd =
        reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(button)));
    SendMessageW(hwnd, BM_CLICK, 0, 0);
    run_until([&] { return !received_of(dialog, msg::command).empty(); });
    const auto commands = received_of(dialog, msg::command);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wparam, 1000u);
    EXPECT_EQ(commands[0].lparam, static_cast<std::int32_t>(button));
}

}  // namespace
}  // namespace platform::testing

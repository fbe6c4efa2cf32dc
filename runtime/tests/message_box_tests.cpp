// Message boxes: what reaches the platform's box, and the windows disabled while it is up.
#include "platform/shell.h"
#include "runtime/dialogs.h"
#include "runtime/tests/modal_fixture.h"

namespace {

using platform::WindowHandle;
namespace testing = platform::testing;

class MessageBoxTest : public ModalTest {};

TEST_F(MessageBoxTest, TextsAndTypeReachTheBoxOwnedByTheForegroundWindow) {
    const WindowHandle main = make_window();
    const WindowHandle other = make_window();
    testing::set_foreground(main);
    testing::on_message_box([&](const testing::Event& box) {
        EXPECT_EQ(box.window, main);
        EXPECT_FALSE(platform::is_window_enabled(main));
        EXPECT_FALSE(platform::is_window_enabled(other));
        return 7;
    });

    EXPECT_EQ(
        show_message_box("Probl\xE8me", "Impossible d'ouvrir le p\xE9riph\xE9rique MIDI", 0x30), 7);
    EXPECT_EQ(show_message("Fin de la partie", "F\xE9licitations, vous \xEAtes tr\xE8s dou\xE9s."),
              7);

    const auto boxes = testing::events_of(testing::EventKind::message_box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, u"Probl\u00E8me");
    EXPECT_EQ(boxes[0].text, u"Impossible d'ouvrir le p\u00E9riph\u00E9rique MIDI");
    EXPECT_EQ(boxes[0].value, 0x30u) << "the type is passed on unchanged";
    EXPECT_EQ(boxes[1].caption, u"Fin de la partie");
    EXPECT_EQ(boxes[1].text, u"F\u00E9licitations, vous \u00EAtes tr\u00E8s dou\u00E9s.");
    EXPECT_EQ(boxes[1].value, platform::message_box_ok);
    EXPECT_TRUE(platform::is_window_enabled(main));
    EXPECT_TRUE(platform::is_window_enabled(other));
}

TEST_F(MessageBoxTest, WithAnotherProgramInFrontTheBoxHasNoOwnerAndOnlyOurDisablingIsUndone) {
    const WindowHandle main = make_window();
    const WindowHandle hidden = make_window(false);
    const WindowHandle already_disabled = make_window();
    platform::enable_window(already_disabled, false);
    testing::set_foreground(0);
    testing::on_message_box([&](const testing::Event& box) {
        EXPECT_EQ(box.window, 0u);
        EXPECT_FALSE(platform::is_window_enabled(main));
        EXPECT_TRUE(platform::is_window_enabled(hidden));
        return platform::message_box_result_ok;
    });

    EXPECT_EQ(show_message("Fin de la partie", "Il vous reste 37 briques"),
              platform::message_box_result_ok);
    EXPECT_TRUE(platform::is_window_enabled(main));
    EXPECT_TRUE(platform::is_window_enabled(hidden));
    EXPECT_FALSE(platform::is_window_enabled(already_disabled));

    // Disabling and restoring by hand pair up the same way.
    disable_thread_windows();
    EXPECT_FALSE(platform::is_window_enabled(main));
    restore_thread_windows();
    restore_thread_windows();
    EXPECT_TRUE(platform::is_window_enabled(main));
    EXPECT_FALSE(platform::is_window_enabled(already_disabled));
}

}  // namespace

// The name dialog: its window and controls, how the player answers, and the windows it disables.
#include <functional>
#include <string>
#include <vector>

#include "platform/common/window_table.h"
#include "runtime/dialogs.h"
#include "runtime/tests/modal_fixture.h"

namespace {

using platform::WindowHandle;
namespace msg = platform::msg;
namespace vk = platform::vk;
namespace testing = platform::testing;

struct DialogParts {
    WindowHandle dialog = 0;
    WindowHandle prompt = 0;
    WindowHandle edit = 0;
    WindowHandle button = 0;
};

// The dialog on the screen, found the way the player sees it: by its class and its controls.
DialogParts find_dialog() {
    DialogParts parts;
    for (const WindowHandle window : platform::thread_windows()) {
        if (platform::window_class_name(window) == "InputRequester") {
            parts.dialog = window;
        }
    }
    for (const WindowHandle window : platform::common::all_windows()) {
        const auto* record = platform::common::find_window(window);
        if (parts.dialog == 0 || !record->child || record->parent != parts.dialog) {
            continue;
        }
        if (record->class_name == "STATIC") {
            parts.prompt = window;
        } else if (record->class_name == "EDIT") {
            parts.edit = window;
        } else {
            parts.button = window;
        }
    }
    return parts;
}

// The player's part: runs once, the first time the dialog's loop waits. With nothing queued by
// then, the loop would wait for ever and the test world ends it with a quit request.
void when_dialog_waits(std::function<void(const DialogParts&)> act) {
    testing::on_idle([act = std::move(act), acted = false]() mutable {
        if (!acted) {
            acted = true;
            act(find_dialog());
        }
    });
}

std::string ask_name(std::string_view default_text = "Anne") {
    return show_input_requester("Vormelin", "Saisissez votre nom :", default_text);
}

// What the player sees of one window: styles, place (client place for a control), id and text.
struct Shape {
    std::uint32_t ex_style = 0;
    std::uint32_t style = 0;
    platform::Rect rect;
    std::int32_t id = 0;
    std::u16string text;
    friend bool operator==(const Shape&, const Shape&) = default;
};

Shape shape_of(WindowHandle window) {
    const auto& record = *platform::common::find_window(window);
    return {record.ex_style, record.style, record.rect, record.control_id,
            platform::window_text(window)};
}

class InputRequesterTest : public ModalTest {};

TEST_F(InputRequesterTest, DialogIsCentredWithPromptFieldAndDefaultButton) {
    DialogParts seen;
    when_dialog_waits([&](const DialogParts& parts) {
        seen = parts;
        ASSERT_NE(parts.dialog, 0u);
        EXPECT_EQ(shape_of(parts.dialog),
                  (Shape{0, 0x10C00000, {362, 319, 662, 449}, 0, u"Vormelin"}));
        EXPECT_EQ(platform::common::find_window(parts.dialog)->background,
                  platform::ClassBackground::button_face);
        EXPECT_EQ(shape_of(parts.prompt),
                  (Shape{0, 0x5000000B, {10, 10, 290, 32}, 0, u"Saisissez votre nom :"}));
        EXPECT_EQ(shape_of(parts.edit), (Shape{0x200, 0x50010080, {10, 32, 285, 53}, 10, u"Anne"}));
        EXPECT_EQ(shape_of(parts.button), (Shape{0, 0x50010001, {110, 67, 190, 92}, 1000, u"OK"}));
        for (const WindowHandle control : {parts.prompt, parts.edit, parts.button}) {
            EXPECT_TRUE(testing::has_dialog_font(control)) << "control " << control;
        }
        EXPECT_EQ(platform::focus_window(), parts.edit);
        const testing::EditSelection caret = testing::edit_selection(parts.edit);
        EXPECT_EQ(caret.start, 4) << "the caret after the last character";
        EXPECT_EQ(caret.end, 4) << "nothing selected";
        testing::key_press(parts.edit, vk::enter);
    });

    EXPECT_EQ(ask_name(), "Anne");
    EXPECT_FALSE(platform::is_window(seen.dialog));
    EXPECT_FALSE(platform::window_class_exists("InputRequester"));
    EXPECT_FALSE(testing::starved());

    // Centred on whatever screen there is, and empty without a default text.
    testing::set_screen_size({1280, 1024});
    when_dialog_waits([](const DialogParts& parts) {
        EXPECT_EQ(platform::window_rect(parts.dialog), (platform::Rect{490, 447, 790, 577}));
        EXPECT_EQ(platform::window_text(parts.edit), u"");
        testing::key_press(parts.edit, vk::escape);
    });
    EXPECT_EQ(ask_name(""), "");
}

TEST_F(InputRequesterTest, EnterAndOkReturnWhatTheFieldHoldsInTheCodePage) {
    when_dialog_waits([](const DialogParts& parts) {
        testing::type_into(parts.edit, u"Anne-Zo\u00EB");
        testing::key_press(parts.edit, vk::enter);
    });
    EXPECT_EQ(ask_name(), "Anne-Zo\xEB");

    // A click on OK; a character the code page cannot hold comes back as "?".
    when_dialog_waits([](const DialogParts& parts) {
        testing::type_into(parts.edit, u"\u0150d\u00F6n \u20AC");
        platform::post_message(parts.dialog, msg::command, 1000,
                               static_cast<std::int32_t>(parts.button));
    });
    EXPECT_EQ(ask_name(), "?d\xF6n \x80");

    // Confirming an emptied field gives the empty text; spaces are kept as typed.
    when_dialog_waits([](const DialogParts& parts) {
        testing::type_into(parts.edit, u"");
        testing::key_press(parts.edit, vk::enter);
    });
    EXPECT_EQ(ask_name(), "");
    when_dialog_waits([](const DialogParts& parts) {
        testing::type_into(parts.edit, u" Lou ");
        testing::key_press(parts.edit, vk::enter);
    });
    EXPECT_EQ(ask_name(), " Lou ");
    EXPECT_FALSE(testing::starved());
}

TEST_F(InputRequesterTest, EscapeACloseRequestAndOtherCommandsDoNotConfirm) {
    when_dialog_waits([](const DialogParts& parts) {
        testing::type_into(parts.edit, u"Paul");
        // A notification of the edit field changes nothing.
        platform::send_message(parts.dialog, msg::command, (1u << 16) | 10u,
                               static_cast<std::int32_t>(parts.edit));
        EXPECT_TRUE(platform::is_window(parts.dialog));
        testing::key_press(parts.edit, vk::escape);
    });
    EXPECT_EQ(ask_name(), "");

    when_dialog_waits([](const DialogParts& parts) {
        testing::type_into(parts.edit, u"Paul");
        platform::post_message(parts.dialog, msg::close, 0, 0);
    });
    EXPECT_EQ(ask_name(), "");
    EXPECT_FALSE(platform::window_class_exists("InputRequester"));
    EXPECT_FALSE(testing::starved());
}

TEST_F(InputRequesterTest, OwnerIsDisabledMeanwhileAndEnabledBeforeTheDialogIsDestroyed) {
    const WindowHandle main = make_window();
    const WindowHandle other = make_window();
    const WindowHandle hidden = make_window(false);
    testing::set_foreground(main);
    platform::set_focus(main);
    platform::set_timer(main, 7, 100, nullptr);

    // A window owned by the dialog is destroyed first when the dialog goes: what it sees then is
    // the state the dialog leaves behind when its window is destroyed.
    static std::vector<bool> enabled_at_destruction;
    enabled_at_destruction.clear();
    platform::register_window_class(
        {.name = "Probe",
         .procedure = [](WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                         std::int32_t lparam) {
             if (message == msg::destroy) {
                 const auto windows = platform::thread_windows();
                 enabled_at_destruction = {platform::is_window_enabled(windows[0]),
                                           platform::is_window_enabled(windows[1])};
             }
             return platform::default_window_proc(window, message, wparam, lparam);
         }});

    testing::on_idle([&, acted = false]() mutable {
        // The dialog's loop goes on dispatching the other windows' messages: let a timer fire.
        if (acted || !got(main, msg::timer)) {
            return;
        }
        acted = true;
        const DialogParts parts = find_dialog();
        EXPECT_EQ(platform::window_parent(parts.dialog), main);
        EXPECT_EQ(platform::foreground_window(), parts.dialog);
        EXPECT_FALSE(platform::is_window_enabled(main));
        EXPECT_FALSE(platform::is_window_enabled(other));
        EXPECT_TRUE(platform::is_window_enabled(hidden));
        platform::create_window({.class_name = "Probe", .parent = parts.dialog});
        testing::key_press(parts.edit, vk::enter);
    });

    EXPECT_EQ(ask_name(), "Anne");
    EXPECT_EQ(enabled_at_destruction, (std::vector<bool>{true, true}));
    EXPECT_TRUE(platform::is_window_enabled(main));
    EXPECT_TRUE(platform::is_window_enabled(other));
    EXPECT_TRUE(platform::is_window_enabled(hidden));
    EXPECT_EQ(platform::focus_window(), main) << "the keyboard comes back to the owner";
}

TEST_F(InputRequesterTest, WithAnotherProgramInFrontEveryVisibleEnabledWindowIsDisabled) {
    const WindowHandle main = make_window();
    const WindowHandle other = make_window();
    const WindowHandle hidden = make_window(false);
    const WindowHandle already_disabled = make_window();
    platform::enable_window(already_disabled, false);
    testing::set_foreground(0);

    when_dialog_waits([&](const DialogParts& parts) {
        EXPECT_EQ(platform::window_parent(parts.dialog), 0u) << "no owner";
        EXPECT_FALSE(platform::is_window_enabled(main));
        EXPECT_FALSE(platform::is_window_enabled(other));
        EXPECT_TRUE(platform::is_window_enabled(hidden));
        EXPECT_TRUE(platform::is_window_enabled(parts.dialog));
        testing::key_press(parts.edit, vk::escape);
    });

    EXPECT_EQ(ask_name(), "");
    EXPECT_TRUE(platform::is_window_enabled(main));
    EXPECT_TRUE(platform::is_window_enabled(other));
    EXPECT_TRUE(platform::is_window_enabled(hidden));
    EXPECT_FALSE(platform::is_window_enabled(already_disabled)) << "it was not ours to enable";
}

TEST_F(InputRequesterTest, QuitRequestClosesTheDialogAndIsLeftForTheOuterLoop) {
    const WindowHandle main = make_window();
    const WindowHandle other = make_window();
    testing::set_foreground(main);
    WindowHandle dialog = 0;
    when_dialog_waits([&](const DialogParts& parts) {
        dialog = parts.dialog;
        testing::type_into(parts.edit, u"Paul");
        platform::post_quit_message(3);
    });

    EXPECT_EQ(ask_name(), "");
    EXPECT_FALSE(platform::is_window(dialog));
    EXPECT_FALSE(platform::window_class_exists("InputRequester"));
    EXPECT_TRUE(platform::is_window_enabled(main));
    EXPECT_TRUE(platform::is_window_enabled(other));

    testing::on_idle(nullptr);
    platform::Message message;
    EXPECT_FALSE(platform::get_message(message));
    EXPECT_EQ(message.message, msg::quit);
    EXPECT_EQ(message.wparam, 3u);
    EXPECT_FALSE(testing::starved());
}

TEST_F(InputRequesterTest, DestroyingTheOwnerEndsTheDialogAndLeavesNothingDisabled) {
    const WindowHandle main = make_window();
    const WindowHandle other = make_window();
    testing::set_foreground(main);
    when_dialog_waits([&](const DialogParts&) {
        platform::destroy_window(main);
        platform::post_message(other, msg::user, 0, 0);  // the player's next move
    });

    EXPECT_EQ(ask_name(), "");
    EXPECT_TRUE(find_dialog().dialog == 0);
    EXPECT_TRUE(platform::is_window_enabled(other));
    EXPECT_FALSE(testing::starved());
}

}  // namespace

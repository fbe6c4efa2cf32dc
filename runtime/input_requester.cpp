// The name dialog: a prompt, a one-line edit field and an OK button in a small window centred on
// the screen, with a message loop of its own that lasts until the dialog window is destroyed.
#include "platform/accelerators.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "runtime/dialogs.h"
#include "runtime/text.h"

namespace {

using platform::WindowHandle;

constexpr std::string_view dialog_class = "InputRequester";
constexpr std::uint32_t redraw_on_resize = 3;  // horizontal and vertical redraw, for the record
constexpr std::int32_t dialog_width = 300;
constexpr std::int32_t dialog_height = 130;
constexpr std::int32_t prompt_id = 0;
constexpr std::int32_t edit_id = 10;
constexpr std::uint16_t ok_command = 1000;      // the OK button and the Enter key
constexpr std::uint16_t cancel_command = 1001;  // the Escape key

// What the call showing the dialog shares with the dialog's window procedure, which finds it
// through the window's user data. It lives in that call, which never returns before the window
// is destroyed; so dialogs may nest, each with its own record.
struct InputRequester {
    WindowHandle dialog = 0;
    WindowHandle prompt = 0;
    WindowHandle edit = 0;
    WindowHandle button = 0;
    WindowHandle owner = 0;
    bool owner_disabled = false;  // the dialog disabled its owner and has not enabled it again
    bool done = false;            // the dialog window is destroyed
    std::string result;           // what the field held when the player confirmed
};

// Closing may be asked for more than once (a close after a quit request); each step is then
// a no-op.
void close_dialog(InputRequester& state) {
    // The owner is usable again before the dialog goes, so that the keyboard comes back to it.
    if (state.owner_disabled) {
        platform::enable_window(state.owner, true);
        state.owner_disabled = false;
    }
    restore_thread_windows();
    platform::destroy_window(state.dialog);
}

std::int32_t input_requester_proc(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                                  std::int32_t lparam) {
    auto* state = static_cast<InputRequester*>(platform::window_user_data(window));
    if (message == platform::msg::destroy) {
        platform::unregister_window_class(dialog_class);
        if (state != nullptr) {
            state->done = true;
        }
        return 0;
    }
    if (state == nullptr) {  // messages of the creation, before the record is attached
        return platform::default_window_proc(window, message, wparam, lparam);
    }
    switch (message) {
        case platform::msg::command:
            switch (wparam & 0xFFFFu) {
                case ok_command:
                    state->result = from_wide(platform::window_text(state->edit));
                    close_dialog(*state);
                    return 0;
                case cancel_command:
                    close_dialog(*state);
                    return 0;
                default:  // notifications of the edit field
                    return 0;
            }
        case platform::msg::close:
            close_dialog(*state);
            return 0;
        default:
            return platform::default_window_proc(window, message, wparam, lparam);
    }
}

WindowHandle create_dialog_window(std::u16string title, WindowHandle owner) {
    const platform::Size screen = platform::screen_size();
    return platform::create_window({.class_name = std::string(dialog_class),
                                    .text = std::move(title),
                                    .style = platform::style::visible | platform::style::caption,
                                    .x = screen.cx / 2 - dialog_width / 2,
                                    .y = screen.cy / 2 - dialog_height / 2,
                                    .width = dialog_width,
                                    .height = dialog_height,
                                    .parent = owner});
}

WindowHandle create_control(std::string_view class_name, std::uint32_t ex_style,
                            std::u16string text, std::uint32_t style, platform::Rect rect,
                            WindowHandle dialog, std::int32_t id) {
    const WindowHandle control =
        platform::create_window({.ex_style = ex_style,
                                 .class_name = std::string(class_name),
                                 .text = std::move(text),
                                 .style = platform::style::child | platform::style::visible | style,
                                 .x = rect.left,
                                 .y = rect.top,
                                 .width = rect.right - rect.left,
                                 .height = rect.bottom - rect.top,
                                 .parent = dialog,
                                 .control_id = id});
    platform::set_dialog_font(control);
    return control;
}

void create_controls(InputRequester& state, std::u16string prompt, std::u16string default_text) {
    namespace style = platform::style;
    state.prompt =
        create_control(platform::static_class, 0, std::move(prompt), style::static_left_no_wrap,
                       {10, 10, 290, 32}, state.dialog, prompt_id);
    state.edit = create_control(platform::edit_class, platform::ex_style::client_edge, {},
                                style::tab_stop | style::edit_auto_hscroll, {10, 32, 285, 53},
                                state.dialog, edit_id);
    platform::set_focus(state.edit);
    if (!default_text.empty()) {
        // The caret after the last character, nothing selected: typing appends.
        const auto end = static_cast<std::int32_t>(default_text.size());
        platform::set_window_text(state.edit, default_text);
        platform::set_edit_selection(state.edit, end, end);
    }
    state.button = create_control(platform::button_class, 0, u"OK",
                                  style::tab_stop | style::button_default_push, {110, 67, 190, 92},
                                  state.dialog, ok_command);
}

}  // namespace

std::string show_input_requester(std::string_view title, std::string_view prompt,
                                 std::string_view default_text) {
    // Private copies: the dialog's loop may run code that changes the caller's texts.
    std::u16string wide_title = to_wide(title);
    std::u16string wide_prompt = to_wide(prompt);
    std::u16string wide_default = to_wide(default_text);

    platform::register_window_class({.name = std::string(dialog_class),
                                     .procedure = input_requester_proc,
                                     .class_style = redraw_on_resize,
                                     .arrow_cursor = true,
                                     .background = platform::ClassBackground::button_face});
    InputRequester state;
    disable_thread_windows();
    state.owner = foreground_owner();
    if (state.owner != 0 && platform::is_window_enabled(state.owner)) {
        platform::enable_window(state.owner, false);
        state.owner_disabled = true;
    }
    state.dialog = create_dialog_window(std::move(wide_title), state.owner);
    if (state.dialog == 0) {
        close_dialog(state);
        platform::unregister_window_class(dialog_class);
        return {};
    }
    platform::set_window_user_data(state.dialog, &state);
    create_controls(state, std::move(wide_prompt), std::move(wide_default));

    const platform::AcceleratorTable accelerators = platform::create_accelerator_table(
        {{platform::vk::enter, ok_command}, {platform::vk::escape, cancel_command}});
    platform::set_foreground_window(state.dialog);
    platform::bring_window_to_top(state.dialog);

    // Enter and Escape act wherever they are pressed in the thread.
    platform::run_nested_loop([&state] { return state.done; },
                              [&](const platform::Message& message) {
                                  return platform::translate_accelerator(state.dialog, accelerators,
                                                                         message);
                              });
    platform::destroy_accelerator_table(accelerators);
    // Whatever ended the loop (a quit request, or the owner destroyed with the dialog), nothing
    // stays disabled and no dialog stays behind.
    close_dialog(state);
    return state.result;
}

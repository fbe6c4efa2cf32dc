// The main window: its widgets at creation, its button pictures, its commands and the
// notification-area icon that stands in for it while it is hidden.
#include "app/main_window.h"

#include <array>
#include <string_view>

#include "app/tray.h"
#include "game/board_widget.h"
#include "panels/drawing.h"
#include "panels/help_panel.h"
#include "panels/text_label.h"
#include "panels/tooltip.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/window.h"
#include "runtime/dialogs.h"
#include "scores/save_failure.h"
#include "scores/score_file.h"
#include "scores/score_table.h"
#include "sound/midi.h"
#include "widgets/host_window_proc.h"
#include "widgets/picture_button.h"

namespace msg = platform::msg;

namespace {

struct ButtonPlace {
    std::int32_t id;
    std::int32_t x;
    std::int32_t y;
    std::string_view picture;
    std::string_view tooltip;  // Windows-1252
};

// The five round buttons, in creation order; their resting faces are part of the background.
// ("R\xE9" "duire" is split so that the d is not read as part of the hexadecimal escape.)
constexpr std::array<ButtonPlace, 5> buttons{{
    {1, 619, 470, "BF", "Fermer"},
    {2, 581, 465, "BM",
     "R\xE9"
     "duire"},
    {3, 467, 470, "BT", "Nouveau tableau de jeu"},
    {4, 505, 465, "BR", "Remise \xE0 z\xE9ro de la\nliste des scores"},
    {5, 543, 461, "BA", "Aide"},
}};
constexpr std::int32_t button_width = 36;
constexpr std::int32_t button_height = 34;
constexpr std::int32_t tooltip_delay_ms = 1500;
constexpr std::int32_t tooltip_duration_ms = 3000;
constexpr const char* problem_caption = "Probl\xE8me";  // Windows-1252

struct MainWindowParts {
    std::array<platform::Image*, 5> button_pictures{};  // hover faces, owned here
    BoardRecord* board = nullptr;
    HelpPanel* help = nullptr;
    TextLabel* label = nullptr;
};

MainWindowParts parts;

void create_widgets(platform::WindowHandle hwnd) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        load_png_resource(buttons[i].picture, parts.button_pictures[i]);
    }
    set_current_host(hwnd);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ButtonPlace& place = buttons[i];
        button_new(0, place.id, place.x, place.y, button_width, button_height, nullptr,
                   parts.button_pictures[i], nullptr);
        tooltip_add(place.id, place.tooltip, tooltip_delay_ms, tooltip_duration_ms);
    }
    parts.board = create_board_widget(0, 6, 30, 31, 14, 16);
    parts.help = help_panel_new(6, 7, 40, 41, 386, 444);
    parts.label = label_new(7, 8, 210, 460, 65, "Fermer");
}

void dispose_button_pictures() {
    for (platform::Image*& picture : parts.button_pictures) {
        if (picture != nullptr) {
            platform::image_dispose(picture);
            picture = nullptr;
        }
    }
}

void hide_help_and_show_board() {
    parts.help->widget->state = widget_state::hidden;
    update_board_now(*parts.board);
}

void toggle_help() {
    if (parts.help->widget->state == widget_state::hidden) {
        parts.help->redraw = true;
        parts.label->redraw = true;
        help_panel_callback(parts.help, msg::paint, paint_event::direct, widget_state::normal);
    } else {
        hide_help_and_show_board();
    }
}

void new_board() {
    generate_board(*parts.board);
    draw_attempt_chart(*parts.board);
    update_board_now(*parts.board);
}

// The player hears of a table that cannot be saved before the game ends and it is lost.
void save_scores_or_say_why() {
    const platform::FileError error = save_scores(parts.board->scores);
    if (error != platform::FileError::none) {
        show_message_box(problem_caption, save_failure_text(error), platform::message_box_ok);
    }
}

// The board hears the arrows, Space and Enter of the window, whichever widget was pressed last.
// Not while a box or the name dialog is up (they disable the window, and take the keys, but a key
// queued before may still come in their loop), nor while a tooltip is up.
void key_to_board(platform::WindowHandle hwnd, std::uint32_t key, std::int32_t lparam) {
    if (parts.board == nullptr || !platform::is_window_enabled(hwnd) || tooltip_state().hwnd != 0) {
        return;
    }
    board_key_down(*parts.board, key, lparam);
}

void run_command(platform::WindowHandle hwnd, std::uint32_t command) {
    switch (command) {
        case command_id::close:
            save_scores_or_say_why();
            platform::send_message(hwnd, msg::close, 0, 0);
            break;
        case command_id::minimise:
            minimise_to_tray(hwnd);
            break;
        case command_id::new_board:
            new_board();
            break;
        case command_id::reset_scores:
            reset_scores(parts.board->scores);
            break;
        case command_id::help:
            toggle_help();
            break;
        case command_id::close_help:
            hide_help_and_show_board();
            break;
        default:
            break;
    }
}

// The host makes a new canvas for a screen of another pixel ratio and composes the widgets on it:
// the board then draws its cells, scores and chart again, and a help panel that is shown is
// drawn over it once the board is.
bool canvas_will_be_remade(platform::WindowHandle hwnd) {
    const HostWindow* host = host_of(hwnd);
    return host != nullptr && host->canvas != nullptr &&
           platform::canvas_scale(host->canvas) !=
               platform::canvas_scale_for(platform::window_pixel_ratio(hwnd));
}

void redraw_help_if_shown() {
    if (parts.help->widget->state != widget_state::hidden) {
        parts.help->redraw = true;
        parts.label->redraw = true;
        help_panel_callback(parts.help, msg::paint, paint_event::direct, 0);
    }
}

}  // namespace

std::int32_t main_window_proc(platform::WindowHandle hwnd, std::uint32_t message,
                              std::uint32_t wparam, std::int32_t lparam) {
    switch (message) {
        case msg::create:
            create_widgets(hwnd);
            platform::post_come_forward_requests(hwnd, come_forward_message);
            break;
        case msg::destroy:
            platform::post_come_forward_requests(0, 0);
            dispose_button_pictures();
            break;
        case come_forward_message:
            come_forward(hwnd);
            break;
        case msg::command:
            run_command(hwnd, wparam);
            break;
        case msg::key_down:
            key_to_board(hwnd, wparam, lparam);
            break;
        case tray_message:
            if (static_cast<std::uint32_t>(lparam) == msg::lbutton_down) {
                restore_from_tray(hwnd);
            }
            break;
        default:
            break;
    }
    const bool remade = message == msg::dpi_changed && canvas_will_be_remade(hwnd);
    if (remade) {
        parts.board->redraw = true;
    }
    const std::int32_t result = host_window_proc(hwnd, message, wparam, lparam);
    if (remade) {
        redraw_help_if_shown();
    }
    if (message == msg::paint) {
        // The game is on the screen: now its instruments may be made.
        midi_load();
    }
    return result;
}

void reset_main_window() {
    parts = MainWindowParts{};
}

// The main window: its widgets at creation, its button pictures, and its commands.
#include "app/main_window.h"

#include <array>
#include <string_view>

#include "panels/drawing.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "widgets/host_window_proc.h"
#include "widgets/picture_button.h"

namespace msg = platform::msg;

namespace {

struct ButtonPlace {
    std::int32_t id;
    std::int32_t x;
    std::int32_t y;
    std::string_view picture;
};

// The five round buttons, in creation order; their resting faces are part of the background.
constexpr std::array<ButtonPlace, 5> buttons{{
    {1, 619, 470, "BF"},
    {2, 581, 465, "BM"},
    {3, 467, 470, "BT"},
    {4, 505, 465, "BR"},
    {5, 543, 461, "BA"},
}};
constexpr std::int32_t button_width = 36;
constexpr std::int32_t button_height = 34;

// The hover pictures of the buttons, in the order of the table; owned by the main window.
std::array<platform::Image*, 5> button_pictures{};

void create_widgets(platform::WindowHandle hwnd) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        load_png_resource(buttons[i].picture, button_pictures[i]);
    }
    set_current_host(hwnd);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ButtonPlace& place = buttons[i];
        button_new(0, place.id, place.x, place.y, button_width, button_height, nullptr,
                   button_pictures[i], nullptr);
    }
}

void dispose_button_pictures() {
    for (platform::Image*& picture : button_pictures) {
        if (picture != nullptr) {
            platform::image_dispose(picture);
            picture = nullptr;
        }
    }
}

void run_command(platform::WindowHandle hwnd, std::uint32_t command) {
    switch (command) {
        case command_id::close:
            platform::send_message(hwnd, msg::close, 0, 0);
            break;
        default:
            break;
    }
}

}  // namespace

std::int32_t main_window_proc(platform::WindowHandle hwnd, std::uint32_t message,
                              std::uint32_t wparam, std::int32_t lparam) {
    switch (message) {
        case msg::create:
            create_widgets(hwnd);
            break;
        case msg::destroy:
            dispose_button_pictures();
            break;
        case msg::command:
            run_command(hwnd, wparam);
            break;
        default:
            break;
    }
    return host_window_proc(hwnd, message, wparam, lparam);
}

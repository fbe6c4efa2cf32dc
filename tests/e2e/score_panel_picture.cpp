// Draws the score panel as the game shows it for the score file in the working directory, and
// writes the panel's area as a PNG file: the picture the end-to-end tests expect on the screen.
//   score_panel_picture <output.png>
// The window is the game's own board widget over the game's background picture, on the test
// backend, so the pixels are those of the game's drawing code. The PNG holds the colours the
// screen shows: premultiplied by alpha, as a window system without a compositor displays them.
#include <cstdio>
#include <fstream>
#include <vector>

#include "game/board_widget.h"
#include "panels/drawing.h"
#include "platform/message_queue.h"
#include "platform/testing/test_platform.h"
#include "tests/support/png_writer.h"
#include "widgets/host_window_proc.h"
#include "widgets/widget.h"

namespace {

// The score panel's area in the main window; the board widget draws the rows there.
constexpr platform::Rect panel_area{475, 175, 660, 480};

std::int32_t panel_window_proc(platform::WindowHandle hwnd, std::uint32_t message,
                               std::uint32_t wparam, std::int32_t lparam) {
    if (message == platform::msg::create) {
        set_current_host(hwnd);
        create_board_widget(0, 6, 30, 31, 14, 16);  // reads the score file
    }
    return host_window_proc(hwnd, message, wparam, lparam);
}

// Opens the window as the game opens its main window and lets it paint once.
platform::WindowHandle open_painted_window() {
    platform::testing::reset();
    platform::register_window_class({.name = "WidgetQelm", .procedure = panel_window_proc});
    HostWindow& host = host_list().append();
    host.size = {700, 550};
    host.blend = {.operation = 0, .flags = 0, .constant_alpha = 255, .alpha_format = 1};
    load_png_resource("FOND", host.background_image);
    host.hwnd = platform::create_window({.ex_style = platform::ex_style::layered,
                                         .class_name = "WidgetQelm",
                                         .style = platform::style::popup | platform::style::visible,
                                         .width = 700,
                                         .height = 550});
    platform::set_window_property(host.hwnd, host_property, &host);
    platform::invalidate_window(host.hwnd);
    platform::testing::pump();
    return host.hwnd;
}

std::uint8_t premultiplied(platform::Argb colour, int shift) {
    const std::uint32_t alpha = colour >> 24;
    const std::uint32_t channel = (colour >> shift) & 0xFFu;
    return static_cast<std::uint8_t>((channel * alpha + 127) / 255);
}

// The colour the screen shows for a pixel of the window, opaque.
platform::Argb shown_colour(platform::Argb colour) {
    return 0xFF000000u | (std::uint32_t{premultiplied(colour, 16)} << 16) |
           (std::uint32_t{premultiplied(colour, 8)} << 8) | premultiplied(colour, 0);
}

bool write_panel_picture(const platform::Canvas* canvas, const char* path) {
    const std::vector<std::uint8_t> png =
        test_support::make_png(panel_area.right - panel_area.left,
                               panel_area.bottom - panel_area.top, [canvas](int x, int y) {
                                   return shown_colour(platform::canvas_pixel(
                                       canvas, panel_area.left + x, panel_area.top + y));
                               });
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: score_panel_picture <output.png>\n", stderr);
        return 2;
    }
    const platform::WindowHandle window = open_painted_window();
    const platform::Canvas* canvas = platform::testing::last_picture(window);
    if (canvas == nullptr) {
        std::fputs("score_panel_picture: the window was never painted\n", stderr);
        return 1;
    }
    if (!write_panel_picture(canvas, argv[1])) {
        std::fprintf(stderr, "score_panel_picture: cannot write %s\n", argv[1]);
        return 1;
    }
    platform::destroy_window(window);
    return 0;
}

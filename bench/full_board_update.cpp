// The direct update of a full board, on whichever backend the program is built with (Qt on
// Linux, the desktop's own services on Windows, so that both can be run side by side): the
// background, all 224 cells drawn from the game's pictures, and the whole 700 × 550 canvas shown
// on a layered window. Prints the median and the quartiles of the runs in milliseconds, and the
// milliseconds from the start of the program to its window's first picture.
//   full_board_update [runs]
// Needs a display; built without Google Benchmark, which the Windows build does not have.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/graphics.h"
#include "platform/message_queue.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "resources/resources.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int window_width = 700;
constexpr int window_height = 550;
constexpr int columns = 14;
constexpr int rows = 16;
constexpr int cell_size = 29;
constexpr int board_left = 30;
constexpr int board_top = 31;
constexpr const char* cell_pictures[] = {"B1", "B2", "B3", "B4", "B5"};

struct Pictures {
    platform::Image* background = nullptr;
    std::vector<platform::Image*> cells;
};

platform::Image* picture(const char* name) {
    return platform::image_from_png(find_resource(name));
}

Pictures load_pictures() {
    Pictures pictures{picture("FOND"), {}};
    for (const char* name : cell_pictures) {
        pictures.cells.push_back(picture(name));
    }
    return pictures;
}

// A board of every picture in turn, as the game's boards mix them.
void draw_board(platform::Canvas* canvas, const Pictures& pictures, int shift) {
    platform::Graphics* graphics = platform::graphics_create(canvas);
    platform::draw_image(graphics, pictures.background, 0, 0, window_width, window_height);
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            const auto& image = pictures.cells[(column + row + shift) % pictures.cells.size()];
            platform::draw_image(graphics, image, board_left + column * cell_size,
                                 board_top + row * cell_size, cell_size, cell_size);
        }
    }
    platform::graphics_delete(graphics);
}

std::int32_t bench_window_proc(platform::WindowHandle window, std::uint32_t message,
                               std::uint32_t wparam, std::int32_t lparam) {
    return platform::default_window_proc(window, message, wparam, lparam);
}

platform::WindowHandle open_window() {
    platform::register_window_class({"FullBoardUpdate", bench_window_proc, 0, true, {}});
    const platform::Size screen = platform::screen_size();
    return platform::create_window({platform::ex_style::layered | platform::ex_style::topmost |
                                        platform::ex_style::tool_window,
                                    "FullBoardUpdate", u"Full board update",
                                    platform::style::popup | platform::style::visible,
                                    (screen.cx - window_width) / 2, (screen.cy - window_height) / 2,
                                    window_width, window_height, 0, 0});
}

void show(platform::WindowHandle window, const platform::Canvas* canvas) {
    platform::update_layered_window(window, canvas, {window_width, window_height}, {0, 0}, {});
}

double milliseconds_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lets the window system's news of the window (mapped, exposed) be taken in first.
void take_pending_messages(platform::WindowHandle window) {
    constexpr std::uint32_t timer_id = 1;
    bool finished = false;
    platform::set_timer(window, timer_id, 200, nullptr);
    platform::run_nested_loop([&finished] { return finished; },
                              [&finished](const platform::Message& seen) {
                                  finished = seen.message == platform::msg::timer;
                                  return finished;
                              });
    platform::kill_timer(window, timer_id);
}

}  // namespace

int main(int argc, char** argv) {
    const Clock::time_point started = Clock::now();
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    if (!platform::platform_start()) {
        std::fputs("full_board_update: no display\n", stderr);
        return 1;
    }
    const Pictures pictures = load_pictures();
    platform::Canvas* canvas = platform::canvas_create(window_width, window_height);
    const platform::WindowHandle window = open_window();
    draw_board(canvas, pictures, 0);
    show(window, canvas);
    const double first_picture = milliseconds_since(started);
    take_pending_messages(window);

    std::vector<double> times;
    for (int run = 1; run <= runs; ++run) {
        const Clock::time_point start = Clock::now();
        draw_board(canvas, pictures, run);
        show(window, canvas);
        times.push_back(milliseconds_since(start));
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "first picture %.1f ms; full board update median %.2f ms (quartiles %.2f, %.2f) "
        "over %d runs\n",
        first_picture, times[times.size() / 2], times[times.size() / 4],
        times[times.size() * 3 / 4], runs);

    platform::destroy_window(window);
    platform::canvas_delete(canvas);
    platform::platform_stop();
    return 0;
}

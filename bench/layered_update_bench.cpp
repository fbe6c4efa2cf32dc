// The real layered update on the Qt backend: pushing the whole 700 × 550 canvas to a window on
// the display until the display shows it, back to back and as a cascade does it, after a 100 ms
// pause (caches cold), beside a bare copy of the canvas after the same pause. Needs an X display
// (scripts/with-xvfb.sh).
#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "platform/graphics.h"
#include "platform/message_queue.h"
#include "platform/shell.h"
#include "platform/window.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds cascade_pause{100};

struct BenchWindow {
    platform::WindowHandle window = 0;
    platform::Canvas* canvas = nullptr;
    xcb_connection_t* watcher = nullptr;  // the benchmark's own look at the screen
};

constexpr platform::Argb first_colour = 0xFFD02020;
constexpr platform::Argb second_colour = 0xFF2040D0;
constexpr int cell_size = 29;

platform::Argb colour_of_step(int step) {
    return (step % 2) != 0 ? first_colour : second_colour;
}

platform::Point cell_of_step(int step) {
    return {30 + cell_size * (step % 14), 31};
}

// The window system's news of the new window (mapped, exposed) is taken in as the game's main
// loop does, before the game's first turn.
void let_the_window_appear(platform::WindowHandle window) {
    constexpr std::uint32_t timer_id = 7;
    platform::set_timer(window, timer_id, 20, nullptr);
    platform::Message message;
    for (int ticks = 0; ticks < 10 && platform::get_message(message);) {
        ticks += message.message == platform::msg::timer ? 1 : 0;
        platform::dispatch_message(message);
    }
    platform::kill_timer(window, timer_id);
}

// A visible, layered, always-on-top window of the game's size with a picture, as the game's.
bool open_bench_window(benchmark::State& state, BenchWindow& bench) {
    if (!platform::platform_start()) {
        state.SkipWithError("no display");
        return false;
    }
    platform::register_window_class(
        {.name = "BenchWindow", .procedure = platform::default_window_proc});
    bench.window = platform::create_window(
        {.ex_style = platform::ex_style::layered | platform::ex_style::tool_window |
                     platform::ex_style::topmost,
         .class_name = "BenchWindow",
         .style = platform::style::popup | platform::style::visible,
         .x = 162,
         .y = 109,
         .width = 700,
         .height = 550});
    bench.canvas = platform::canvas_create(700, 550);
    platform::Graphics* graphics = platform::graphics_create(bench.canvas);
    platform::fill_rectangle(graphics, 0xDC204C40, 0, 0, 700, 550);
    platform::graphics_delete(graphics);
    platform::update_layered_window(bench.window, bench.canvas, {700, 550}, {0, 0}, {0, 0, 255, 1});
    let_the_window_appear(bench.window);
    bench.watcher = xcb_connect(nullptr, nullptr);
    return xcb_connection_has_error(bench.watcher) == 0;
}

void close_bench_window(const BenchWindow& bench) {
    xcb_disconnect(bench.watcher);
    platform::canvas_delete(bench.canvas);
    platform::destroy_window(bench.window);
    platform::platform_stop();
}

// What a step of a cascade changes: one cell of the board, drawn into the canvas.
void draw_a_cell(platform::Canvas* canvas, int step) {
    platform::Graphics* graphics = platform::graphics_create(canvas);
    const platform::Point cell = cell_of_step(step);
    platform::fill_rectangle(graphics, colour_of_step(step), cell.x, cell.y, cell_size, cell_size);
    platform::graphics_delete(graphics);
}

// The colour the screen shows at a point, read by the benchmark's own connection.
std::uint32_t screen_colour(xcb_connection_t* watcher, platform::Point point) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(watcher)).data->root;
    const auto cookie =
        xcb_get_image(watcher, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<std::int16_t>(point.x),
                      static_cast<std::int16_t>(point.y), 1, 1, ~0u);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
        xcb_get_image_reply(watcher, cookie, nullptr), &std::free);
    if (reply == nullptr || xcb_get_image_data_length(reply.get()) < 4) {
        return 0;
    }
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, xcb_get_image_data(reply.get()), 4);
    return pixel & 0xFFFFFFu;
}

// The step is on the display once the screen shows the cell's new colour (the window's place on
// the screen is the one it was created at).
void wait_until_the_screen_shows(const BenchWindow& bench, int step) {
    const platform::Point cell = cell_of_step(step);
    const platform::Point on_screen{162 + cell.x + cell_size / 2, 109 + cell.y + cell_size / 2};
    // Asked a little apart, so that the asking does not hold up the display it waits for.
    while (screen_colour(bench.watcher, on_screen) != (colour_of_step(step) & 0xFFFFFFu)) {
        std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
}

void push(const BenchWindow& bench) {
    platform::update_layered_window(bench.window, bench.canvas, {700, 550}, {0, 0}, {0, 0, 255, 1});
}

void BM_LayeredUpdateOnTheDisplay(benchmark::State& state) {
    BenchWindow bench;
    if (!open_bench_window(state, bench)) {
        return;
    }
    int step = 0;
    for (auto _ : state) {
        draw_a_cell(bench.canvas, ++step);
        push(bench);
        wait_until_the_screen_shows(bench, step);
    }
    close_bench_window(bench);
}
BENCHMARK(BM_LayeredUpdateOnTheDisplay)->Unit(benchmark::kMillisecond);

// The step the player waits for in a cascade: after the 100 ms pause, a cell changes, the canvas
// goes to the window, and the screen shows it. The time is until the screen shows it;
// `program_ms` is the part until the push returns, which the game's 100 ms rhythm pays.
void BM_CascadeStepAfterPause(benchmark::State& state) {
    BenchWindow bench;
    if (!open_bench_window(state, bench)) {
        return;
    }
    int step = 0;
    double program_ms = 0;  // the part of the step the game's thread spends: what it adds
    for (auto _ : state) {
        std::this_thread::sleep_for(cascade_pause);
        const Clock::time_point start = Clock::now();
        draw_a_cell(bench.canvas, ++step);
        push(bench);
        program_ms += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        wait_until_the_screen_shows(bench, step);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["program_ms"] = program_ms / static_cast<double>(state.iterations());
    close_bench_window(bench);
}
BENCHMARK(BM_CascadeStepAfterPause)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

// The yardstick of the step: copying the 1.5 MB canvas once, after the same pause.
void BM_CanvasCopyAfterPause(benchmark::State& state) {
    platform::Canvas* canvas = platform::canvas_create(700, 550);
    for (auto _ : state) {
        std::this_thread::sleep_for(cascade_pause);
        const Clock::time_point start = Clock::now();
        platform::Canvas* copy = platform::canvas_copy(canvas);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        platform::canvas_delete(copy);
    }
    platform::canvas_delete(canvas);
}
BENCHMARK(BM_CanvasCopyAfterPause)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

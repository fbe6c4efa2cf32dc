// The drawing the player waits for: a direct update of a full board (the step of a cascade,
// every 100 ms), the compose pass of the whole window, and the score panel drawn at once, with
// names of every length.
#include <benchmark/benchmark.h>

#include <string>

#include "game/board_widget.h"
#include "panels/drawing.h"
#include "panels/help_panel.h"
#include "panels/text_label.h"
#include "platform/message_queue.h"
#include "platform/testing/test_platform.h"
#include "scores/score_panel.h"
#include "widgets/host_window_proc.h"
#include "widgets/picture_button.h"
#include "widgets/widget.h"

namespace {

struct BenchWindow {
    platform::WindowHandle hwnd = 0;
    HostWindow* host = nullptr;
    BoardRecord* board = nullptr;
};

std::int32_t bench_window_proc(platform::WindowHandle hwnd, std::uint32_t message,
                               std::uint32_t wparam, std::int32_t lparam) {
    if (message == platform::msg::create) {
        set_current_host(hwnd);
        create_board_widget(0, 6, 30, 31, 14, 16);
        help_panel_new(6, 7, 40, 41, 386, 444);
        label_new(7, 8, 210, 460, 65, "Fermer");
    }
    return host_window_proc(hwnd, message, wparam, lparam);
}

// The board and its panels in a window of the test backend, with the real pictures, a full
// board and the first paint done.
BenchWindow open_bench_window(bool keep_pictures) {
    platform::testing::reset();
    reset_widgets();
    board_list().clear();
    help_list().clear();
    label_list().clear();
    platform::testing::keep_pictures(keep_pictures);
    platform::register_window_class({.name = "WidgetQelm", .procedure = bench_window_proc});
    HostWindow& host = host_list().append();
    host.size = {700, 550};
    host.blend = {0, 0, 255, 1};
    load_png_resource("FOND", host.background_image);
    BenchWindow window;
    window.hwnd =
        platform::create_window({.ex_style = platform::ex_style::layered,
                                 .class_name = "WidgetQelm",
                                 .style = platform::style::popup | platform::style::visible,
                                 .width = 700,
                                 .height = 550});
    host.hwnd = window.hwnd;
    platform::set_window_property(window.hwnd, host_property, &host);
    platform::invalidate_window(window.hwnd);
    platform::testing::pump();
    window.host = &host;
    window.board = &board_list()[0];
    return window;
}

void close_bench_window(const BenchWindow& window) {
    platform::destroy_window(window.hwnd);
}

void BM_BoardDirectUpdate(benchmark::State& state) {
    const BenchWindow window = open_bench_window(state.range(0) != 0);
    for (auto _ : state) {
        update_board_now(*window.board);
        platform::testing::clear_journal();
    }
    close_bench_window(window);
}
BENCHMARK(BM_BoardDirectUpdate)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("keep_picture")
    ->Unit(benchmark::kMillisecond);

void BM_ComposeWholeWindow(benchmark::State& state) {
    const BenchWindow window = open_bench_window(false);
    for (auto _ : state) {
        window.host->compose = 1;
        window.board->redraw = true;
        platform::invalidate_window(window.hwnd);
        platform::testing::pump();
        platform::testing::clear_journal();
    }
    close_bench_window(window);
}
BENCHMARK(BM_ComposeWholeWindow)->Unit(benchmark::kMillisecond);

void BM_ScorePanelDirect(benchmark::State& state) {
    const BenchWindow window = open_bench_window(false);
    for (auto _ : state) {
        draw_score_panel(*window.board, true);
        platform::testing::clear_journal();
    }
    close_bench_window(window);
}
BENCHMARK(BM_ScorePanelDirect)->Unit(benchmark::kMillisecond);

// Thirteen names as long as the name dialog takes, of which the panel shows a few words.
void BM_ScorePanelLongestNames(benchmark::State& state) {
    const BenchWindow window = open_bench_window(false);
    std::string name;
    while (name.size() < 32767) {
        name += "Abcdefghij klmnopqrs ";
    }
    name.resize(32767);
    for (std::string& entry : window.board->scores.names) {
        entry = name;
    }
    for (auto _ : state) {
        draw_score_panel(*window.board, true);
        platform::testing::clear_journal();
    }
    close_bench_window(window);
}
BENCHMARK(BM_ScorePanelLongestNames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

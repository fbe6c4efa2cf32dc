// The real layered update on the Qt backend: pushing the whole 700 × 550 canvas to a window on
// the display, and waiting until the display has it. Needs a display (scripts/with-xvfb.sh).
#include <benchmark/benchmark.h>

#include "platform/graphics.h"
#include "platform/message_queue.h"
#include "platform/shell.h"
#include "platform/window.h"

namespace {

void BM_LayeredUpdateOnTheDisplay(benchmark::State& state) {
    if (!platform::platform_start()) {
        state.SkipWithError("no display");
        return;
    }
    platform::register_window_class(
        {.name = "BenchWindow", .procedure = platform::default_window_proc});
    const platform::WindowHandle window = platform::create_window(
        {.ex_style = platform::ex_style::layered | platform::ex_style::tool_window,
         .class_name = "BenchWindow",
         .style = platform::style::popup | platform::style::visible,
         .x = 162,
         .y = 109,
         .width = 700,
         .height = 550});
    platform::Canvas* canvas = platform::canvas_create(700, 550);
    platform::Graphics* graphics = platform::graphics_create(canvas);
    platform::fill_rectangle(graphics, 0xDC204C40, 0, 0, 700, 550);
    platform::graphics_delete(graphics);
    for (auto _ : state) {
        platform::update_layered_window(window, canvas, {700, 550}, {0, 0}, {0, 0, 255, 1});
    }
    platform::canvas_delete(canvas);
    platform::destroy_window(window);
    platform::platform_stop();
}
BENCHMARK(BM_LayeredUpdateOnTheDisplay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// The application fixture.
#include "app/tests/app_fixture.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "app/host_window_run.h"
#include "app/main_window.h"
#include "app/program.h"
#include "game/board_widget.h"
#include "platform/message_queue.h"
#include "widgets/widget.h"

void AppTest::SetUp() {
    platform::testing::reset();
    zero_program_state();
    previous_directory_ = std::filesystem::current_path();
    std::random_device random;
    directory_ = std::filesystem::temp_directory_path() /
                 ("vormelin-app-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(directory_);
    std::filesystem::current_path(directory_);
}

void AppTest::TearDown() {
    if (platform::is_window(hwnd)) {
        platform::destroy_window(hwnd);
    }
    zero_program_state();
    std::filesystem::current_path(previous_directory_);
    std::filesystem::remove_all(directory_);
}

void AppTest::open_main_window() {
    platform::register_window_class(
        {.name = std::string(host_window_class), .procedure = main_window_proc});
    HostWindow& host = host_list().append();
    host.x = 162;
    host.y = 109;
    host.size = {700, 550};
    host.drag_guard = {23, 22, 441, 500};
    hwnd = platform::create_window({.ex_style = platform::ex_style::layered,
                                    .class_name = std::string(host_window_class),
                                    .style = platform::style::popup | platform::style::visible,
                                    .x = 162,
                                    .y = 109,
                                    .width = 700,
                                    .height = 550});
    ASSERT_NE(hwnd, 0u);
    host.hwnd = hwnd;
    platform::set_window_property(hwnd, host_property, &host);
    platform::set_focus(hwnd);
    platform::invalidate_window(hwnd);
    platform::testing::pump();
}

void AppTest::command(std::uint32_t id) {
    platform::send_message(hwnd, platform::msg::command, id, 0);
}

void AppTest::move_to(platform::Point client) {
    platform::testing::mouse_move(hwnd, client);
    platform::testing::pump();
}

void AppTest::press_at(platform::Point client) {
    platform::testing::mouse_down(hwnd, client);
    platform::testing::pump();
}

BoardRecord& AppTest::board() {
    return board_list()[0];
}

bool AppTest::score_file_exists() const {
    return std::filesystem::exists("Scores.qelm");
}

std::string AppTest::score_file() const {
    std::ifstream file("Scores.qelm", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

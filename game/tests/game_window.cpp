// The game window fixture: board, help panel and label on a plain background.
#include "game/tests/game_window.h"

#include <random>

#include "game/board_widget.h"
#include "platform/message_queue.h"
#include "platform/testing/test_platform.h"
#include "scores/score_table.h"
#include "tests/support/png_writer.h"
#include "widgets/host_window_proc.h"

namespace {

platform::Image* solid_image(int width, int height, platform::Argb colour) {
    return platform::image_from_png(test_support::make_solid_png(width, height, colour));
}

std::filesystem::path fresh_directory() {
    std::random_device random;
    auto path = std::filesystem::temp_directory_path() /
                ("vormelin-game-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

}  // namespace

void GameWindowTest::SetUp() {
    WidgetTest::SetUp();
    board_list().clear();
    help_list().clear();
    label_list().clear();
    set_score_panel_redraw(nullptr);
    previous_directory_ = std::filesystem::current_path();
    directory_ = fresh_directory();
    std::filesystem::current_path(directory_);
}

void GameWindowTest::TearDown() {
    WidgetTest::TearDown();
    set_score_panel_redraw(nullptr);
    std::filesystem::current_path(previous_directory_);
    std::filesystem::remove_all(directory_);
}

void GameWindowTest::open_game() {
    open_host(
        [&] {
            board = create_board_widget(0, 6, 30, 31, 14, 16);
            help = help_panel_new(6, 7, 40, 41, 386, 444);
            label = label_new(7, 8, 210, 460, 65, "Fermer");
        },
        solid_image(700, 550, background_colour));
    // Plain colours instead of the cell pictures, loaded at the board's creation event.
    for (std::size_t code = 1; code < cell_images.size(); ++code) {
        platform::image_dispose(cell_images[code]);
        cell_images[code] = solid_image(29, 29, cell_colours[code]);
    }
    update_board_now(*board);
}

platform::Argb GameWindowTest::shown(platform::Point point) const {
    return platform::canvas_pixel(platform::testing::last_picture(hwnd), point.x, point.y);
}

std::size_t GameWindowTest::update_count() const {
    return platform::testing::events_of(platform::testing::EventKind::layered_update).size();
}

void GameWindowTest::set_cells(const std::vector<std::string>& rows_top_first) {
    board->cells.fill(0);
    for (std::size_t i = 0; i < rows_top_first.size(); ++i) {
        const int row = board_rows - 1 - static_cast<int>(i);
        const std::string& text = rows_top_first[i];
        for (int column = 0; column < board_columns && column < static_cast<int>(text.size());
             ++column) {
            const char cell = text[static_cast<std::size_t>(column)];
            board->cells[cell_index(column, row)] =
                static_cast<std::int8_t>(cell == '.' ? 0 : cell - '0');
        }
    }
}

void GameWindowTest::show_help() {
    help->redraw = 1;
    label->redraw = 1;
    help_panel_callback(help, platform::msg::paint, paint_event::direct, widget_state::normal);
}

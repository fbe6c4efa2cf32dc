// The window on screens of more than one device pixel per pixel: drawn at the screen's density,
// played in logical pixels, and drawn again when it moves to a screen of another density.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "app/main_window.h"
#include "app/tests/app_fixture.h"
#include "game/board.h"
#include "game/random.h"
#include "platform/graphics.h"
#include "platform/message_queue.h"
#include "platform/qt/paint/qt_paint.h"
#include "widgets/widget.h"

namespace testing_platform = platform::testing;
using testing_platform::EventKind;

namespace {

using PixelRatioTest = AppTest;

constexpr std::int32_t help_panel_id = 7;
constexpr platform::Point help_button{561, 478};

std::vector<const platform::Canvas*> pictures_of(platform::WindowHandle window) {
    std::vector<const platform::Canvas*> pictures;
    for (const auto& event : testing_platform::events_of(EventKind::layered_update)) {
        if (event.window == window && event.picture != nullptr) {
            pictures.push_back(event.picture.get());
        }
    }
    return pictures;
}

// Of the 2 × 2 blocks of device pixels in the logical rectangle, the share that are not one
// colour: none in a picture drawn at scale 1 and doubled.
double mixed_block_share(const platform::Canvas* canvas, platform::Rect area) {
    const QImage& image = canvas->image;
    int mixed = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const QRgb first = image.pixel(2 * x, 2 * y);
            mixed += image.pixel(2 * x + 1, 2 * y) != first ||
                             image.pixel(2 * x, 2 * y + 1) != first ||
                             image.pixel(2 * x + 1, 2 * y + 1) != first
                         ? 1
                         : 0;
        }
    }
    return static_cast<double>(mixed) / ((area.right - area.left) * (area.bottom - area.top));
}

platform::Point cell_centre(int column, int row) {
    constexpr int board_x = 30;
    constexpr int board_y = 31;
    constexpr int cell = 29;
    return {board_x + cell * column + cell / 2, board_y + cell * (board_rows - 1 - row) + cell / 2};
}

// A brick with a brick of its colour on its right: pressing it plays a turn.
platform::Point playable_cell(const BoardRecord& board) {
    for (int row = 0; row < board_rows; ++row) {
        for (int column = 0; column + 1 < board_columns; ++column) {
            const std::int8_t code = board.cells[cell_index(column, row)];
            if (code >= 1 && code <= 4 && board.cells[cell_index(column + 1, row)] == code) {
                return cell_centre(column, row);
            }
        }
    }
    return {};
}

void click(platform::WindowHandle window, platform::Point point) {
    testing_platform::mouse_move(window, point);
    testing_platform::mouse_down(window, point);
    testing_platform::mouse_up(window, point);
    testing_platform::pump();
}

TEST_F(PixelRatioTest, AtRatioTwoTheWindowIsDrawnAtTwiceTheResolutionAndPlayedInLogicalPixels) {
    random_seed(7);
    testing_platform::set_pixel_ratio(2.0F);
    open_main_window();
    move_to(help_button);
    press_at(help_button);
    testing_platform::mouse_up(hwnd, help_button);
    testing_platform::pump();
    ASSERT_EQ(widget_state_of(help_panel_id), widget_state::normal) << "the help button, hit";

    const platform::Canvas* shown = testing_platform::last_picture(hwnd);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(platform::canvas_scale(shown), 2);
    EXPECT_EQ(platform::canvas_size(shown), (platform::Size{700, 550}));
    // The help panel's text and the title and frame of the background: most blocks mix colours
    // (text edges, the finer pictures); doubled, none would.
    EXPECT_GT(mixed_block_share(shown, {60, 60, 400, 400}), 0.05);
    EXPECT_GT(mixed_block_share(shown, {200, 15, 500, 70}), 0.05);

    // Closing the help and playing a cell, at their logical places.
    command(command_id::close_help);
    const BoardCells before = board().cells;
    click(hwnd, playable_cell(board()));
    EXPECT_NE(board().cells, before);
    EXPECT_EQ(platform::canvas_scale(testing_platform::last_picture(hwnd)), 2);
}

TEST_F(PixelRatioTest, AMoveToAnotherRatioDuringACascadeRedrawsTheBoardAsTheCascadeLeftIt) {
    random_seed(11);
    open_main_window();
    testing_platform::clear_journal();
    const platform::Point cell = playable_cell(board());
    testing_platform::mouse_move(hwnd, cell);
    testing_platform::mouse_down(hwnd, cell);
    // The screen changes while the turn's pictures are being shown.
    testing_platform::set_pixel_ratio(2.0F);
    testing_platform::pump();

    const auto pictures = pictures_of(hwnd);
    ASSERT_GE(pictures.size(), 3u);
    for (std::size_t i = 0; i + 1 < pictures.size(); ++i) {
        EXPECT_EQ(platform::canvas_scale(pictures[i]), 1) << "cascade picture " << i;
    }
    const platform::Canvas* after = pictures.back();
    ASSERT_EQ(platform::canvas_scale(after), 2);
    // The new canvas shows the board as the turn left it: the well where a cell is empty, a
    // picture where it is not.
    const BoardRecord& played = board();
    std::optional<platform::Argb> well;
    for (int i = 0; i < board_cell_count && !well; ++i) {
        if (played.cells[i] == empty_cell) {
            const platform::Point centre = cell_centre(i % board_columns, i / board_columns);
            well = platform::canvas_pixel(after, centre.x, centre.y);
        }
    }
    ASSERT_TRUE(well) << "the turn emptied cells";
    for (int i = 0; i < board_cell_count; ++i) {
        const platform::Point centre = cell_centre(i % board_columns, i / board_columns);
        EXPECT_EQ(platform::canvas_pixel(after, centre.x, centre.y) == *well,
                  played.cells[i] == empty_cell)
            << "cell " << i;
    }

    // Back on a screen of ratio 1, the window is exactly the last picture of the cascade.
    testing_platform::set_pixel_ratio(1.0F);
    testing_platform::pump();
    const platform::Canvas* back = testing_platform::last_picture(hwnd);
    ASSERT_EQ(platform::canvas_scale(back), 1);
    EXPECT_EQ(back->image, pictures[pictures.size() - 2]->image);
}

}  // namespace

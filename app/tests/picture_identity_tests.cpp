// The window's pictures at one device pixel per logical pixel: a fixed run of the game (first
// paint, hover, help panel, a played turn) must push exactly the pictures it pushed before the
// canvas learned to draw at higher pixel densities. The checksums were taken from that earlier
// drawing code; a change to any pixel of these pictures changes them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/main_window.h"
#include "app/tests/app_fixture.h"
#include "game/random.h"
#include "platform/graphics.h"
#include "platform/message_queue.h"

namespace testing_platform = platform::testing;
using testing_platform::EventKind;

namespace {

using PictureIdentityTest = AppTest;

// FNV-1a over every pixel (not premultiplied), row by row.
std::uint64_t checksum(const platform::Canvas* canvas) {
    const platform::Size size = platform::canvas_size(canvas);
    std::uint64_t hash = 14695981039346656037ULL;
    for (std::int32_t y = 0; y < size.cy; ++y) {
        for (std::int32_t x = 0; x < size.cx; ++x) {
            const platform::Argb pixel = platform::canvas_pixel(canvas, x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                hash = (hash ^ ((pixel >> shift) & 0xFFu)) * 1099511628211ULL;
            }
        }
    }
    return hash;
}

std::vector<std::uint64_t> window_checksums(platform::WindowHandle window) {
    std::vector<std::uint64_t> sums;
    for (const auto& event : testing_platform::events_of(EventKind::layered_update)) {
        if (event.window == window && event.picture != nullptr) {
            sums.push_back(checksum(event.picture.get()));
        }
    }
    return sums;
}

TEST_F(PictureIdentityTest, ARunAtOneDevicePixelPerPixelPushesTheSamePicturesAsBefore) {
    random_seed(20240611);
    open_main_window();
    move_to({599, 482});  // hovers the minimise button
    move_to({300, 300});
    command(command_id::help);
    command(command_id::help);
    press_at({100, 100});  // plays the cell there: a cascade of pictures
    testing_platform::mouse_up(hwnd, {100, 100});
    testing_platform::pump();

    const std::vector<std::uint64_t> sums = window_checksums(hwnd);
    const std::vector<std::uint64_t> expected = {
        1683963027348898353ULL, 1957986861176730250ULL, 1683963027348898353ULL,
        7526035060919325424ULL, 1683963027348898353ULL, 7317297269875860641ULL,
        5027303905131018149ULL,
    };
    EXPECT_EQ(sums, expected);
}

}  // namespace

// The layered update on the desktop: the canvas's pixels on the screen, read back, and the
// window sized to the picture.
#include "platform/win32/window/tests/canvas_double.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/window/tests/recording.h"
#include "platform/window.h"

namespace platform::testing {
namespace {

class Win32LayeredUpdate : public ::testing::Test {
protected:
    void SetUp() override { start_recording(); }
    void TearDown() override {
        canvas_delete(canvas);
        destroy_every_window();
    }
    Canvas* canvas = nullptr;
    WindowHandle make_layered_at(Point position) {
        const WindowHandle window =
            make_window(style::popup | style::visible, 0, ex_style::layered | ex_style::topmost);
        move_window(window, position);
        return window;
    }
};

COLORREF screen_pixel(std::int32_t x, std::int32_t y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST_F(Win32LayeredUpdate, ThePictureIsOnTheScreenAndTheWindowTakesItsSize) {
    const WindowHandle window = make_layered_at({300, 200});
    canvas = canvas_create(60, 40);
    ASSERT_NE(canvas, nullptr);
    fill_device_pixels(canvas, 0xFFC00000u);  // opaque red
    for (std::int32_t y = 0; y < 10; ++y) {
        for (std::int32_t x = 0; x < 10; ++x) {
            set_device_pixel(canvas, 50 + x, 30 + y, 0xFF0000C0u);  // a blue corner
        }
    }
    update_layered_window(window, canvas, {60, 40}, {0, 0}, {});
    EXPECT_EQ(window_rect(window), (Rect{300, 200, 360, 240}));
    EXPECT_EQ(screen_pixel(305, 205), RGB(0xC0, 0, 0));
    EXPECT_EQ(screen_pixel(355, 235), RGB(0, 0, 0xC0));

    // A part of the canvas, from its origin, is the whole picture.
    update_layered_window(window, canvas, {10, 10}, {50, 30}, {});
    EXPECT_EQ(window_rect(window), (Rect{300, 200, 310, 210}));
    EXPECT_EQ(screen_pixel(305, 205), RGB(0, 0, 0xC0));
}

TEST_F(Win32LayeredUpdate, ACanvasOfAnotherScaleIsReducedSmoothly) {
    const WindowHandle window = make_layered_at({300, 200});
    canvas = canvas_create(20, 20, 2);
    // Device pixels in alternating columns of black and white: grey once reduced.
    for (std::int32_t y = 0; y < 40; ++y) {
        for (std::int32_t x = 0; x < 40; ++x) {
            set_device_pixel(canvas, x, y, x % 2 == 0 ? 0xFF000000u : 0xFFFFFFFFu);
        }
    }
    update_layered_window(window, canvas, {20, 20}, {0, 0}, {});
    EXPECT_EQ(window_rect(window), (Rect{300, 200, 320, 220}));
    EXPECT_EQ(screen_pixel(310, 210), RGB(0x80, 0x80, 0x80));
}

TEST_F(Win32LayeredUpdate, NothingHappensWithoutACanvasOrALayeredWindow) {
    const WindowHandle plain = make_window(style::popup | style::visible, 0, 0);
    canvas = canvas_create(30, 30);
    update_layered_window(plain, canvas, {30, 30}, {0, 0}, {});
    EXPECT_EQ(window_rect(plain).right - window_rect(plain).left, 200);
    const WindowHandle layered = make_layered_at({300, 200});
    update_layered_window(layered, nullptr, {30, 30}, {0, 0}, {});
    update_layered_window(0x12345678u, canvas, {30, 30}, {0, 0}, {});
    EXPECT_EQ(window_rect(layered).right - window_rect(layered).left, 200);
}

}  // namespace
}  // namespace platform::testing

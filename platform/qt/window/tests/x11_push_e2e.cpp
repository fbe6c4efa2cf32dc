// Pictures pushed through shared memory to real 32-bit windows of an X display (run under
// scripts/with-xvfb.sh): they show, with their opaque mask; a push to a window that is gone
// fails on the server's side, and the pushes after it neither hang nor go astray.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QImage>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/qt/window/shape.h"
#include "platform/qt/window/x11_push.h"

namespace platform::qt {
namespace {

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

constexpr int width = 40;
constexpr int height = 30;

class X11PushTest : public ::testing::Test {
protected:
    void SetUp() override {
        connection_ = xcb_connect(nullptr, nullptr);
        ASSERT_EQ(xcb_connection_has_error(connection_), 0) << "needs an X display";
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        visual_ = argb_visual();
        ASSERT_NE(visual_, 0u) << "the display has no 32-bit visual";
    }

    void TearDown() override {
        close_shared_memory_pushes();
        xcb_disconnect(connection_);
    }

    xcb_visualid_t argb_visual() const {
        for (auto depths = xcb_screen_allowed_depths_iterator(screen_); depths.rem > 0;
             xcb_depth_next(&depths)) {
            if (depths.data->depth == 32 && xcb_depth_visuals_length(depths.data) > 0) {
                return xcb_depth_visuals(depths.data)[0].visual_id;
            }
        }
        return 0;
    }

    // A mapped 32-bit window at the screen's top-left corner, as our layered windows are.
    xcb_window_t make_window() {
        const xcb_colormap_t colormap = xcb_generate_id(connection_);
        xcb_create_colormap(connection_, XCB_COLORMAP_ALLOC_NONE, colormap, screen_->root, visual_);
        const xcb_window_t window = xcb_generate_id(connection_);
        const std::uint32_t values[] = {0, 0, 1, colormap};
        xcb_create_window(
            connection_, 32, window, screen_->root, 0, 0, width, height, 0,
            XCB_WINDOW_CLASS_INPUT_OUTPUT, visual_,
            XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_COLORMAP,
            values);
        xcb_map_window(connection_, window);
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        return window;
    }

    // The window's own pixel, read back from the server.
    std::uint32_t pixel(xcb_window_t window, int x, int y) const {
        ReplyPointer<xcb_get_image_reply_t> reply(
            xcb_get_image_reply(connection_,
                                xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window,
                                              static_cast<std::int16_t>(x),
                                              static_cast<std::int16_t>(y), 1, 1, ~0u),
                                nullptr),
            &std::free);
        std::uint32_t value = 0;
        if (reply != nullptr && xcb_get_image_data_length(reply.get()) >= 4) {
            std::memcpy(&value, xcb_get_image_data(reply.get()), 4);
        }
        return value;
    }

    // Waits until the window shows the colour at (x, y); false after a generous while.
    bool shows(xcb_window_t window, int x, int y, std::uint32_t colour) const {
        for (int tries = 0; tries < 2000; ++tries) {
            if (pixel(window, x, y) == colour) {
                return true;
            }
        }
        return false;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    xcb_visualid_t visual_ = 0;
};

QImage picture_of(QRgb colour) {
    QImage picture(width + 10, height + 10, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    for (int y = 5; y < 5 + height; ++y) {
        for (int x = 5; x < 5 + width / 2; ++x) {
            picture.setPixel(x, y, colour);
        }
    }
    return picture;
}

TEST_F(X11PushTest, APictureShowsWithItsMaskAndAPushToAWindowGoneHoldsUpNothing) {
    const xcb_window_t first = make_window();
    const QRect part(5, 5, width, height);
    QImage mask;
    ASSERT_TRUE(push_through_shared_memory(first, picture_of(0xFF2040D0), part, &mask));
    EXPECT_TRUE(shows(first, 2, 2, 0xFF2040D0u));
    EXPECT_TRUE(same_bits(mask, opaque_part(picture_of(0xFF2040D0), part)));

    // The window goes before its picture comes: the server refuses the push.
    xcb_destroy_window(connection_, first);
    xcb_flush(connection_);
    forget_shared_memory_window(first);
    push_through_shared_memory(first, picture_of(0xFFD02020), part, nullptr);

    const xcb_window_t second = make_window();
    ASSERT_TRUE(push_through_shared_memory(second, picture_of(0xFF20B020), part, nullptr));
    EXPECT_TRUE(shows(second, 2, 2, 0xFF20B020u));
    ASSERT_TRUE(push_through_shared_memory(second, picture_of(0xFFF0D000), part, nullptr));
    EXPECT_TRUE(shows(second, 2, 2, 0xFFF0D000u));
}

TEST_F(X11PushTest, WhatCannotBePushedIsRefusedBeforeAnythingIsSent) {
    const xcb_window_t window = make_window();
    const QImage other_format(width, height, QImage::Format_RGB32);
    EXPECT_FALSE(push_through_shared_memory(window, other_format, other_format.rect(), nullptr));
    const QImage picture = picture_of(0xFF2040D0);
    EXPECT_FALSE(push_through_shared_memory(window, picture, QRect(20, 20, width, height), nullptr))
        << "a part beyond the picture";
}

}  // namespace
}  // namespace platform::qt

// A test world with plain windows of our own, for the tests of the modal services.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/message_queue.h"
#include "platform/testing/test_platform.h"
#include "platform/window.h"

// Every message the plain windows received, in order.
struct Received {
    platform::WindowHandle window = 0;
    std::uint32_t message = 0;
};

inline std::vector<Received>& received() {
    static std::vector<Received> list;
    return list;
}

inline std::int32_t plain_window_proc(platform::WindowHandle window, std::uint32_t message,
                                      std::uint32_t wparam, std::int32_t lparam) {
    received().push_back({window, message});
    return platform::default_window_proc(window, message, wparam, lparam);
}

class ModalTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::testing::reset();
        received().clear();
        platform::register_window_class({.name = "Plain", .procedure = plain_window_proc});
    }

    // A layered top-level window like the game's, so that no paint comes unasked.
    static platform::WindowHandle make_window(bool visible = true) {
        return platform::create_window(
            {.ex_style = platform::ex_style::layered,
             .class_name = "Plain",
             .style = platform::style::popup | (visible ? platform::style::visible : 0u),
             .x = 162,
             .y = 109,
             .width = 700,
             .height = 550});
    }

    static bool got(platform::WindowHandle window, std::uint32_t message) {
        for (const Received& entry : received()) {
            if (entry.window == window && entry.message == message) {
                return true;
            }
        }
        return false;
    }
};

// A host window with probe widgets that write down every event they get, for framework tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/testing/test_platform.h"
#include "widgets/widget.h"

struct ProbeEvent {
    std::int32_t id = 0;
    std::uint32_t event = 0;
    std::uint32_t wparam = 0;
    std::int32_t lparam = 0;
    friend bool operator==(const ProbeEvent&, const ProbeEvent&) = default;
};

void PrintTo(const ProbeEvent& event, std::ostream* out);

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A probe widget, created like every kind: its record is the Widget itself.
    Widget* add_probe(std::int32_t parent_id, std::int32_t id, platform::Rect rect,
                      std::uint8_t state = widget_state::normal);
    // Creates the host window (700 × 550 at (162, 109) on the 1024 × 768 test screen), with the
    // widgets that build_widgets makes at its creation, as the main window does; then attaches
    // its record and lets its first paint happen.
    void open_host(const std::function<void()>& build_widgets,
                   platform::Image* background = nullptr);
    void move_to(platform::Point point);
    void press_at(platform::Point point);
    void release_at(platform::Point point);
    std::vector<ProbeEvent> take_events();

    platform::WindowHandle hwnd = 0;
    HostWindow* host = nullptr;
};

std::vector<ProbeEvent>& probe_events();
// The wparam of every command the host window received.
std::vector<std::uint32_t>& host_commands();

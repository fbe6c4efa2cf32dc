// Picture buttons: their command on a press and their pictures per state.
#include <gtest/gtest.h>

#include "platform/message_queue.h"
#include "tests/support/png_writer.h"
#include "widgets/host_window_proc.h"
#include "widgets/picture_button.h"
#include "widgets/tests/widget_fixture.h"

namespace testing_platform = platform::testing;

namespace {

constexpr platform::Argb blue = 0xFF2532D5;
constexpr platform::Argb red = 0xFFE01010;
constexpr platform::Argb green = 0xFF10C010;

platform::Image* solid_image(int width, int height, platform::Argb colour) {
    return platform::image_from_png(test_support::make_solid_png(width, height, colour));
}

class PictureButtonTest : public WidgetTest {
protected:
    void TearDown() override {
        WidgetTest::TearDown();
        platform::image_dispose(hover_image);
        platform::image_dispose(normal_image);
    }

    // One button of 36 × 34 at (543, 461) on a blue background.
    void open_with_button(platform::Image* normal) {
        normal_image = normal;
        hover_image = solid_image(36, 34, red);
        open_host(
            [&] {
                button = button_new(0, 5, 543, 461, 36, 34, normal_image, hover_image, nullptr);
            },
            solid_image(700, 550, blue));
    }

    platform::Argb shown(platform::Point point) const {
        return platform::canvas_pixel(testing_platform::last_picture(hwnd), point.x, point.y);
    }

    std::size_t updates() const {
        return testing_platform::events_of(testing_platform::EventKind::layered_update).size();
    }

    PictureButton* button = nullptr;
    platform::Image* normal_image = nullptr;
    platform::Image* hover_image = nullptr;
};

TEST_F(PictureButtonTest, OnePressSendsOneCommandAtTheMomentTheButtonGoesDown) {
    open_with_button(nullptr);
    move_to({550, 470});
    press_at({550, 470});
    EXPECT_EQ(host_commands(), (std::vector<std::uint32_t>{5}));
    release_at({550, 470});
    move_to({551, 471});
    move_to({552, 472});
    EXPECT_EQ(host_commands().size(), 1u) << "releasing or moving sends nothing more";
    EXPECT_EQ(button->widget->state, widget_state::pressed)
        << "a pressed button keeps its look until the pointer leaves it";
}

TEST_F(PictureButtonTest, WithOnlyAHoverPictureTheRestingLookIsTheBackground) {
    open_with_button(nullptr);
    EXPECT_EQ(updates(), 1u);
    EXPECT_EQ(shown({550, 470}), blue) << "the compose pass draws nothing for a resting button";

    move_to({550, 470});
    EXPECT_EQ(shown({543, 461}), red);
    EXPECT_EQ(shown({578, 494}), red);
    EXPECT_EQ(shown({579, 494}), blue);
    EXPECT_EQ(shown({578, 495}), blue);
    press_at({550, 470});
    EXPECT_EQ(shown({550, 470}), red) << "pressed falls back to the hover picture";
    move_to({700 - 10, 10});
    EXPECT_EQ(shown({550, 470}), blue) << "leaving erases back to the clean background";
    EXPECT_EQ(button->widget->state, widget_state::normal);
    EXPECT_EQ(updates(), 4u) << "one update per enter, press and leave";
}

TEST_F(PictureButtonTest, ARestingButtonWithANormalPictureIsComposedAndDroppingTheHoverRestoresIt) {
    open_with_button(solid_image(36, 34, green));
    EXPECT_EQ(shown({550, 470}), green);
    move_to({550, 470});
    EXPECT_EQ(shown({550, 470}), red);
    host_drop_hover(hwnd);
    EXPECT_EQ(shown({550, 470}), green);
    EXPECT_EQ(platform::capture_window(), 0u);
    EXPECT_EQ(host->hover_self, nullptr);
}

TEST(PictureButtonImages, EachStateTakesTheFirstPictureItHas) {
    auto* a = reinterpret_cast<platform::Image*>(0x10);
    auto* b = reinterpret_cast<platform::Image*>(0x20);
    auto* c = reinterpret_cast<platform::Image*>(0x30);
    const PictureButton all{nullptr, a, b, c};
    const PictureButton normal_only{nullptr, a, nullptr, nullptr};
    EXPECT_EQ(button_image_for_state(all, widget_state::pressed), c);
    EXPECT_EQ(button_image_for_state(all, widget_state::hovered), b);
    EXPECT_EQ(button_image_for_state(normal_only, widget_state::pressed), a);
    EXPECT_EQ(button_image_for_state(normal_only, widget_state::hovered), a);
    EXPECT_EQ(button_image_for_state(all, widget_state::hidden), nullptr);
}

}  // namespace

// The four bricks the game carries, told apart by every player: with normal vision, with each of
// the three dichromacies and with greyscale vision, every two bricks differ by a mean CIEDE2000
// of at least 10 over the pixels opaque in both.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "resources/resources.h"
#include "tools/artwork/colour_vision.h"

namespace {

constexpr double least_difference = 10.0;

QImage embedded_picture(const char* name) {
    const auto bytes = find_resource(name);
    QImage picture;
    picture.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
    return picture;
}

TEST(BrickPictures, EveryTwoBricksDifferForEveryVision) {
    const std::array<const char*, 4> names{"B1", "B2", "B3", "B4"};
    std::array<QImage, 4> bricks;
    for (std::size_t i = 0; i < names.size(); ++i) {
        bricks[i] = embedded_picture(names[i]);
        ASSERT_EQ(bricks[i].size(), QSize(29, 29)) << names[i];
    }
    for (Vision vision : all_visions) {
        double smallest = 1e9;
        std::string closest;
        for (std::size_t i = 0; i < bricks.size(); ++i) {
            for (std::size_t j = i + 1; j < bricks.size(); ++j) {
                const double difference = mean_picture_difference(bricks[i], bricks[j], vision);
                const std::string pair = std::string(names[i]) + "/" + names[j];
                EXPECT_GE(difference, least_difference) << pair << ", " << vision_name(vision);
                if (difference < smallest) {
                    smallest = difference;
                    closest = pair;
                }
            }
        }
        std::printf("%-14s closest bricks %s: %.1f\n", vision_name(vision), closest.c_str(),
                    smallest);
    }
}

}  // namespace

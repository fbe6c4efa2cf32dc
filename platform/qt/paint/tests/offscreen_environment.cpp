// Runs every test on Qt's offscreen platform, so that no display is needed.
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class OffscreenEnvironment : public ::testing::Environment {
public:
    void SetUp() override { setenv("QT_QPA_PLATFORM", "offscreen", 1); }
};

// gtest takes ownership of the environment.
[[maybe_unused]] ::testing::Environment* const offscreen_environment =
    ::testing::AddGlobalTestEnvironment(new OffscreenEnvironment);

}  // namespace

// GDI+ runs for the whole test program, as platform_start keeps it running for the game.
#include <gtest/gtest.h>

#include "platform/win32/paint/win32_paint.h"

namespace {

class GdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(platform::win32::start_gdiplus());
        ASSERT_TRUE(platform::win32::start_gdiplus()) << "a second start says it runs";
    }
    void TearDown() override { platform::win32::stop_gdiplus(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace
